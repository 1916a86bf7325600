#pragma once
// The base of the program's forms: the one form colour and the language hook that a
// language switch calls on every form.
#include "framework/controls/forms.h"
#include "framework/graphics/graphics.h"

// The pale ivory of the program's forms, bands and buttons.
constexpr TColor Form_Color = 15595512;  // 0xEDF7F8

class TLangForm : public TForm {
public:
  using TForm::TForm;
  // Applies the form's texts from the text table; callable at any time, shown or not.
  // A form without texts of the table keeps this empty one.
  virtual void Set_Lang() {}
};

// Calls Set_Lang of every form the application owns, in the order they were created.
void Set_Lang_All_Forms();
