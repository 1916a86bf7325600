#pragma once
// Message boxes, file, colour, font and print dialogs, and URL opening.
//
// Every dialog goes through a replaceable hook (framework/testing scripts them); without a
// hook the Qt dialog is shown.
#include <QString>
#include <QStringList>

#include <functional>

#include "framework/classes/classes.h"
#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The modal result a button gives (mbYes -> mrYes ...).
TModalResult ModalResultOfButton(TMsgDlgBtn Button);
// "Warning", "Error", "Information", "Confirmation"; the application title for mtCustom.
QString MsgDlgCaption(TMsgDlgType DlgType);
// "&Yes", "&No", "OK", "Cancel" ...
QString MsgDlgButtonCaption(TMsgDlgBtn Button);
// The answer of a box nobody can see: the button a user would take to get away (Cancel, No,
// OK, Abort, Ignore, Close, in that order; mrCancel when none of them is offered).
int MsgDlgDefaultAnswer(TMsgDlgButtons Buttons);

// Returns the modal result of the button pressed (mrCancel when the box is closed).
int MessageDlg(const QString &Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
int MessageDlg(const QString &Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, TMsgDlgBtn DefaultButton);
int MessageDlgPos(const QString &Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
// An information-less box with the application title and OK.
void ShowMessage(const QString &Msg);
// The platform's MessageBox: MB_* flags, ID* result.
int MessageBox(HWND Wnd, const QString &Text, const QString &Caption, uint32_t Type);

// What a message box shows.
struct TMessageBoxRequest {
  TMsgDlgType DlgType = mtInformation;
  QString Caption;
  QString Text;
  TMsgDlgButtons Buttons;
  TMsgDlgBtn DefaultButton = mbOK;
  int HelpCtx = 0;
};
// Answers with a modal result.
using TMessageBoxHook = std::function<int(const TMessageBoxRequest &Request)>;
void SetMessageBoxHook(TMessageBoxHook Hook);

// ---------------------------------------------------------------------------------------------
// Common dialogs

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
  ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
  ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
  ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

class TCommonDialog : public TComponent {
public:
  explicit TCommonDialog(TComponent *AOwner) : TComponent(AOwner) {}
  virtual bool Execute() = 0;
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

protected:
  int FHelpContext = 0;
};

// What a file dialog shows; a hook fills FileName/Files/FilterIndex and answers true, or
// answers false (cancelled).
struct TFileDialogRequest {
  bool Save = false;
  QString Title;
  QString Filter;       // "Description|*.ext|Description|*.a;*.b"
  int FilterIndex = 1;  // 1-based
  QString DefaultExt;   // without the dot
  QString InitialDir;
  QString FileName;
  TOpenOptions Options;
  QStringList Files;
};
using TFileDialogHook = std::function<bool(TFileDialogRequest &Request)>;
void SetFileDialogHook(TFileDialogHook Hook);

class TOpenDialog : public TCommonDialog {
public:
  explicit TOpenDialog(TComponent *AOwner);
  bool Execute() override;
  QString FileName() const { return FFileName; }
  void SetFileName(const QString &Value) { FFileName = Value; }
  // Every file chosen (one unless ofAllowMultiSelect).
  TStrings *Files() const { return FFiles.get(); }
  QString Filter() const { return FFilter; }
  void SetFilter(const QString &Value) { FFilter = Value; }
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  QString DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const QString &Value) { FDefaultExt = Value; }
  QString InitialDir() const { return FInitialDir; }
  void SetInitialDir(const QString &Value) { FInitialDir = Value; }
  QString Title() const { return FTitle; }
  void SetTitle(const QString &Value) { FTitle = Value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }

protected:
  bool DoExecute(bool Save);
  QString FFileName;
  std::unique_ptr<TStringList> FFiles;
  QString FFilter;
  int FFilterIndex = 1;
  QString FDefaultExt;
  QString FInitialDir;
  QString FTitle;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
  explicit TSaveDialog(TComponent *AOwner) : TOpenDialog(AOwner) {}
  bool Execute() override;
};

// Qt's file-dialog name filter for a "Description|*.ext|..." filter.
QStringList FilterToNameFilters(const QString &Filter);
// The extension alone: "*.eds", ".eds" and "eds" all give "eds"; a pattern such as "*.*"
// gives none.
QString NormalizeDefaultExt(const QString &DefaultExt);
// The name with DefaultExt (normalised) added when it has no extension (as the save dialog does).
QString ApplyDefaultExt(const QString &FileName, const QString &DefaultExt);

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;

class TColorDialog : public TCommonDialog {
public:
  explicit TColorDialog(TComponent *AOwner) : TCommonDialog(AOwner) {}
  bool Execute() override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColorDialogOptions Options() const { return FOptions; }
  void SetOptions(TColorDialogOptions Value) { FOptions = Value; }

private:
  TColor FColor = clBlack;
  TColorDialogOptions FOptions;
};
using TColorDialogHook = std::function<bool(TColor &Color)>;
void SetColorDialogHook(TColorDialogHook Hook);

class TFontDialog : public TCommonDialog {
public:
  explicit TFontDialog(TComponent *AOwner);
  bool Execute() override;
  TFont *Font() const { return FFont.get(); }
  void SetFont(const TFont *Value) { FFont->Assign(Value); }

private:
  std::unique_ptr<TFont> FFont;
};
using TFontDialogHook = std::function<bool(TFont *Font)>;
void SetFontDialogHook(TFontDialogHook Hook);

// Opens a URL or a document with the desktop's handler; replaceable for tests.
using TOpenURLHandler = std::function<bool(const QString &URL)>;
bool OpenURL(const QString &URL);
void SetOpenURLHandler(TOpenURLHandler Handler);
