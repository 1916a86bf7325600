#pragma once
// The About box: the program's name, description, software code, version and document code,
// and the maker's web address. Its captions are fixed English, not from the text table.
#include "framework/controls/forms.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "ui/form_base.h"

class TLbButton;

// The program's version, also the one the update check compares against.
inline const QString Program_Version = QStringLiteral("1.000");
inline const QString Document_Code = QStringLiteral("QM40328");

class TFAbout : public TLangForm {
public:
  explicit TFAbout(TComponent *AOwner);

  void FormShow(TObject *Sender);
  void Label4Click(TObject *Sender);

  TImage *Image2 = nullptr;
  TLabel *Label1 = nullptr;
  TLabel *Label2 = nullptr;
  TLabel *Label6 = nullptr;
  TLabel *Label9 = nullptr;
  TLabel *Label3 = nullptr;
  TLabel *Label10 = nullptr;
  TLabel *Label8 = nullptr;
  TLabel *Label12 = nullptr;
  TLabel *Label4 = nullptr;
  TLbButton *LbButton1 = nullptr;
};
