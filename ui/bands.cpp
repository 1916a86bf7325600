#include "ui/bands.h"

#include "framework/controls/forms.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "ui/form_base.h"
#include "ui/lbbutton.h"

namespace {

TPanel *Make_Band(TForm *Form, const QString &Name, TAlign Align, int Height)
{
  TPanel *P = new TPanel(Form);
  P->SetName(Name);
  P->SetParent(Form);
  P->SetBevelOuter(bvNone);
  P->SetCaption(QString());
  P->SetHeight(Height);
  P->SetAlign(Align);
  return P;
}

}  // namespace

TTitleBand Make_Title_Labels(TForm *Form, TWinControl *Parent, const TTitleBandLook &Look)
{
  TTitleBand B{};
  B.L_SW_Code = Make_Dialog_Label(Form, Parent, QStringLiteral("L_SW_Code"), Look.CodeLeft, Look.CodeTop);
  B.L_SW_Code->Font()->SetName(QStringLiteral("Verdana"));
  B.L_SW_Code->Font()->SetHeight(Look.CodeFontHeight);
  B.L_SW_Code->Font()->SetStyle(Look.CodeBold ? TFontStyles{fsBold} : TFontStyles{});
  B.L_SW_Code->Font()->SetColor(clGray);
  B.L_SW_Desc = Make_Dialog_Label(Form, Parent, QStringLiteral("L_SW_Desc"), Look.DescLeft, Look.DescTop);
  B.L_SW_Desc->Font()->SetName(QStringLiteral("Verdana"));
  B.L_SW_Desc->Font()->SetHeight(Look.DescFontHeight);
  B.L_SW_Desc->Font()->SetStyle(TFontStyles{fsBold});
  B.L_SW_Desc->Font()->SetColor(Look.DescColor);
  return B;
}

TTitleBand Make_Title_Band(TForm *Form, const TTitleBandLook &Look)
{
  TPanel *P = Make_Band(Form, QStringLiteral("P_Title"), alTop, Look.Height);
  // The band keeps the form colour also on forms whose own colour differs.
  P->SetParentBackground(false);
  P->SetColor(Form_Color);
  TTitleBand B = Make_Title_Labels(Form, P, Look);
  B.P_Title = P;
  return B;
}

TPanel *Make_Button_Band(TForm *Form)
{
  TPanel *P = Make_Band(Form, QStringLiteral("P_Button"), alBottom, 40);
  P->SetParentColor(true);
  return P;
}

TLabel *Make_Dialog_Label(TForm *Form, TWinControl *Parent, const QString &Name, int Left, int Top)
{
  TLabel *L = new TLabel(Form);
  L->SetName(Name);
  L->SetParent(Parent);
  L->SetTransparent(true);
  L->SetLeft(Left);
  L->SetTop(Top);
  return L;
}

void Set_Button_Look(TLbButton *Button, TLbButtonStyle Style)
{
  Button->SetStyle(Style);
  Button->SetColor(Form_Color);
  Button->SetLightColor(clGray);
  Button->SetHotTrackColor(clYellow);
  Button->SetColorWhenDown(0x0080FF);
  Button->SetUseHotTrackFont(false);
}

TLbButton *Make_Dialog_Button(TForm *Form, TWinControl *Parent, const QString &Name, int Left, int Top, int Width)
{
  TLbButton *B = new TLbButton(Form);
  B->SetName(Name);
  B->SetParent(Parent);
  B->SetBounds(Left, Top, Width, 26);
  Set_Button_Look(B, bsEncarta);
  B->Font()->SetStyle(TFontStyles{fsBold});
  return B;
}
