#pragma once
// Masked edit. The edit mask has the platform's form "mask;save-literals;blank": 0 digit
// required, 9 digit optional, # digit or sign optional, L/l letter required/optional, A/a
// letter or digit required/optional, C/c any character required/optional, > upper case,
// < lower case, <> no case change, \ next character literal, : and / the time and date
// separators, _ a blank; "!" (leading blanks) is accepted and ignored.
#include <QString>

#include "framework/stdctrls/stdctrls.h"
#include "framework/system/sysutils.h"

QM_DECLARE_EXCEPTION(EDBEditError, Exception)

// The parsed mask: one entry per character position of the edit text.
struct TMaskLayout {
  QString QtMask;        // the same mask in Qt's input-mask syntax ("" when none)
  QString Literals;      // per position: the literal character, or QChar() for an input position
  bool SaveLiterals = true;
  QChar Blank = QLatin1Char('_');
  bool Empty() const { return QtMask.isEmpty(); }
};
TMaskLayout ParseEditMask(const QString &EditMask);
// Text of an edit text as Text reads it: blanks become spaces, literals stay only when saved.
QString MaskedTextFromEditText(const TMaskLayout &Layout, const QString &EditText);

class TCustomMaskEdit : public TCustomEdit {
public:
  explicit TCustomMaskEdit(TComponent *AOwner);

  QString EditMask() const { return FEditMask; }
  void SetEditMask(const QString &Value);
  bool IsMasked() const { return !FLayout.Empty(); }
  // The text as shown, with literals and blank characters.
  QString EditText() const;
  void SetEditText(const QString &Value);
  QString GetText() const override;
  // Raises EDBEditError when a required position is empty.
  virtual void ValidateEdit();

  void CMExit(TCMExit &Message) override;

protected:
  // A masked text is one line: the window is a line edit while a mask is set, even when
  // the parameters ask for a multi-line one.
  QWidget *CreateWindowHandle(const TCreateParams &Params) override;
  void CreateWindowDone() override;
  void SetTextInternal(const QString &Value) override;
  void ApplyMask();

  QString FEditMask;
  TMaskLayout FLayout;
  bool FMultiLineAsked = false;  // the window's parameters had ES_MULTILINE
};

class TMaskEdit : public TCustomMaskEdit {
public:
  explicit TMaskEdit(TComponent *AOwner) : TCustomMaskEdit(AOwner) {}
};
