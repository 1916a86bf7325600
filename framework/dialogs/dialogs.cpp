// Message boxes, common dialogs and URL opening, each behind a replaceable hook.
#include "framework/dialogs/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

#include "framework/controls/forms.h"
#include "framework/controls/pump.h"
#include "framework/dialogs/messagebox_widget.h"

namespace {
TMessageBoxHook &BoxHook()
{
  static TMessageBoxHook h;
  return h;
}
TFileDialogHook &FileHook()
{
  static TFileDialogHook h;
  return h;
}
TColorDialogHook &ColorHook()
{
  static TColorDialogHook h;
  return h;
}
TFontDialogHook &FontHook()
{
  static TFontDialogHook h;
  return h;
}
TOpenURLHandler &URLHandler()
{
  static TOpenURLHandler h;
  return h;
}

bool Offscreen() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

// Runs a dialog with the pipeline's bookkeeping around the nested loop.
template <typename F>
auto RunNested(F &&Fn)
{
  if (HWND cap = ::GetCapture())
    SendMessage(cap, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  return Fn();
}

}  // namespace

void SetMessageBoxHook(TMessageBoxHook Hook) { BoxHook() = std::move(Hook); }
void SetFileDialogHook(TFileDialogHook Hook) { FileHook() = std::move(Hook); }
void SetColorDialogHook(TColorDialogHook Hook) { ColorHook() = std::move(Hook); }
void SetFontDialogHook(TFontDialogHook Hook) { FontHook() = std::move(Hook); }
void SetOpenURLHandler(TOpenURLHandler Handler) { URLHandler() = std::move(Handler); }

int MsgDlgDefaultAnswer(TMsgDlgButtons Buttons)
{
  if (Buttons.Contains(mbCancel)) return mrCancel;
  if (Buttons.Contains(mbNo)) return mrNo;
  if (Buttons.Contains(mbOK)) return mrOk;
  if (Buttons.Contains(mbAbort)) return mrAbort;
  if (Buttons.Contains(mbIgnore)) return mrIgnore;
  if (Buttons.Contains(mbClose)) return mrClose;
  return mrCancel;
}

TModalResult ModalResultOfButton(TMsgDlgBtn Button)
{
  switch (Button) {
  case mbYes: return mrYes;
  case mbNo: return mrNo;
  case mbOK: return mrOk;
  case mbCancel: return mrCancel;
  case mbAbort: return mrAbort;
  case mbRetry: return mrRetry;
  case mbIgnore: return mrIgnore;
  case mbAll: return mrAll;
  case mbNoToAll: return mrNoToAll;
  case mbYesToAll: return mrYesToAll;
  case mbClose: return mrClose;
  case mbHelp: return mrNone;
  }
  return mrNone;
}

QString MsgDlgCaption(TMsgDlgType DlgType)
{
  switch (DlgType) {
  case mtWarning: return QStringLiteral("Warning");
  case mtError: return QStringLiteral("Error");
  case mtInformation: return QStringLiteral("Information");
  case mtConfirmation: return QStringLiteral("Confirm");
  case mtCustom: return Application ? Application->Title() : QString();
  }
  return QString();
}

QString MsgDlgButtonCaption(TMsgDlgBtn Button)
{
  switch (Button) {
  case mbYes: return QStringLiteral("&Yes");
  case mbNo: return QStringLiteral("&No");
  case mbOK: return QStringLiteral("OK");
  case mbCancel: return QStringLiteral("Cancel");
  case mbAbort: return QStringLiteral("&Abort");
  case mbRetry: return QStringLiteral("&Retry");
  case mbIgnore: return QStringLiteral("&Ignore");
  case mbAll: return QStringLiteral("&All");
  case mbNoToAll: return QStringLiteral("N&o to All");
  case mbYesToAll: return QStringLiteral("Yes to &All");
  case mbHelp: return QStringLiteral("&Help");
  case mbClose: return QStringLiteral("&Close");
  }
  return QString();
}

TBuiltMessageBox BuildMessageBox(const TMessageBoxRequest &Request)
{
  TBuiltMessageBox built;
  built.Box = std::make_unique<QMessageBox>();
  QMessageBox &box = *built.Box;
  box.setWindowTitle(Request.Caption);
  box.setTextFormat(Qt::PlainText);
  box.setText(Request.Text);
  switch (Request.DlgType) {
  case mtWarning: box.setIcon(QMessageBox::Warning); break;
  case mtError: box.setIcon(QMessageBox::Critical); break;
  case mtInformation: box.setIcon(QMessageBox::Information); break;
  case mtConfirmation: box.setIcon(QMessageBox::Question); break;
  case mtCustom: break;
  }
  for (int b = mbYes; b <= mbClose; ++b) {
    const auto btn = TMsgDlgBtn(b);
    if (!Request.Buttons.Contains(btn))
      continue;
    QPushButton *pb = box.addButton(MsgDlgButtonCaption(btn), QMessageBox::ActionRole);
    built.Buttons.emplace_back(pb, btn);
    if (btn == Request.DefaultButton)
      box.setDefaultButton(pb);
    if (btn == mbCancel || (btn == mbNo && !Request.Buttons.Contains(mbCancel)))
      box.setEscapeButton(pb);
  }
  return built;
}

static int ShowBox(const TMessageBoxRequest &Request)
{
  if (BoxHook())
    return RunNested([&]() { return BoxHook()(Request); });
  if (Offscreen()) {
    qWarning("Message box without a user: \"%s\"", qPrintable(Request.Text));
    return MsgDlgDefaultAnswer(Request.Buttons);
  }
  return RunNested([&]() {
    TBuiltMessageBox built = BuildMessageBox(Request);
    built.Box->exec();
    for (auto &[pb, btn] : built.Buttons)
      if (built.Box->clickedButton() == pb)
        return int(ModalResultOfButton(btn));
    return int(mrCancel);
  });
}

int MessageDlg(const QString &Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, TMsgDlgBtn DefaultButton)
{
  TMessageBoxRequest r;
  r.DlgType = DlgType;
  r.Caption = MsgDlgCaption(DlgType);
  r.Text = Msg;
  r.Buttons = Buttons;
  r.DefaultButton = DefaultButton;
  r.HelpCtx = HelpCtx;
  return ShowBox(r);
}

int MessageDlg(const QString &Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
  // The first of OK, Yes, Yes to All, Retry, All is the default button, as the original picks.
  TMsgDlgBtn def = mbOK;
  for (TMsgDlgBtn b : {mbOK, mbYes, mbYesToAll, mbRetry, mbAll, mbNo, mbCancel, mbAbort, mbIgnore, mbClose}) {
    if (Buttons.Contains(b)) {
      def = b;
      break;
    }
  }
  return MessageDlg(Msg, DlgType, Buttons, HelpCtx, def);
}

int MessageDlgPos(const QString &Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int, int)
{
  return MessageDlg(Msg, DlgType, Buttons, HelpCtx);
}

void ShowMessage(const QString &Msg)
{
  TMessageBoxRequest r;
  r.DlgType = mtCustom;
  r.Caption = Application ? Application->Title() : QString();
  r.Text = Msg;
  r.Buttons = {mbOK};
  r.DefaultButton = mbOK;
  ShowBox(r);
}

int MessageBox(HWND, const QString &Text, const QString &Caption, uint32_t Type)
{
  TMessageBoxRequest r;
  r.Caption = Caption;
  r.Text = Text;
  switch (Type & 0xF0) {
  case MB_ICONSTOP: r.DlgType = mtError; break;
  case MB_ICONQUESTION: r.DlgType = mtConfirmation; break;
  case MB_ICONWARNING: r.DlgType = mtWarning; break;
  case MB_ICONINFORMATION: r.DlgType = mtInformation; break;
  default: r.DlgType = mtCustom; break;
  }
  std::vector<TMsgDlgBtn> order;
  switch (Type & 0x0F) {
  case MB_OKCANCEL: order = {mbOK, mbCancel}; break;
  case MB_ABORTRETRYIGNORE: order = {mbAbort, mbRetry, mbIgnore}; break;
  case MB_YESNOCANCEL: order = {mbYes, mbNo, mbCancel}; break;
  case MB_YESNO: order = {mbYes, mbNo}; break;
  case MB_RETRYCANCEL: order = {mbRetry, mbCancel}; break;
  default: order = {mbOK}; break;
  }
  for (TMsgDlgBtn b : order)
    r.Buttons += b;
  const size_t defIndex = (Type & MB_DEFBUTTON3) ? 2 : (Type & MB_DEFBUTTON2) ? 1 : 0;
  r.DefaultButton = order[std::min(defIndex, order.size() - 1)];
  // Modal results and ID* answers share their numbers.
  return ShowBox(r);
}

// ---------------------------------------------------------------------------------------------
// File dialogs

QStringList FilterToNameFilters(const QString &Filter)
{
  QStringList result;
  const QStringList parts = Filter.split(QLatin1Char('|'));
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    result << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return result;
}

QString NormalizeDefaultExt(const QString &DefaultExt)
{
  QString ext = DefaultExt.trimmed();
  if (ext.startsWith(QLatin1Char('*')))
    ext.remove(0, 1);
  if (ext.startsWith(QLatin1Char('.')))
    ext.remove(0, 1);
  // What is left of "*.*" or "*" is a pattern, not an extension.
  if (ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?')))
    return QString();
  return ext;
}

QString ApplyDefaultExt(const QString &FileName, const QString &DefaultExt)
{
  const QString ext = NormalizeDefaultExt(DefaultExt);
  if (FileName.isEmpty() || ext.isEmpty())
    return FileName;
  const QString name = QFileInfo(FileName).fileName();
  if (name.contains(QLatin1Char('.')))
    return FileName;
  return FileName + QLatin1Char('.') + ext;
}

TOpenDialog::TOpenDialog(TComponent *AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

bool TOpenDialog::Execute() { return DoExecute(false); }

bool TSaveDialog::Execute() { return DoExecute(true); }

bool TOpenDialog::DoExecute(bool Save)
{
  TFileDialogRequest r;
  r.Save = Save;
  r.Title = FTitle;
  r.Filter = FFilter;
  r.FilterIndex = FFilterIndex;
  r.DefaultExt = NormalizeDefaultExt(FDefaultExt);
  r.InitialDir = FInitialDir;
  r.FileName = FFileName;
  r.Options = FOptions;
  if (OnShow)
    OnShow(this);
  bool ok = false;
  if (FileHook()) {
    ok = RunNested([&]() { return FileHook()(r); });
  } else if (Offscreen()) {
    qWarning("File dialog without a user: cancelled");
    ok = false;
  } else {
    ok = RunNested([&]() {
      QFileDialog dlg(nullptr, r.Title, r.InitialDir);
      dlg.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
      if (Save)
        dlg.setFileMode(QFileDialog::AnyFile);
      else
        dlg.setFileMode(r.Options.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
      if (!r.Options.Contains(ofOverwritePrompt))
        dlg.setOption(QFileDialog::DontConfirmOverwrite);
      const QStringList filters = FilterToNameFilters(r.Filter);
      if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        if (r.FilterIndex >= 1 && r.FilterIndex <= filters.size())
          dlg.selectNameFilter(filters[r.FilterIndex - 1]);
      }
      if (!r.DefaultExt.isEmpty())
        dlg.setDefaultSuffix(r.DefaultExt);
      if (!r.FileName.isEmpty())
        dlg.selectFile(r.FileName);
      if (dlg.exec() != QDialog::Accepted)
        return false;
      r.Files = dlg.selectedFiles();
      r.FileName = r.Files.value(0);
      const int idx = filters.indexOf(dlg.selectedNameFilter());
      if (idx >= 0)
        r.FilterIndex = idx + 1;
      return true;
    });
  }
  if (ok) {
    if (Save)
      r.FileName = ApplyDefaultExt(r.FileName, r.DefaultExt);
    if (r.Files.isEmpty())
      r.Files << r.FileName;
    FFileName = r.FileName;
    FFilterIndex = r.FilterIndex;
    FFiles->Clear();
    for (const QString &f : r.Files)
      FFiles->Add(f);
  }
  if (OnClose)
    OnClose(this);
  return ok;
}

// ---------------------------------------------------------------------------------------------
// Colour and font dialogs

bool TColorDialog::Execute()
{
  TColor c = FColor;
  bool ok = false;
  if (ColorHook()) {
    ok = RunNested([&]() { return ColorHook()(c); });
  } else if (!Offscreen()) {
    ok = RunNested([&]() {
      const QColor q = QColorDialog::getColor(ColorToQColor(c));
      if (!q.isValid())
        return false;
      c = QColorToColor(q);
      return true;
    });
  }
  if (ok)
    FColor = c;
  return ok;
}

TFontDialog::TFontDialog(TComponent *AOwner) : TCommonDialog(AOwner), FFont(std::make_unique<TFont>()) {}

bool TFontDialog::Execute()
{
  TFont f;
  f.Assign(FFont.get());
  bool ok = false;
  if (FontHook()) {
    ok = RunNested([&]() { return FontHook()(&f); });
  } else if (!Offscreen()) {
    ok = RunNested([&]() {
      bool accepted = false;
      const QFont q = QFontDialog::getFont(&accepted, f.ToQFont());
      if (!accepted)
        return false;
      f.SetName(q.family());
      if (q.pointSize() > 0)
        f.SetSize(q.pointSize());
      TFontStyles s;
      if (q.bold()) s += fsBold;
      if (q.italic()) s += fsItalic;
      if (q.underline()) s += fsUnderline;
      if (q.strikeOut()) s += fsStrikeOut;
      f.SetStyle(s);
      return true;
    });
  }
  if (ok)
    FFont->Assign(&f);
  return ok;
}

// ---------------------------------------------------------------------------------------------

bool OpenURL(const QString &URL)
{
  if (URLHandler())
    return URLHandler()(URL);
  return QDesktopServices::openUrl(QUrl::fromUserInput(URL));
}
