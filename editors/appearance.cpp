#include "editors/appearance.h"

namespace {

// A button's change reaches whoever watches its collection.
template <typename Buttons>
void NotifyCollection(TCollection *Collection)
{
  auto *buttons = dynamic_cast<Buttons *>(Collection);
  if (buttons && buttons->FOnChange)
    buttons->FOnChange(buttons);
}

template <typename T>
void StoreAndNotify(T &Field, const T &Value, const std::function<void()> &Changed)
{
  if (Field == Value)
    return;
  Field = Value;
  Changed();
}

}  // namespace

THeaderButton::THeaderButton(TCollection *Collection) : TCollectionItem(Collection) {}

void THeaderButton::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<THeaderButton *>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  FCaption = src->FCaption;
  FImageIndex = src->FImageIndex;
  FEnabled = src->FEnabled;
  FWidth = src->FWidth;
  FHeight = src->FHeight;
}

void THeaderButton::Changed() { NotifyCollection<THeaderButtons>(Collection()); }
void THeaderButton::SetCaption(const QString &Value) { StoreAndNotify(FCaption, Value, [this] { Changed(); }); }
void THeaderButton::SetEnabled(bool Value) { StoreAndNotify(FEnabled, Value, [this] { Changed(); }); }
void THeaderButton::SetWidth(int Value) { StoreAndNotify(FWidth, Value, [this] { Changed(); }); }

TFooterButton::TFooterButton(TCollection *Collection) : TCollectionItem(Collection) {}

void TFooterButton::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TFooterButton *>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  FCaption = src->FCaption;
  FEnabled = src->FEnabled;
  FImageIndex = src->FImageIndex;
  FModalResult = src->FModalResult;
  FWidth = src->FWidth;
  FHeight = src->FHeight;
}

void TFooterButton::Changed() { NotifyCollection<TFooterButtons>(Collection()); }
void TFooterButton::SetCaption(const QString &Value) { StoreAndNotify(FCaption, Value, [this] { Changed(); }); }
void TFooterButton::SetEnabled(bool Value) { StoreAndNotify(FEnabled, Value, [this] { Changed(); }); }
void TFooterButton::SetWidth(int Value) { StoreAndNotify(FWidth, Value, [this] { Changed(); }); }

THeaderButtons::THeaderButtons(TPersistent *AOwner)
    : TOwnedCollection(AOwner, TCollection::ItemClass<THeaderButton>())
{
}

TFooterButtons::TFooterButtons(TPersistent *AOwner)
    : TCollection(TCollection::ItemClass<TFooterButton>()), FMyOwner(AOwner)
{
}

// ---------------------------------------------------------------------------------------------

THeaderAppearance::THeaderAppearance(TPersistent *AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::make_unique<THeaderButtons>(AOwner))
{
  FFont->SetName(QStringLiteral("Tahoma"));
  FButtons->FOnChange = [this](TObject *Sender) { ButtonsChanged(Sender); };
}

THeaderAppearance::~THeaderAppearance() = default;

void THeaderAppearance::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<THeaderAppearance *>(Source);
  if (!src)
    return;
  FColorTo = src->FColorTo;
  FColor = src->FColor;
  FBorderColor = src->FBorderColor;
  FCaption = src->FCaption;
  FFont->Assign(src->FFont.get());
  FImageIndex = src->FImageIndex;
  FBorderWidth = src->FBorderWidth;
  FGradientDirection = src->FGradientDirection;
  FHeight = src->FHeight;
  SetVisible(src->FVisible);
  FButtonAlignment = src->FButtonAlignment;
  FButtons->Assign(src->FButtons.get());
}

void THeaderAppearance::AssignColors(TPersistent *Source)
{
  auto *src = dynamic_cast<THeaderAppearance *>(Source);
  if (!src)
    return;
  FColorTo = src->FColorTo;
  FColor = src->FColor;
  FBorderColor = src->FBorderColor;
  FFont->Assign(src->FFont.get());
  FGradientDirection = src->FGradientDirection;
}

void THeaderAppearance::SetFont(TFont *Value) { FFont->Assign(Value); }
void THeaderAppearance::SetButtons(THeaderButtons *Value)
{
  if (Value)
    FButtons->Assign(Value);
}
void THeaderAppearance::SetVisible(bool Value) { StoreAndNotify(FVisible, Value, [this] { Changed(); }); }

void THeaderAppearance::Changed()
{
  if (OnChange)
    OnChange(this);
}

void THeaderAppearance::ButtonsChanged(TObject *)
{
  if (OnButtonsChanged)
    OnButtonsChanged(this);
}

// ---------------------------------------------------------------------------------------------

TFooterAppearance::TFooterAppearance(TPersistent *AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::make_unique<TFooterButtons>(AOwner))
{
  FButtons->FOnChange = [this](TObject *Sender) { ButtonsChanged(Sender); };
}

TFooterAppearance::~TFooterAppearance() = default;

void TFooterAppearance::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TFooterAppearance *>(Source);
  if (!src)
    return;
  FBorderColor = src->FBorderColor;
  FColor = src->FColor;
  FColorTo = src->FColorTo;
  FGradientDirection = src->FGradientDirection;
  FFont->Assign(src->FFont.get());
  FCaption = src->FCaption;
  FSizeGrip = src->FSizeGrip;
  FBorderWidth = src->FBorderWidth;
  FHeight = src->FHeight;
  FImageIndex = src->FImageIndex;
  SetVisible(src->FVisible);
  FButtonAlignment = src->FButtonAlignment;
  FButtons->Assign(src->FButtons.get());
}

void TFooterAppearance::AssignColors(TPersistent *Source)
{
  auto *src = dynamic_cast<TFooterAppearance *>(Source);
  if (!src)
    return;
  FBorderColor = src->FBorderColor;
  FColor = src->FColor;
  FColorTo = src->FColorTo;
  FGradientDirection = src->FGradientDirection;
  FFont->Assign(src->FFont.get());
}

void TFooterAppearance::SetFont(TFont *Value) { FFont->Assign(Value); }
void TFooterAppearance::SetButtons(TFooterButtons *Value)
{
  if (Value)
    FButtons->Assign(Value);
}
void TFooterAppearance::SetVisible(bool Value) { StoreAndNotify(FVisible, Value, [this] { Changed(); }); }

void TFooterAppearance::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TFooterAppearance::ButtonsChanged(TObject *)
{
  if (OnButtonsChanged)
    OnButtonsChanged(this);
}
