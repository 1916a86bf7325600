#include "framework/testing/ui_script.h"

namespace {
// The innermost script answers; when it ends, the one around it takes over again.
TUIScript *Active = nullptr;

QStringList TextsOf(const std::vector<TShownDialog> &Shown, TShownKind Kind)
{
  QStringList list;
  for (const auto &s : Shown)
    if (s.Kind == Kind)
      list << s.Text;
  return list;
}
}  // namespace

TUIScript::TUIScript() : FPrevious(Active)
{
  Active = this;
  Install();
}

void TUIScript::Install()
{
  SetMessageBoxHook([this](const TMessageBoxRequest &r) {
    TShownDialog s;
    s.Kind = skMessage;
    s.DlgType = r.DlgType;
    s.Caption = r.Caption;
    s.Text = r.Text;
    s.Buttons = r.Buttons;
    s.DefaultButton = r.DefaultButton;
    if (!FMessages.empty()) {
      auto answer = std::move(FMessages.front());
      FMessages.pop_front();
      s.Scripted = true;
      s.Answer = answer(r);
    } else {
      s.Answer = MsgDlgDefaultAnswer(r.Buttons);
    }
    FShown.push_back(s);
    return s.Answer;
  });
  SetFileDialogHook([this](TFileDialogRequest &r) {
    TShownDialog s;
    s.Kind = r.Save ? skSaveFile : skOpenFile;
    s.Caption = r.Title;
    s.File = r;
    bool ok = false;
    if (!FFiles.empty()) {
      TFileAnswer a = FFiles.front();
      FFiles.pop_front();
      s.Scripted = true;
      ok = a.Accept;
      if (ok) {
        r.Files = a.Files;
        r.FileName = a.Files.value(0);
        if (a.FilterIndex > 0)
          r.FilterIndex = a.FilterIndex;
      }
    }
    s.Answer = ok ? 1 : 0;
    FShown.push_back(s);
    return ok;
  });
  SetColorDialogHook([this](TColor &c) {
    TShownDialog s;
    s.Kind = skColor;
    bool ok = false;
    if (!FColors.empty()) {
      auto a = FColors.front();
      FColors.pop_front();
      s.Scripted = true;
      ok = a.first;
      if (ok)
        c = a.second;
    }
    s.Answer = ok ? 1 : 0;
    FShown.push_back(s);
    return ok;
  });
  SetFontDialogHook([this](TFont *f) {
    TShownDialog s;
    s.Kind = skFont;
    bool ok = false;
    if (!FFonts.empty()) {
      auto a = std::move(FFonts.front());
      FFonts.pop_front();
      s.Scripted = true;
      ok = a.first;
      if (ok && a.second)
        a.second(f);
    }
    s.Answer = ok ? 1 : 0;
    FShown.push_back(s);
    return ok;
  });
  SetModalFormHook([this](TCustomForm *f) {
    TShownDialog s;
    s.Kind = skForm;
    s.FormClass = f->ClassName();
    s.FormName = f->Name();
    s.Caption = f->Caption();
    const size_t index = FShown.size();
    FShown.push_back(s);
    if (!FForms.empty()) {
      auto action = std::move(FForms.front());
      FForms.pop_front();
      FShown[index].Scripted = true;
      action(f);
    }
  });
  SetOpenURLHandler([this](const QString &url) {
    TShownDialog s;
    s.Kind = skURL;
    s.Text = url;
    s.Scripted = true;
    s.Answer = FURLResult ? 1 : 0;
    FShown.push_back(s);
    return FURLResult;
  });
}

TUIScript::~TUIScript()
{
  Active = FPrevious;
  SetMessageBoxHook(nullptr);
  SetFileDialogHook(nullptr);
  SetColorDialogHook(nullptr);
  SetFontDialogHook(nullptr);
  SetModalFormHook(nullptr);
  SetOpenURLHandler(nullptr);
  // An enclosing script answers again.
  if (Active)
    Active->Install();
}

TUIScript &TUIScript::AnswerMessage(int ModalResult)
{
  FMessages.push_back([ModalResult](const TMessageBoxRequest &) { return ModalResult; });
  return *this;
}

TUIScript &TUIScript::AnswerMessage(std::function<int(const TMessageBoxRequest &)> Answer)
{
  FMessages.push_back(std::move(Answer));
  return *this;
}

TUIScript &TUIScript::ChooseFile(const QString &FileName, int FilterIndex)
{
  FFiles.push_back({true, QStringList{FileName}, FilterIndex});
  return *this;
}

TUIScript &TUIScript::ChooseFiles(const QStringList &FileNames)
{
  FFiles.push_back({true, FileNames, 0});
  return *this;
}

TUIScript &TUIScript::CancelFile()
{
  FFiles.push_back({false, {}, 0});
  return *this;
}

TUIScript &TUIScript::ChooseColor(TColor Color)
{
  FColors.emplace_back(true, Color);
  return *this;
}

TUIScript &TUIScript::CancelColor()
{
  FColors.emplace_back(false, clNone);
  return *this;
}

TUIScript &TUIScript::ChooseFont(std::function<void(TFont *)> Change)
{
  FFonts.emplace_back(true, std::move(Change));
  return *this;
}

TUIScript &TUIScript::CancelFont()
{
  FFonts.emplace_back(false, nullptr);
  return *this;
}

TUIScript &TUIScript::OnForm(std::function<void(TCustomForm *)> Action)
{
  FForms.push_back(std::move(Action));
  return *this;
}

QStringList TUIScript::Messages() const { return TextsOf(FShown, skMessage); }
QStringList TUIScript::URLs() const { return TextsOf(FShown, skURL); }

int TUIScript::Unscripted() const
{
  int n = 0;
  for (const auto &s : FShown)
    if (!s.Scripted)
      ++n;
  return n;
}

int TUIScript::PendingAnswers() const
{
  return int(FMessages.size() + FFiles.size() + FColors.size() + FFonts.size() + FForms.size());
}
