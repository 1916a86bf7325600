#include "app/fabout.h"

#include "app/fmain.h"
#include "app/fmain_glyphs.h"
#include "app/forms.h"
#include "ui/lbbutton.h"
#include "project/maker.h"
#include "framework/dialogs/dialogs.h"
#include "project/app_state.h"
#include "ui/bands.h"

TFAbout::TFAbout(TComponent *AOwner) : TLangForm(AOwner)
{
  SetName(QStringLiteral("FAbout"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetColor(Form_Color);
  Font()->SetName(QStringLiteral("Tahoma"));
  Font()->SetSize(8);
  SetCaption(QStringLiteral("About..."));
  SetClientSize(425, 148);

  Image2 = new TImage(this);
  Image2->SetName(QStringLiteral("Image2"));
  Image2->SetParent(this);
  Image2->SetBounds(12, 12, 81, 81);
  Image2->SetStretch(true);
  Image2->SetCursor(crHandPoint);
  {
    std::unique_ptr<TBitmap> Logo = Make_Maker_Logo(81);
    Image2->Picture()->SetGraphic(Logo.get());
  }
  Image2->OnClick = [this](TObject *Sender) { Label4Click(Sender); };

  auto Make_Label = [this](const QString &Name, int Left, int Top, const QString &Caption) {
    TLabel *L = new TLabel(this);
    L->SetName(Name);
    L->SetParent(this);
    L->SetLeft(Left);
    L->SetTop(Top);
    L->SetCaption(Caption);
    return L;
  };
  Label1 = Make_Label(QStringLiteral("Label1"), 108, 12, QStringLiteral("Software Quillomark "));
  Label1->Font()->SetSize(12);
  Label1->Font()->SetStyle(TFontStyles{fsBold});
  Label1->Font()->SetColor(clGray);
  Label2 = Make_Label(QStringLiteral("Label2"), 108, 34, QString());
  Label2->Font()->SetSize(10);
  Label2->Font()->SetStyle(TFontStyles{fsBold});
  Label2->Font()->SetColor(clNavy);
  Label6 = Make_Label(QStringLiteral("Label6"), 108, 60, QStringLiteral("Software Code : "));
  Label9 = Make_Label(QStringLiteral("Label9"), 216, 60, QString());
  Label3 = Make_Label(QStringLiteral("Label3"), 108, 76, QStringLiteral("Version :"));
  Label10 = Make_Label(QStringLiteral("Label10"), 216, 76, QString());
  Label8 = Make_Label(QStringLiteral("Label8"), 108, 92, QStringLiteral("Document Code :"));
  Label12 = Make_Label(QStringLiteral("Label12"), 216, 92, QString());
  for (TLabel *L : {Label9, Label10, Label12}) L->Font()->SetStyle(TFontStyles{fsBold});

  Label4 = Make_Label(QStringLiteral("Label4"), 12, 120, Maker_Web_Domain);
  Label4->SetCursor(crHandPoint);
  Label4->Font()->SetColor(clBlue);
  Label4->Font()->SetStyle(TFontStyles{fsUnderline});
  Label4->OnClick = [this](TObject *Sender) { Label4Click(Sender); };

  LbButton1 = new TLbButton(this);
  LbButton1->SetName(QStringLiteral("LbButton1"));
  LbButton1->SetParent(this);
  LbButton1->SetBounds(333, 112, 80, 26);
  Set_Button_Look(LbButton1, bsEncarta);
  LbButton1->Font()->SetStyle(TFontStyles{fsBold});
  LbButton1->SetCaption(QStringLiteral("OK"));
  LbButton1->SetModalResult(mrOk);

  OnShow = [this](TObject *Sender) { FormShow(Sender); };
}

void TFAbout::FormShow(TObject *)
{
  Label2->SetCaption(AppState().Software_Description);
  Label9->SetCaption(QStringLiteral("QC40328"));
  Label10->SetCaption(Program_Version);
  Label12->SetCaption(Document_Code);
  SetClientSize(425, 148);
}

void TFAbout::Label4Click(TObject *) { OpenURL(Maker_Home_Page); }
