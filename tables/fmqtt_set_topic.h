#pragma once
// The MQTT topic tables: the topics under which the gateway publishes values of its internal
// data array, and the topics whose received values it stores there, each with a payload
// template; saved to "MQTT_Set_Topic.xml" for the bank builder. Some columns stay hidden in this
// build: they keep their cells and are saved as they are, but are not checked.
#include "tables/table_form.h"

class TZavColumnGrid;

// The columns of the two grids (real indexes).
namespace mqttcols {
enum { cN, cTopic, cRetained, cQoS, cData_Type, cDimension, cPosition, cIP_Address };
enum { cPub_Input_Template = 8, cPub_Template, cOn_Change, cOn_CMD, cOn_Timer, cTime, cChannel, cPub_Swap,
       cPub_Swap_Word, cPub_Mnemonic, cPub_Count };
enum { cPort = 8, cEth_Type, cSub_Input_Template, cSub_Template, cSub_Swap, cSub_Swap_Word, cSub_Mnemonic,
       cSub_Count };
}  // namespace mqttcols

class TFMQTT_Set_Topic : public TTableForm {
public:
  explicit TFMQTT_Set_Topic(TComponent *AOwner);

  // True when Text holds an odd number of "$": a keyword is not closed.
  static bool Error_In_Topic_Template(const QString &Text);
  // Edits one cell in the template editor; OK writes the text back, line breaks included.
  void Show_Form_Topic(TZavColumnGrid *Grid, int Row, int Column);

  // Auto-size on the header, and the template editor when the current cell is a template.
  void DblClickCell(TObject *Sender, int ARow, int ACol) override;

  bool Do_Copy_Pub() const { return Do_Copy(0); }
  bool Do_Copy_Sub() const { return Do_Copy(1); }
  int Byte_IN() const { return Data_Size(0); }
  int Byte_OUT() const { return Data_Size(1); }
  TStringList *Hint_MQTT_Set_Topic_Pub() const { return Hint_List(0); }
  TStringList *Hint_MQTT_Set_Topic_Sub() const { return Hint_List(1); }

  TTabSheet *TS_MQTT_Publish = nullptr;
  TTabSheet *TS_MQTT_Subscribe = nullptr;
  TZavColumnGrid *ACG_Pub = nullptr;
  TZavColumnGrid *ACG_Sub = nullptr;

private:
  static TTableFormDesc Description(TFMQTT_Set_Topic *Form);
  static TGridDesc Grid_Description(TFMQTT_Set_Topic *Form, bool Subscribe);
  // The "Template" column of a grid.
  int Template_Col(TZavStringGrid *Grid) const;
};
