#pragma once
// The CAN receive frames: the frames the gateway takes from the CAN bus and the positions of
// its internal data array where their data bytes go, saved to "CAN_Rec_Frames.xml" and read
// by this form alone. The transmit form (tables/ftransmitcan.h) is its twin.
#include <vector>

#include "tables/table_form.h"

class TZavColumnGrid;

// The columns of both CAN frame tables in one list (the receive form's texts); each form leaves
// out the other's columns.
namespace cancols {
enum { uN, uEnable, uCobID, uType, uDimension, uTimeOut, uOnChange, uOnCMD, uOnTimer, uTime, uByte1, uMnemonic = uByte1 + 8 };
// Real columns of the receive grid.
enum { cN, cEnable, cCobID, cType, cDimension, cTimeOut, cByte1, cMnemonic = cByte1 + 8, cCount };
}  // namespace cancols

// The frame format whose identifier has 11 bits.
inline const char *const CAN_Type_11_Bits = "2.0A (11 bits)";

// The checks the two CAN frame forms share, over one row's cell texts.
namespace cancheck {
// True when the Type cell names the 11-bit format (CobID 0..2047); otherwise 29 bits.
bool Is_11_Bits(const QString &Type);
// True when byte K (1 to 8) is checked: the frame is at least K bytes long and the cell names a
// position (neither blank nor "None").
bool Byte_Checked(const QString &Dimension, int K, const QString &Byte);
}  // namespace cancheck

class TFReceiveCAN : public TTableForm {
public:
  explicit TFReceiveCAN(TComponent *AOwner);

  // After the load the grid takes the focus.
  void Show_Done() override;

  // The columns of both CAN frame tables (cancols::u...), with the receive form's texts.
  static const std::vector<TColumnDesc> &Frame_Columns();
  // The checks of a CAN frame grid: CobID by Type, Dimension, then the bytes within the
  // Dimension. Time (the TimeOut or the transmit Time check) goes between Dimension and the bytes.
  static std::vector<TRowCheck> Frame_Checks(TTableForm *Form, int Cob_Message, int Byte1_Col, TRowCheck Time,
                                             int Byte1_Message, int Byte2_Message, int Or_None_Message);

  int MAX_Byte() const { return Data_Size(0); }
  TStringList *Hint_ReceiveCAN() const { return Hint_List(0); }

  TZavColumnGrid *ACG_CAN_Receive = nullptr;

private:
  static TTableFormDesc Description(TFReceiveCAN *Form);
};
