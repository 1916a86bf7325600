#pragma once
// The pieces the program's dialogs are built of: the title band on top (the software code
// and the form's description), the button band at the bottom, and the program's buttons.
#include <QString>

#include "framework/graphics/graphics.h"

class TForm;
class TWinControl;
class TLabel;
class TPanel;
class TLbButton;
enum class TLbButtonStyle;

// Where and in which fonts (Verdana, heights in pixels) the title band shows its two labels.
struct TTitleBandLook {
  int Height = 69;
  int CodeLeft = 16, CodeTop = 6, CodeFontHeight = -27;
  bool CodeBold = true;
  int DescLeft = 16, DescTop = 42, DescFontHeight = -15;
  TColor DescColor = clNavy;
};

struct TTitleBand {
  TPanel *P_Title;
  TLabel *L_SW_Code;  // large grey: the software code
  TLabel *L_SW_Desc;  // bold: the form's description
};

// The two labels of the title band, on Parent (the main window puts them on itself).
TTitleBand Make_Title_Labels(TForm *Form, TWinControl *Parent, const TTitleBandLook &Look = TTitleBandLook());
// P_Title: a panel across the top of Form in the form colour, with the two labels.
TTitleBand Make_Title_Band(TForm *Form, const TTitleBandLook &Look = TTitleBandLook());
// P_Button: a panel across the bottom of Form, 40 pixels high, in the colour of the form.
TPanel *Make_Button_Band(TForm *Form);

// A transparent label at (Left, Top) on Parent, owned by Form.
TLabel *Make_Dialog_Label(TForm *Form, TWinControl *Parent, const QString &Name, int Left, int Top);
// The look every button of the program shares: an ivory face with a grey bevel that turns
// yellow under the mouse and orange while pressed. Style is bsEncarta but for a few buttons
// of the main window.
void Set_Button_Look(TLbButton *Button, TLbButtonStyle Style);
// The bold button of the shell's dialogs, 26 pixels high, with the program's button look.
TLbButton *Make_Dialog_Button(TForm *Form, TWinControl *Parent, const QString &Name, int Left, int Top, int Width);
