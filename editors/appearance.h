#pragma once
// Settings of the header (title) bar and the footer (status) bar of a drop-down editor's popup:
// colours, border, caption font, image, height, visibility and the bar's buttons. They only hold
// and copy settings; the bars paint themselves from a copy.
#include <QString>

#include <memory>

#include "framework/classes/classes.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/extctrls.h"

enum class TButtonAlignment { baLeft, baRight };
using enum TButtonAlignment;

class THeaderButtons;
class TFooterButtons;

// What the buttons of both bars share. Buttons: the collection class whose OnChange a change
// of the caption, the enabled state or the width fires.
template <typename Buttons>
class TBarButton : public TCollectionItem {
public:
  explicit TBarButton(TCollection *Collection) : TCollectionItem(Collection) {}

  QString Caption() const { return FCaption; }
  void SetCaption(const QString &Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  // A height change is seen at the bar's next preparation; it notifies nobody.
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }

protected:
  // Tells the owning collection's OnChange.
  void Changed();
  // Copies the shared properties silently.
  void CopyButton(const TBarButton &Source);

private:
  QString FCaption;
  int FImageIndex = -1;
  bool FEnabled = true;
  int FHeight = 0;
  int FWidth = 0;
};

class THeaderButton : public TBarButton<THeaderButtons> {
public:
  using TBarButton::TBarButton;
  void Assign(TPersistent *Source) override;
};

class TFooterButton : public TBarButton<TFooterButtons> {
public:
  using TBarButton::TBarButton;
  void Assign(TPersistent *Source) override;

  int ModalResult() const { return FModalResult; }
  void SetModalResult(int Value) { FModalResult = Value; }

private:
  int FModalResult = 0;
};

// The owner of a button collection is the owner given to its appearance, not the appearance.
class THeaderButtons : public TOwnedCollection {
public:
  explicit THeaderButtons(TPersistent *AOwner);
  THeaderButton *Add() { return static_cast<THeaderButton *>(TCollection::Add()); }
  THeaderButton *Insert(int Index) { return static_cast<THeaderButton *>(TCollection::Insert(Index)); }
  THeaderButton *Items(int Index) const { return static_cast<THeaderButton *>(TCollection::Items(Index)); }

  // Fired by a button's Changed with the collection as sender; adding, deleting and moving
  // buttons do not fire it.
  TNotifyEvent FOnChange;
};

class TFooterButtons : public TCollection {
public:
  explicit TFooterButtons(TPersistent *AOwner);
  TPersistent *GetOwner() override { return FMyOwner; }
  TFooterButton *Add() { return static_cast<TFooterButton *>(TCollection::Add()); }
  TFooterButton *Insert(int Index) { return static_cast<TFooterButton *>(TCollection::Insert(Index)); }
  TFooterButton *Items(int Index) const { return static_cast<TFooterButton *>(TCollection::Items(Index)); }

  TNotifyEvent FOnChange;

private:
  TPersistent *FMyOwner;  // not owned
};

// ---------------------------------------------------------------------------------------------

// What the header and the footer bar share. Buttons: the bar's button collection class.
template <typename Buttons>
class TBarAppearance : public TPersistent {
public:
  // AOwner (not owned) is what GetOwner answers and the owner of the button collection.
  explicit TBarAppearance(TPersistent *AOwner);
  ~TBarAppearance() override;
  TPersistent *GetOwner() override { return FOwner; }

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { FColorTo = Value; }
  QString Caption() const { return FCaption; }
  void SetCaption(const QString &Value) { FCaption = Value; }
  TFont *Font() const { return FFont.get(); }
  // Copies Value into the owned font.
  void SetFont(TFont *Value);
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
  bool Visible() const { return FVisible; }
  // The only writer that notifies: OnChange on a change. Other changes are seen when a bar next
  // copies the settings.
  void SetVisible(bool Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  Buttons *GetButtons() const { return FButtons.get(); }
  // Copies the given collection.
  void SetButtons(Buttons *Value);
  TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
  void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnButtonsChanged;

protected:
  // Everything; Visible through its writer after Height, the buttons last.
  void CopyBar(const TBarAppearance &Source);
  // The colours and the font, silently.
  void CopyColors(const TBarAppearance &Source);
  void Changed();
  void ButtonsChanged(TObject *Sender);

  TPersistent *FOwner;  // not owned
  bool FVisible = true;
  int FHeight = 22;
  int FBorderWidth = 1;
  int FImageIndex = -1;
  QString FCaption;
  TColor FColorTo = 0xFFFFFF;
  TColor FColor = 0xC0C0C0;
  TColor FBorderColor = 0;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<Buttons> FButtons;
  TGradientDirection FGradientDirection = gdVertical;
  TButtonAlignment FButtonAlignment = baRight;
};

class THeaderAppearance : public TBarAppearance<THeaderButtons> {
public:
  // The caption font is Tahoma.
  explicit THeaderAppearance(TPersistent *AOwner);
  // From another THeaderAppearance only.
  void Assign(TPersistent *Source) override;
  void AssignColors(TPersistent *Source);
  THeaderButtons *Buttons() const { return GetButtons(); }
};

class TFooterAppearance : public TBarAppearance<TFooterButtons> {
public:
  // The caption font is the framework's default font.
  explicit TFooterAppearance(TPersistent *AOwner) : TBarAppearance(AOwner) {}
  // From another TFooterAppearance only.
  void Assign(TPersistent *Source) override;
  void AssignColors(TPersistent *Source);
  TFooterButtons *Buttons() const { return GetButtons(); }

  // A size grip at the bottom right of the popup.
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value) { FSizeGrip = Value; }

private:
  bool FSizeGrip = true;
};
