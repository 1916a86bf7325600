#include "editors/appearance.h"

namespace {

template <typename T>
void StoreAndNotify(T &Field, const T &Value, const std::function<void()> &Changed)
{
  if (Field == Value)
    return;
  Field = Value;
  Changed();
}

}  // namespace

template <typename Buttons>
void TBarButton<Buttons>::Changed()
{
  auto *buttons = dynamic_cast<Buttons *>(Collection());
  if (buttons && buttons->FOnChange)
    buttons->FOnChange(buttons);
}

template <typename Buttons>
void TBarButton<Buttons>::CopyButton(const TBarButton &Source)
{
  FCaption = Source.FCaption;
  FImageIndex = Source.FImageIndex;
  FEnabled = Source.FEnabled;
  FWidth = Source.FWidth;
  FHeight = Source.FHeight;
}

template <typename Buttons>
void TBarButton<Buttons>::SetCaption(const QString &Value)
{
  StoreAndNotify(FCaption, Value, [this] { Changed(); });
}

template <typename Buttons>
void TBarButton<Buttons>::SetEnabled(bool Value)
{
  StoreAndNotify(FEnabled, Value, [this] { Changed(); });
}

template <typename Buttons>
void TBarButton<Buttons>::SetWidth(int Value)
{
  StoreAndNotify(FWidth, Value, [this] { Changed(); });
}

template class TBarButton<THeaderButtons>;
template class TBarButton<TFooterButtons>;

void THeaderButton::Assign(TPersistent *Source)
{
  if (auto *src = dynamic_cast<THeaderButton *>(Source))
    CopyButton(*src);
  else
    TCollectionItem::Assign(Source);
}

void TFooterButton::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TFooterButton *>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  CopyButton(*src);
  FModalResult = src->FModalResult;
}

THeaderButtons::THeaderButtons(TPersistent *AOwner)
    : TOwnedCollection(AOwner, TCollection::ItemClass<THeaderButton>())
{
}

TFooterButtons::TFooterButtons(TPersistent *AOwner)
    : TCollection(TCollection::ItemClass<TFooterButton>()), FMyOwner(AOwner)
{
}

// ---------------------------------------------------------------------------------------------

template <typename Buttons>
TBarAppearance<Buttons>::TBarAppearance(TPersistent *AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::make_unique<Buttons>(AOwner))
{
  FButtons->FOnChange = [this](TObject *Sender) { ButtonsChanged(Sender); };
}

template <typename Buttons>
TBarAppearance<Buttons>::~TBarAppearance() = default;

template <typename Buttons>
void TBarAppearance<Buttons>::CopyBar(const TBarAppearance &Source)
{
  CopyColors(Source);
  FCaption = Source.FCaption;
  FImageIndex = Source.FImageIndex;
  FBorderWidth = Source.FBorderWidth;
  FHeight = Source.FHeight;
  SetVisible(Source.FVisible);
  FButtonAlignment = Source.FButtonAlignment;
  FButtons->Assign(Source.FButtons.get());
}

template <typename Buttons>
void TBarAppearance<Buttons>::CopyColors(const TBarAppearance &Source)
{
  FColorTo = Source.FColorTo;
  FColor = Source.FColor;
  FBorderColor = Source.FBorderColor;
  FFont->Assign(Source.FFont.get());
  FGradientDirection = Source.FGradientDirection;
}

template <typename Buttons>
void TBarAppearance<Buttons>::SetFont(TFont *Value)
{
  FFont->Assign(Value);
}

template <typename Buttons>
void TBarAppearance<Buttons>::SetButtons(Buttons *Value)
{
  if (Value)
    FButtons->Assign(Value);
}

template <typename Buttons>
void TBarAppearance<Buttons>::SetVisible(bool Value)
{
  StoreAndNotify(FVisible, Value, [this] { Changed(); });
}

template <typename Buttons>
void TBarAppearance<Buttons>::Changed()
{
  if (OnChange)
    OnChange(this);
}

template <typename Buttons>
void TBarAppearance<Buttons>::ButtonsChanged(TObject *)
{
  if (OnButtonsChanged)
    OnButtonsChanged(this);
}

template class TBarAppearance<THeaderButtons>;
template class TBarAppearance<TFooterButtons>;

THeaderAppearance::THeaderAppearance(TPersistent *AOwner) : TBarAppearance(AOwner)
{
  FFont->SetName(QStringLiteral("Tahoma"));
}

void THeaderAppearance::Assign(TPersistent *Source)
{
  if (auto *src = dynamic_cast<THeaderAppearance *>(Source))
    CopyBar(*src);
}

void THeaderAppearance::AssignColors(TPersistent *Source)
{
  if (auto *src = dynamic_cast<THeaderAppearance *>(Source))
    CopyColors(*src);
}

void TFooterAppearance::Assign(TPersistent *Source)
{
  auto *src = dynamic_cast<TFooterAppearance *>(Source);
  if (!src)
    return;
  // Before Visible, so that an OnChange handler sees it.
  FSizeGrip = src->FSizeGrip;
  CopyBar(*src);
}

void TFooterAppearance::AssignColors(TPersistent *Source)
{
  if (auto *src = dynamic_cast<TFooterAppearance *>(Source))
    CopyColors(*src);
}
