#pragma once
// Scripts every wait for the user: message boxes, file, colour and font dialogs, modal forms
// and URL opening. While a TUIScript lives, each of them is recorded and answered from its
// queues, in order per kind; one that finds no answer gets the answer a user would give to get
// away (Cancel, No, OK; a modal form is closed with mrCancel) and counts as unscripted.
// Scripts nest: the innermost answers until it ends.
//
//   TUIScript ui;
//   ui.AnswerMessage(mrYes).ChooseFile("/tmp/out.csv");
//   ui.OnForm([](TCustomForm *f) { f->SetModalResult(mrOk); });
//   ... run the code ...
//   EXPECT_EQ(ui.Messages(), QStringList{"Save changes?"});
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

#include "framework/controls/forms.h"
#include "framework/dialogs/dialogs.h"

enum TShownKind { skMessage, skOpenFile, skSaveFile, skColor, skFont, skForm, skURL };

struct TShownDialog {
  TShownKind Kind = skMessage;
  // Message boxes
  TMsgDlgType DlgType = mtInformation;
  QString Caption;
  QString Text;  // also the URL of skURL
  TMsgDlgButtons Buttons;
  TMsgDlgBtn DefaultButton = mbOK;
  // File dialogs: what the program asked for
  TFileDialogRequest File;
  // Forms
  QString FormClass;
  QString FormName;
  // The answer given (modal result, or 1/0 for dialogs chosen/cancelled)
  int Answer = 0;
  bool Scripted = false;
};

class TUIScript {
public:
  TUIScript();
  ~TUIScript();
  TUIScript(const TUIScript &) = delete;
  TUIScript &operator=(const TUIScript &) = delete;

  // Message boxes (MessageDlg, ShowMessage, MessageBox, the error box of exceptions).
  TUIScript &AnswerMessage(int ModalResult);
  TUIScript &AnswerMessage(std::function<int(const TMessageBoxRequest &Request)> Answer);
  // File dialogs: the name chosen (FilterIndex 0 keeps the dialog's), or cancel.
  TUIScript &ChooseFile(const QString &FileName, int FilterIndex = 0);
  TUIScript &ChooseFiles(const QStringList &FileNames);
  TUIScript &CancelFile();
  TUIScript &ChooseColor(TColor Color);
  TUIScript &CancelColor();
  TUIScript &ChooseFont(std::function<void(TFont *Font)> Change);
  TUIScript &CancelFont();
  // Modal forms: the action runs inside ShowModal once the form is shown; it may click, type
  // and set ModalResult. A form still open afterwards is closed with mrCancel.
  TUIScript &OnForm(std::function<void(TCustomForm *Form)> Action);
  template <class F>
  TUIScript &OnFormOf(std::function<void(F *Form)> Action)
  {
    return OnForm([Action](TCustomForm *f) { Action(dynamic_cast<F *>(f)); });
  }
  // URL opening answers true unless told otherwise.
  void SetURLResult(bool Value) { FURLResult = Value; }

  const std::vector<TShownDialog> &Shown() const { return FShown; }
  // Texts of the message boxes shown, in order.
  QStringList Messages() const;
  QStringList URLs() const;
  // Shows that found no scripted answer.
  int Unscripted() const;
  // Answers queued but never used.
  int PendingAnswers() const;
  void Clear() { FShown.clear(); }

private:
  void Install();
  struct TFileAnswer {
    bool Accept = false;
    QStringList Files;
    int FilterIndex = 0;
  };
  std::deque<std::function<int(const TMessageBoxRequest &)>> FMessages;
  std::deque<TFileAnswer> FFiles;
  std::deque<std::pair<bool, TColor>> FColors;
  std::deque<std::pair<bool, std::function<void(TFont *)>>> FFonts;
  std::deque<std::function<void(TCustomForm *)>> FForms;
  std::vector<TShownDialog> FShown;
  bool FURLResult = true;
  TUIScript *FPrevious = nullptr;
};
