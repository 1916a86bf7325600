#include "framework/stdctrls/menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPointer>

#include <map>

#include "framework/controls/classiclook.h"

namespace {

TPopupMenuRunner &Runner()
{
  static TPopupMenuRunner r;
  return r;
}

QString StripAmpersands(const QString &S)
{
  QString r;
  for (int i = 0; i < S.size(); ++i) {
    if (S.at(i) == QLatin1Char('&')) {
      if (i + 1 < S.size() && S.at(i + 1) == QLatin1Char('&'))
        r += QLatin1Char('&'), ++i;
      continue;
    }
    r += S.at(i);
  }
  return r;
}

QKeySequence ShortCutToKeySequence(TShortCut sc)
{
  if (sc == 0)
    return QKeySequence();
  const int vk = sc & 0xFF;
  int key = 0;
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
    key = vk;
  else if (vk >= VK_F1 && vk <= VK_F12)
    key = Qt::Key_F1 + (vk - VK_F1);
  else {
    switch (vk) {
    case VK_DELETE: key = Qt::Key_Delete; break;
    case VK_INSERT: key = Qt::Key_Insert; break;
    case VK_RETURN: key = Qt::Key_Return; break;
    case VK_ESCAPE: key = Qt::Key_Escape; break;
    case VK_BACK: key = Qt::Key_Backspace; break;
    case VK_TAB: key = Qt::Key_Tab; break;
    case VK_SPACE: key = Qt::Key_Space; break;
    case VK_HOME: key = Qt::Key_Home; break;
    case VK_END: key = Qt::Key_End; break;
    case VK_PRIOR: key = Qt::Key_PageUp; break;
    case VK_NEXT: key = Qt::Key_PageDown; break;
    case VK_LEFT: key = Qt::Key_Left; break;
    case VK_RIGHT: key = Qt::Key_Right; break;
    case VK_UP: key = Qt::Key_Up; break;
    case VK_DOWN: key = Qt::Key_Down; break;
    default: return QKeySequence();
    }
  }
  int mods = 0;
  if (sc & scShift) mods |= Qt::SHIFT;
  if (sc & scCtrl) mods |= Qt::CTRL;
  if (sc & scAlt) mods |= Qt::ALT;
  return QKeySequence(key | mods);
}

// Builds the Qt menu of an item's sub-items; maps each action back to its item.
void BuildMenu(QMenu *Menu, TMenuItem *Parent, TImageList *Images, std::map<QAction *, TMenuItem *> &Map)
{
  for (int i = 0; i < Parent->Count(); ++i) {
    TMenuItem *it = Parent->Items(i);
    if (!it->Visible())
      continue;
    if (it->IsLine()) {
      Menu->addSeparator();
      continue;
    }
    if (it->Count() > 0) {
      QMenu *sub = Menu->addMenu(it->Caption());
      sub->setEnabled(it->Enabled());
      BuildMenu(sub, it, Images, Map);
      continue;
    }
    QAction *a = Menu->addAction(it->Caption());
    a->setEnabled(it->Enabled());
    if (it->Checked() || it->AutoCheck() || it->RadioItem()) {
      a->setCheckable(it->Checked() || it->AutoCheck());
      a->setChecked(it->Checked());
    }
    if (it->Default()) {
      QFont f = a->font();
      f.setBold(true);
      a->setFont(f);
    }
    if (Images && it->ImageIndex() >= 0 && it->ImageIndex() < Images->Count())
      a->setIcon(QIcon(QPixmap::fromImage(Images->ImageAt(it->ImageIndex()))));
    const QKeySequence ks = ShortCutToKeySequence(it->ShortCut());
    if (!ks.isEmpty())
      a->setShortcut(ks);
    Map[a] = it;
  }
}

bool PopupHandlerInstalled = false;

}  // namespace

TShortCut ShortCut(uint16_t Key, TShiftState Shift)
{
  TShortCut r = Key & 0xFF;
  if (Shift.Contains(ssShift)) r |= scShift;
  if (Shift.Contains(ssCtrl)) r |= scCtrl;
  if (Shift.Contains(ssAlt)) r |= scAlt;
  return r;
}

// =============================================================================================
// TMenuItem

TMenuItem::TMenuItem(TComponent *AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
  // Sub-items without an owner of their own go with the item.
  std::vector<TMenuItem *> items;
  items.swap(FItems);
  for (TMenuItem *i : items) {
    i->FParent = nullptr;
    if (!i->Owner())
      delete i;
  }
  if (FParent)
    FParent->Remove(this);
}

TMenuItem *TMenuItem::Items(int Index) const
{
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[size_t(Index)];
}

void TMenuItem::Add(TMenuItem *Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem *Item)
{
  if (!Item)
    return;
  if (Item->FParent)
    throw EInvalidOperation(QStringLiteral("Menu inserted twice"));
  if (Index < 0 || Index > Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Delete(int Index)
{
  TMenuItem *i = Items(Index);
  FItems.erase(FItems.begin() + Index);
  i->FParent = nullptr;
  delete i;
}

void TMenuItem::Remove(TMenuItem *Item)
{
  const int i = IndexOf(Item);
  if (i < 0)
    return;
  FItems.erase(FItems.begin() + i);
  Item->FParent = nullptr;
}

void TMenuItem::Clear()
{
  while (Count() > 0)
    Delete(Count() - 1);
}

int TMenuItem::IndexOf(TMenuItem *Item) const
{
  for (int i = 0; i < Count(); ++i)
    if (FItems[size_t(i)] == Item)
      return i;
  return -1;
}

TMenuItem *TMenuItem::Find(const QString &ACaption) const
{
  const QString want = StripAmpersands(ACaption);
  for (TMenuItem *i : FItems)
    if (QString::compare(StripAmpersands(i->Caption()), want, Qt::CaseInsensitive) == 0)
      return i;
  return nullptr;
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(const_cast<TMenuItem *>(this)) : -1; }

TMenu *TMenuItem::GetParentMenu() const
{
  const TMenuItem *i = this;
  while (i->FParent)
    i = i->FParent;
  return i->FMenu;
}

void TMenuItem::SetChecked(bool Value)
{
  if (FChecked == Value)
    return;
  FChecked = Value;
  if (Value && FRadioItem && FParent) {
    for (TMenuItem *i : FParent->FItems)
      if (i != this && i->FRadioItem && i->FGroupIndex == FGroupIndex)
        i->FChecked = false;
  }
}

void TMenuItem::Click()
{
  if (!FEnabled)
    return;
  if (FAutoCheck)
    SetChecked(!FChecked);
  if (OnClick)
    OnClick(this);
}

// =============================================================================================
// TMenu, TPopupMenu

TMenu::TMenu(TComponent *AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr))
{
  FItems->FMenu = this;
}

TMenu::~TMenu() = default;

TMenuItem *TMenu::FindItemByShortCut(TShortCut Value) const
{
  if (Value == 0)
    return nullptr;
  std::function<TMenuItem *(TMenuItem *)> find = [&](TMenuItem *p) -> TMenuItem * {
    for (int i = 0; i < p->Count(); ++i) {
      TMenuItem *it = p->Items(i);
      if (it->ShortCut() == Value)
        return it;
      if (TMenuItem *r = find(it))
        return r;
    }
    return nullptr;
  };
  return find(FItems.get());
}

TPopupMenu::TPopupMenu(TComponent *AOwner) : TMenu(AOwner)
{
  if (!PopupHandlerInstalled) {
    PopupHandlerInstalled = true;
    // A right click on a control with a popup menu opens it there.
    SetPopupMenuHandler([](TPopupMenu *Menu, TControl *Sender, TPoint ScreenPos) {
      if (!Menu || !Menu->AutoPopup())
        return false;
      Menu->SetPopupComponent(Sender);
      Menu->Popup(ScreenPos.X, ScreenPos.Y);
      return true;
    });
  }
}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::SetRunner(TPopupMenuRunner R) { Runner() = std::move(R); }

void TPopupMenu::DoPopup(TObject *Sender)
{
  if (OnPopup)
    OnPopup(Sender);
}

QMenu *TPopupMenu::CreateQtMenu(std::map<QAction *, TMenuItem *> *Map)
{
  auto *menu = new QMenu;
  menu->setStyle(ClassicStyle());
  QPalette p = ClassicPalette(clWindow, clMenuText);
  p.setColor(QPalette::Window, ColorToQColor(clMenu));
  p.setColor(QPalette::WindowText, ColorToQColor(clMenuText));
  p.setColor(QPalette::ButtonText, ColorToQColor(clMenuText));
  menu->setPalette(p);
  TFont font;
  menu->setFont(font.ToQFont());
  std::map<QAction *, TMenuItem *> local;
  BuildMenu(menu, Items(), Images(), Map ? *Map : local);
  return menu;
}

void TPopupMenu::Popup(int X, int Y)
{
  FPopupPoint = TPoint(X, Y);
  DoPopup(this);
  TMenuItem *chosen = nullptr;
  if (Runner()) {
    chosen = Runner()(this, FPopupPoint);
  } else {
    std::map<QAction *, TMenuItem *> map;
    std::unique_ptr<QMenu> owned(CreateQtMenu(&map));
    QMenu &menu = *owned;
    QPoint at(X, Y);
    const QSize size = menu.sizeHint();
    if (FAlignment == paRight)
      at.rx() -= size.width();
    else if (FAlignment == paCenter)
      at.rx() -= size.width() / 2;
    QAction *a = menu.exec(at);
    if (a) {
      auto it = map.find(a);
      if (it != map.end())
        chosen = it->second;
    }
  }
  // The command arrives after the menu has closed.
  if (chosen && chosen->Enabled())
    chosen->Click();
}
