#pragma once
// What the user may type, delete, paste, cut and click in a drop-down edit, as a pure engine:
// the control hands over its edit text, selection and settings with one action and applies
// the state that comes back. A dropped action changes nothing and fires nothing; an applied
// one fires the change notification once when the text changed.
#include <QChar>
#include <QString>

#include "editors/dropdown_text.h"

struct TDropDownEditState {
  QString Text;  // the whole edit text: Prefix + value + Suffix
  int SelStart = 0;
  int SelLength = 0;
  bool CaretAtStart = false;  // the caret is the selection's start (Shift+Home, Shift+Left)
  bool Modified = false;
  int Caret() const { return CaretAtStart ? SelStart : SelStart + SelLength; }
  bool operator==(const TDropDownEditState &) const = default;
};

struct TDropDownEditEnv {
  bool EditorEnabled = true;
  bool ReadOnly = false;
  int MaxLength = 0;  // 0: none
};

enum class TInputVerdict {
  Dropped,  // nothing changes, nothing fires
  Applied,  // State holds the result
  PassOn,   // not a value rule: the control's own handling (Enter, Esc, Tab, F4, clipboard keys)
};

struct TDropDownInputResult {
  TInputVerdict Verdict = TInputVerdict::Dropped;
  TDropDownEditState State;
  bool Changed = false;     // the change notification fires (once)
  bool EnterAsTab = false;  // Enter with ReturnIsTab: move on as Tab does
  QString Clipboard;        // what a cut puts on the clipboard
};

enum class TDropDownKey { Left, Right, Home, End, Delete, Backspace, Enter, Other };

TDropDownInputResult DropDownKeyDown(const TDropDownEditState &State, TDropDownKey Key, bool Shift,
                                     bool Ctrl, bool ReturnIsTab, const TDropDownTextSettings &S,
                                     const TDropDownEditEnv &Env);

// Keypad: the character came from the numeric keypad's decimal key.
TDropDownInputResult DropDownChar(const TDropDownEditState &State, QChar Ch, bool Ctrl, bool Keypad,
                                  const TDropDownTextSettings &S, const TDropDownEditEnv &Env);

// The selected part of the value (what cut and copy hand to their events and the clipboard).
QString DropDownSelectedValue(const TDropDownEditState &State, const TDropDownTextSettings &S);
// The value a paste of Clip would give, before any check (what the paste event is shown).
QString DropDownPasteCandidate(const TDropDownEditState &State, const QString &Clip,
                               const TDropDownTextSettings &S);
TDropDownInputResult DropDownPaste(const TDropDownEditState &State, const QString &Clip,
                                   const TDropDownTextSettings &S, const TDropDownEditEnv &Env);
TDropDownInputResult DropDownCut(const TDropDownEditState &State, const TDropDownTextSettings &S,
                                 const TDropDownEditEnv &Env);

// A left press at Pos (edit text position) on the focused edit keeps the selection until the
// release when it lands inside a non-empty selection.
bool DropDownPressKeepsSelection(const TDropDownEditState &State, int Pos);
// The selection after a release: with ButtonDown the caret goes to CharPos; then the caret and
// selection are kept out of prefix and suffix.
TDropDownEditState DropDownAfterRelease(const TDropDownEditState &State, bool ButtonDown, int CharPos,
                                        const TDropDownTextSettings &S);
