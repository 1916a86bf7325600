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

class THeaderButton : public TCollectionItem {
public:
  explicit THeaderButton(TCollection *Collection);
  void Assign(TPersistent *Source) override;

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

private:
  QString FCaption;
  int FImageIndex = -1;
  bool FEnabled = true;
  int FHeight = 0;
  int FWidth = 0;
};

class TFooterButton : public TCollectionItem {
public:
  explicit TFooterButton(TCollection *Collection);
  void Assign(TPersistent *Source) override;

  QString Caption() const { return FCaption; }
  void SetCaption(const QString &Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int Value) { FModalResult = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }

protected:
  void Changed();

private:
  QString FCaption;
  int FImageIndex = -1;
  int FModalResult = 0;
  bool FEnabled = true;
  int FHeight = 0;
  int FWidth = 0;
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

class THeaderAppearance : public TPersistent {
public:
  // AOwner (not owned) is what GetOwner answers and the owner of the button collection.
  explicit THeaderAppearance(TPersistent *AOwner);
  ~THeaderAppearance() override;
  // From another THeaderAppearance only; Visible goes through its writer, after Height.
  void Assign(TPersistent *Source) override;
  // The colours and the font only, silently.
  void AssignColors(TPersistent *Source);
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
  // The only writer that notifies: OnChange on a change.
  void SetVisible(bool Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  THeaderButtons *Buttons() const { return FButtons.get(); }
  // Copies the given collection.
  void SetButtons(THeaderButtons *Value);
  TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
  void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnButtonsChanged;

protected:
  void Changed();
  void ButtonsChanged(TObject *Sender);

private:
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
  std::unique_ptr<THeaderButtons> FButtons;
  TGradientDirection FGradientDirection = gdVertical;
  TButtonAlignment FButtonAlignment = baRight;
};

class TFooterAppearance : public TPersistent {
public:
  explicit TFooterAppearance(TPersistent *AOwner);
  ~TFooterAppearance() override;
  // From another TFooterAppearance only; Visible goes through its writer, after Height.
  void Assign(TPersistent *Source) override;
  void AssignColors(TPersistent *Source);
  TPersistent *GetOwner() override { return FOwner; }

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { FColorTo = Value; }
  QString Caption() const { return FCaption; }
  void SetCaption(const QString &Value) { FCaption = Value; }
  TFont *Font() const { return FFont.get(); }
  void SetFont(TFont *Value);
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value) { FSizeGrip = Value; }
  TFooterButtons *Buttons() const { return FButtons.get(); }
  void SetButtons(TFooterButtons *Value);
  TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
  void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnButtonsChanged;

protected:
  void Changed();
  void ButtonsChanged(TObject *Sender);

private:
  TPersistent *FOwner;  // not owned
  bool FVisible = true;
  int FHeight = 22;
  int FBorderWidth = 1;
  bool FSizeGrip = true;
  QString FCaption;
  TColor FColorTo = 0xFFFFFF;
  TColor FColor = 0xC0C0C0;
  TColor FBorderColor = 0;
  std::unique_ptr<TFont> FFont;
  int FImageIndex = -1;
  std::unique_ptr<TFooterButtons> FButtons;
  TGradientDirection FGradientDirection = gdVertical;
  TButtonAlignment FButtonAlignment = baRight;
};
