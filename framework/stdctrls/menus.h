#pragma once
// Menus: menu items and the popup menu. A popup shows as a Qt menu in the classic look; the
// chosen item's Click runs after the menu has closed, as the platform reports the command.
#include <QString>

#include <functional>
#include <map>
#include <vector>

#include "framework/classes/classes.h"
#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"

class QAction;
class QMenu;
class TMenu;
class TPopupMenu;

using TShortCut = uint16_t;
// scShift, scCtrl and scAlt combined with a virtual-key code.
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(uint16_t Key, TShiftState Shift);

class TMenuItem : public TComponent {
  friend class TMenu;

public:
  explicit TMenuItem(TComponent *AOwner);
  ~TMenuItem() override;

  QString Caption() const { return FCaption; }
  void SetCaption(const QString &Value) { FCaption = Value; }
  bool Checked() const { return FChecked; }
  // A checked radio item unchecks the radio items of its group.
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value) { FRadioItem = Value; }
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  uint8_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(uint8_t Value) { FGroupIndex = Value; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  QString Hint() const { return FHint; }
  void SetHint(const QString &Value) { FHint = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  // A caption of "-" makes a separator line.
  bool IsLine() const { return FCaption == QLatin1String("-"); }

  // Sub-items. Items added here belong to this item (deleted with it) unless removed.
  int Count() const { return int(FItems.size()); }
  TMenuItem *Items(int Index) const;
  TMenuItem *operator[](int Index) const { return Items(Index); }
  void Add(TMenuItem *Item);
  void Insert(int Index, TMenuItem *Item);
  void Delete(int Index);  // deletes the item
  void Remove(TMenuItem *Item);  // takes the item out without deleting it
  void Clear();  // deletes every sub-item
  int IndexOf(TMenuItem *Item) const;
  // Sub-item by caption, ignoring "&" and case; nullptr when none.
  TMenuItem *Find(const QString &ACaption) const;
  TMenuItem *Parent() const { return FParent; }  // not owned
  int MenuIndex() const;
  // The item and its enclosing menu, if any.
  TMenu *GetParentMenu() const;

  // Runs the item's command: AutoCheck toggles Checked, then OnClick.
  virtual void Click();

  TNotifyEvent OnClick;

private:
  QString FCaption;
  QString FHint;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  bool FAutoCheck = false;
  bool FDefault = false;
  uint8_t FGroupIndex = 0;
  TShortCut FShortCut = 0;
  int FImageIndex = -1;
  std::vector<TMenuItem *> FItems;
  TMenuItem *FParent = nullptr;
  TMenu *FMenu = nullptr;  // set on the root item of a menu
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent *AOwner);
  ~TMenu() override;
  TMenuItem *Items() const { return FItems.get(); }
  TImageList *Images() const { return FImages; }  // not owned
  void SetImages(TImageList *Value) { FImages = Value; }
  // The item with the short-cut, searched depth-first; nullptr when none.
  TMenuItem *FindItemByShortCut(TShortCut Value) const;

private:
  std::unique_ptr<TMenuItem> FItems;
  TImageList *FImages = nullptr;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

// What a test or the platform does with a popup: returns the chosen item (or nullptr).
using TPopupMenuRunner = std::function<TMenuItem *(TPopupMenu *Menu, TPoint ScreenPos)>;

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent *AOwner);
  ~TPopupMenu() override;

  // Shows the menu at a screen point and runs the chosen item's Click after it closed.
  virtual void Popup(int X, int Y);
  // The control whose right click opened the menu (not owned).
  TComponent *PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent *Value) { FPopupComponent = Value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  TPoint PopupPoint() const { return FPopupPoint; }

  TNotifyEvent OnPopup;

  // The Qt menu the popup shows, in the classic look; the caller owns it. Map, when given,
  // receives the item of each action.
  QMenu *CreateQtMenu(std::map<QAction *, TMenuItem *> *Map = nullptr);

  // Replaces the Qt menu (tests choose an item). An empty runner restores the Qt menu.
  static void SetRunner(TPopupMenuRunner Runner);

protected:
  virtual void DoPopup(TObject *Sender);

private:
  TComponent *FPopupComponent = nullptr;
  bool FAutoPopup = true;
  TPopupAlignment FAlignment = paLeft;
  TPoint FPopupPoint;
};
