#pragma once
// The base of a grid's cell checker. The grid calls the four operations while checking a range of
// cells and while validating an edited cell; the base checks nothing, a derived checker supplies
// the correction and the error marking.
#include <QString>

#include "framework/classes/classes.h"

class TZavStringGridCheck : public TComponent {
public:
  explicit TZavStringGridCheck(TComponent *AOwner) : TComponent(AOwner) {}

  // The text with its errors marked; the base answers s unchanged.
  virtual QString MarkError(int ACol, int ARow, const QString &s);
  // The corrected text; the base answers s unchanged.
  virtual QString Correct(int ACol, int ARow, const QString &s);
  virtual void StartCheck();
  virtual void StopCheck();

  bool GotoCell() const { return FGotoCell; }
  void SetGotoCell(bool Value) { FGotoCell = Value; }
  bool AutoCorrect() const { return FAutoCorrect; }
  void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
  bool AutoMarkError() const { return FAutoMarkError; }
  void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
  bool UseCorrect() const { return FUseCorrect; }
  void SetUseCorrect(bool Value) { FUseCorrect = Value; }
  bool UseMarkError() const { return FUseMarkError; }
  void SetUseMarkError(bool Value) { FUseMarkError = Value; }

private:
  bool FGotoCell = false;
  bool FAutoCorrect = false;
  bool FAutoMarkError = false;
  bool FUseCorrect = false;
  bool FUseMarkError = false;
};
