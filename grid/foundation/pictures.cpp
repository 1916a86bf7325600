#include "grid/foundation/pictures.h"

#include "framework/graphics/pic_loader.h"
#include "framework/system/sysutils.h"

namespace {

uint8_t ByteAt(const QByteArray &d, int i) { return i >= 0 && i < d.size() ? uint8_t(d[i]) : 0; }
uint16_t WordAt(const QByteArray &d, int i) { return uint16_t(ByteAt(d, i) | ByteAt(d, i + 1) << 8); }

// A graphic control extension directly followed by an image descriptor. The whole descriptor
// must lie in the stream: a cut-off file must not make us read its words past the end.
bool IsFrameMarker(const QByteArray &d, int p)
{
  return p + 17 <= d.size() && ByteAt(d, p) == 0x21 && ByteAt(d, p + 1) == 0xF9 && ByteAt(d, p + 2) == 4 &&
         ByteAt(d, p + 8) == 0x2C;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// THTMLPicture

THTMLPicture::THTMLPicture() : FDatastream(std::make_unique<TMemoryStream>()) {}

THTMLPicture::~THTMLPicture() = default;

int THTMLPicture::Width() const
{
  return gpPicture ? MulDiv(gpPicture->HimetricWidth(), FLogPixX, 2540) : 0;
}

int THTMLPicture::Height() const
{
  return gpPicture ? MulDiv(gpPicture->HimetricHeight(), FLogPixY, 2540) : 0;
}

TRasterImage THTMLPicture::ToImage() const
{
  if (!gpPicture)
    return TRasterImage();
  return gpPicture->Image();
}

void THTMLPicture::Clear()
{
  FDatastream->Clear();
  gpPicture.reset();
  FIsEmpty = true;
  FFrame = 1;
  FFrameCount = -1;
  FNextCount = -1;
  FTimerCount = -1;
  FAnimMaxX = FAnimMaxY = 0;
  FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
}

void THTMLPicture::Assign(TPersistent *Source)
{
  if (Source == this)
    return;
  Clear();
  if (auto *other = dynamic_cast<THTMLPicture *>(Source)) {
    if (other->FIsEmpty)
      return;
    FDatastream->WriteBuffer(other->FDatastream->Bytes());
    FIsEmpty = false;
    LoadPicture();
    Changed();
  }
}

void THTMLPicture::AssignGraphic(const TGraphic *Source) { Assign(const_cast<TGraphic *>(Source)); }

bool THTMLPicture::LoadFromData(const QByteArray &Data)
{
  FDatastream->Clear();
  FDatastream->WriteBuffer(Data);
  FIsEmpty = false;
  // New bytes, new frames: the count is taken again.
  FFrameCount = -1;
  LoadPicture();
  Changed();
  return true;
}

void THTMLPicture::LoadFromStream(TStream *Stream)
{
  if (Stream)
    LoadFromData(Stream->ReadRemaining());
}

void THTMLPicture::LoadFromFile(const QString &FileName)
{
  try {
    TMemoryStream ms;
    ms.LoadFromFile(FileName);
    LoadFromData(ms.Bytes());
  } catch (const Exception &) {
    Clear();
  }
}

void THTMLPicture::LoadFromResourceName(void *, const QString &ResName)
{
  QByteArray data;
  if (FindRawResource(ResName, data))
    LoadFromData(data);
}

void THTMLPicture::LoadFromResourceID(void *Instance, int ResID)
{
  LoadFromResourceName(Instance, "#" + IntToStr(ResID));
}

void THTMLPicture::LoadFromURL(const QString &url)
{
  const QString upper = UpperCase(url);
  if (upper.startsWith("RES://")) {
    FID = url;
    LoadFromResourceName(nullptr, url.mid(6));
  } else if (upper.startsWith("FILE://")) {
    FID = url;
    LoadFromFile(url.mid(7));
  } else if (!FAsynch) {
    FURL = url;
    FID = url;
  } else if (!FThreadBusy) {
    FURL = url;
    FThreadBusy = true;
    auto *thread = new TDownLoadThread(this);
    thread->Start();
  }
}

bool THTMLPicture::IsGIF() const
{
  const QByteArray &d = FDatastream->Bytes();
  return d.size() >= 5 && d.startsWith("GIF8");
}

int THTMLPicture::FrameMarker(int Index) const
{
  const QByteArray &d = FDatastream->Bytes();
  int n = 0;
  for (int p = 0; p + 17 <= d.size(); ++p)
    if (IsFrameMarker(d, p) && ++n == Index)
      return p;
  return -1;
}

int THTMLPicture::FrameCount() const
{
  if (!IsGIF())
    return -1;
  if (FFrameCount < 0) {
    const QByteArray &d = FDatastream->Bytes();
    int n = 0;
    for (int p = 0; p + 17 <= d.size(); ++p)
      if (IsFrameMarker(d, p))
        ++n;
    FFrameCount = n;
  }
  return FFrameCount;
}

int THTMLPicture::FrameTime(int i)
{
  const int p = i >= 1 ? FrameMarker(i) : -1;
  if (p < 0)
    return -1;
  const QByteArray &d = FDatastream->Bytes();
  const uint8_t packed = ByteAt(d, p + 3);
  FFrameTransp = (packed & 1) != 0;
  FFrameDisposal = (packed >> 3) & 7;
  return WordAt(d, p + 4);
}

void THTMLPicture::SetFrame(int Value)
{
  FFrame = Value;
  if (FDatastream->Size() > 0) {
    LoadPicture();
    if (OnFrameChange)
      OnFrameChange(this);
  }
}

void THTMLPicture::FrameNext()
{
  ++FFrame;
  if (FFrame > FrameCount())
    FFrame = 1;
}

void THTMLPicture::FramePrev()
{
  --FFrame;
  if (FFrame < 1)
    FFrame = FrameCount();
}

bool THTMLPicture::Step()
{
  if (FIsEmpty || FrameCount() < 2)
    return false;
  bool changed = false;
  if (FNextCount == -1)
    FrameTime(FFrame);
  if (FTimerCount * 10 >= FNextCount) {
    FrameNext();
    LoadPicture();
    FNextCount += FrameTime(FFrame);
    changed = true;
  }
  ++FTimerCount;
  return changed;
}

// The platform loader shows the first image it finds, so for a GIF it gets the bytes before
// the first frame followed by those from the chosen frame on.
void THTMLPicture::LoadPicture()
{
  FAnimMaxX = FAnimMaxY = 0;
  FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
  const QByteArray &d = FDatastream->Bytes();
  QByteArray block = d;
  if (IsGIF() && FrameCount() >= 1) {
    FAnimMaxX = WordAt(d, 6);
    FAnimMaxY = WordAt(d, 8);
    // A frame number out of range shows the file as it is (its first frame).
    const int first = FrameMarker(1);
    const int chosen = FFrame >= 1 && FFrame <= FrameCount() ? FrameMarker(FFrame) : first;
    block = d.left(first) + d.mid(chosen);
    FFrameXPos = WordAt(d, chosen + 9);
    FFrameYPos = WordAt(d, chosen + 11);
    FFrameXSize = WordAt(d, chosen + 13);
    FFrameYSize = WordAt(d, chosen + 15);
  }
  gpPicture.reset();
  if (block.isEmpty())
    throw EInvalidGraphic("Empty image stream created");
  gpPicture = TLoadedPicture::Load(block);
  if (!gpPicture)
    throw EInvalidGraphic("Could not load image. Invalid format");
}

void THTMLPicture::Draw(TCanvas *ACanvas, const TRect &Rect) const
{
  if (FIsEmpty || !gpPicture || !ACanvas)
    return;
  if (FStretched) {
    gpPicture->Render(ACanvas, Rect);
    return;
  }
  const int w = MulDiv(gpPicture->HimetricWidth(), GetDeviceCaps(ACanvas, LOGPIXELSX), 2540);
  const int h = MulDiv(gpPicture->HimetricHeight(), GetDeviceCaps(ACanvas, LOGPIXELSY), 2540);
  gpPicture->Render(ACanvas, Bounds(Rect.Left, Rect.Top, w, h));
}

// ---------------------------------------------------------------------------------------

TDownLoadThread::TDownLoadThread(THTMLPicture *APicture) : TThread(true), FHTMLPicture(APicture)
{
  SetFreeOnTerminate(true);
}

// ---------------------------------------------------------------------------------------
// THTMLPictureCache

THTMLPictureCache::~THTMLPictureCache() { ClearPictures(); }

THTMLPicture *THTMLPictureCache::AddPicture()
{
  auto *pic = new THTMLPicture();
  Add(pic);
  return pic;
}

THTMLPicture *THTMLPictureCache::FindPicture(const QString &ID) const
{
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->ID() == ID)
      return Items(i);
  return nullptr;
}

void THTMLPictureCache::ClearPictures()
{
  for (int i = 0; i < Count(); ++i)
    delete Items(i);
  Clear();
}

bool THTMLPictureCache::Animate()
{
  bool changed = false;
  for (int i = 0; i < Count(); ++i)
    changed = Items(i)->Step() || changed;
  return changed;
}

// ---------------------------------------------------------------------------------------
// Picture collection and container

TPictureItem::TPictureItem(TCollection *Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>())
{
}

TPictureItem::~TPictureItem() = default;

void TPictureItem::SetPicture(THTMLPicture *Value) { FPicture->Assign(Value); }

void TPictureItem::Assign(TPersistent *Source)
{
  if (auto *item = dynamic_cast<TPictureItem *>(Source)) {
    FName = item->FName;
    FTag = item->FTag;
    SetPicture(item->Picture());
    return;
  }
  TCollectionItem::Assign(Source);
}

TPictureCollection::TPictureCollection(TPictureContainer *AOwner)
    : TCollection(ItemClass<TPictureItem>()), FOwner(AOwner)
{
}

TPersistent *TPictureCollection::GetOwner() { return FOwner; }

bool TPictureCollection::Animate()
{
  bool changed = false;
  for (int i = 0; i < Count(); ++i)
    changed = Items(i)->Picture()->Step() || changed;
  return changed;
}

TPictureContainer::TPictureContainer(TComponent *AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this))
{
}

TPictureContainer::~TPictureContainer() = default;

void TPictureContainer::SetItems(TPictureCollection *Value)
{
  if (Value != FItems.get())
    FItems->Assign(Value);
}

THTMLPicture *TPictureContainer::FindPicture(const QString &s)
{
  for (int i = 0; i < FItems->Count(); ++i)
    if (AnsiSameText(FItems->Items(i)->Name(), s))
      return FItems->Items(i)->Picture();
  return nullptr;
}
