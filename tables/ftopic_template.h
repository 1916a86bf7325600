#pragma once
// The topic-template editor: a small modal dialog in which one MQTT table cell, a topic or a
// payload template, is edited as plain multi-line text, above a legend of template keywords.
// The caller fills the edit box, shows the dialog and takes the text back on OK.
#include "ui/form_base.h"

class TLabel;
class TPanel;
class TRichEdit;
class TSplitter;
class TLbButton;
class TZavStringGrid;

class TFTopicTemplate : public TLangForm {
public:
  explicit TFTopicTemplate(TComponent *AOwner);

  void FormCreate(TObject *Sender);
  void FormShow(TObject *Sender);
  void Set_Lang() override;
  // The legend: the header and one empty data row whose description cell is read-only.
  void Laod_Keywords();

  // Set by the caller before showing: 1 for a template cell, 0 for a topic; picks the title.
  int TopicTemplate = 0;

  TPanel *P_Title = nullptr;
  TLabel *L_SW_Code = nullptr;
  TLabel *L_SW_Desc = nullptr;
  TPanel *Panel1 = nullptr;
  // Holds plain text; lines are separated by CR LF, as the table cells keep them.
  TRichEdit *RE_TopicTemplate = nullptr;
  TSplitter *Splitter1 = nullptr;
  TPanel *P_Legend = nullptr;
  TLabel *L_List_Keywords = nullptr;
  TZavStringGrid *ZSG_Keywords = nullptr;
  TPanel *P_Button = nullptr;
  TLbButton *Btn_OK = nullptr;
  TLbButton *Btn_Cancel = nullptr;
};

// The one instance, created at start-up and kept for the run.
extern TFTopicTemplate *FTopicTemplate;
