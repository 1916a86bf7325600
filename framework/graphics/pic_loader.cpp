// The picture loader on Qt's image readers; JPEG goes through the framework's libjpeg.
#include "framework/graphics/pic_loader.h"

#include <QImage>

#include <cmath>

namespace {

uint8_t At(const QByteArray &d, qsizetype i) { return i >= 0 && i < d.size() ? uint8_t(d[i]) : 0; }
uint32_t Le16(const QByteArray &d, qsizetype i) { return At(d, i) | At(d, i + 1) << 8; }
uint32_t Le32(const QByteArray &d, qsizetype i) { return Le16(d, i) | Le16(d, i + 2) << 16; }
uint32_t Be16(const QByteArray &d, qsizetype i) { return At(d, i) << 8 | At(d, i + 1); }
uint32_t Be32(const QByteArray &d, qsizetype i) { return Be16(d, i) << 16 | Be16(d, i + 2); }

bool IsMetafile(const QByteArray &d)
{
  if (d.startsWith(QByteArray::fromHex("D7CDC69A")))  // placeable WMF
    return true;
  if ((Le16(d, 0) == 1 || Le16(d, 0) == 2) && Le16(d, 2) == 9)  // plain WMF header
    return true;
  return d.size() >= 44 && Le32(d, 0) == 1 && d.mid(40, 4) == " EMF";
}

const char *QtFormat(const QByteArray &d)
{
  if (d.startsWith("BM"))
    return "BMP";
  if (d.startsWith("GIF8"))
    return "GIF";
  if (d.startsWith("\x89PNG"))
    return "PNG";
  if (d.size() >= 6 && Le16(d, 0) == 0 && (Le16(d, 2) == 1 || Le16(d, 2) == 2) && Le16(d, 4) > 0)
    return "ICO";
  return nullptr;
}

// The rectangle of a GIF's first image, walking the blocks before it; empty when the walk
// does not reach one.
QRect FirstGifImage(const QByteArray &d)
{
  qsizetype p = 13;
  if (At(d, 10) & 0x80)
    p += 3 * (qsizetype(2) << (At(d, 10) & 7));
  while (p < d.size()) {
    const uint8_t b = At(d, p);
    if (b == 0x2C) {
      if (p + 9 >= d.size())
        return {};
      return QRect(int(Le16(d, p + 1)), int(Le16(d, p + 3)), int(Le16(d, p + 5)), int(Le16(d, p + 7)));
    }
    if (b != 0x21)
      return {};
    p += 2;
    while (p < d.size() && At(d, p) != 0)
      p += At(d, p) + 1;
    ++p;
  }
  return {};
}

int Himetric(int Pixels, double Dpi) { return int(std::lround(Pixels * 2540.0 / (Dpi > 0 ? Dpi : 96.0))); }

}  // namespace

void PictureFileResolution(const QByteArray &Data, double &DpiX, double &DpiY)
{
  DpiX = DpiY = 0;
  const double inchPerMetre = 0.0254;
  if (Data.startsWith("BM") && Data.size() >= 46 && Le32(Data, 14) >= 40) {
    DpiX = int32_t(Le32(Data, 38)) * inchPerMetre;
    DpiY = int32_t(Le32(Data, 42)) * inchPerMetre;
  } else if (Data.startsWith("\x89PNG")) {
    for (qsizetype p = 8; p + 8 <= Data.size();) {
      const uint32_t len = Be32(Data, p);
      const QByteArray type = Data.mid(p + 4, 4);
      if (type == "pHYs" && len >= 9 && p + 17 <= Data.size()) {
        if (At(Data, p + 16) == 1) {
          DpiX = Be32(Data, p + 8) * inchPerMetre;
          DpiY = Be32(Data, p + 12) * inchPerMetre;
        }
        break;
      }
      if (type == "IDAT" || type == "IEND")
        break;
      p += qsizetype(len) + 12;
    }
  } else if (At(Data, 0) == 0xFF && At(Data, 1) == 0xD8 && At(Data, 2) == 0xFF && At(Data, 3) == 0xE0 &&
             Data.mid(6, 5) == QByteArray("JFIF", 5)) {
    const double scale = At(Data, 13) == 1 ? 1.0 : At(Data, 13) == 2 ? 2.54 : 0.0;
    DpiX = Be16(Data, 14) * scale;
    DpiY = Be16(Data, 16) * scale;
  }
  if (DpiX <= 0 || DpiY <= 0)
    DpiX = DpiY = 0;
}

std::unique_ptr<TLoadedPicture> TLoadedPicture::Load(const QByteArray &Data)
{
  auto pic = std::make_unique<TLoadedPicture>();
  if (IsMetafile(Data))
    return pic;
  QImage img;
  if (At(Data, 0) == 0xFF && At(Data, 1) == 0xD8) {
    img = DecodeJPEG(Data);
  } else if (const char *format = QtFormat(Data)) {
    img.loadFromData(Data, format);
    if (!img.isNull() && qstrcmp(format, "GIF") == 0) {
      const QRect first = FirstGifImage(Data).intersected(img.rect());
      if (!first.isEmpty() && first != img.rect())
        img = img.copy(first);
    }
  }
  if (img.isNull())
    return nullptr;
  double dpiX = 0, dpiY = 0;
  PictureFileResolution(Data, dpiX, dpiY);
  pic->FImage = img.hasAlphaChannel() ? img.convertToFormat(QImage::Format_ARGB32) : img.convertToFormat(QImage::Format_RGB32);
  pic->FHimetricWidth = Himetric(img.width(), dpiX);
  pic->FHimetricHeight = Himetric(img.height(), dpiY);
  return pic;
}

void TLoadedPicture::Render(TCanvas *Canvas, const TRect &Dest) const
{
  if (Canvas && !FImage.isNull())
    Canvas->DrawImage(Dest, FImage, TRect(0, 0, FImage.width(), FImage.height()), cmSrcCopy);
}

namespace {
std::map<QString, QByteArray> &RawResources()
{
  static std::map<QString, QByteArray> resources;
  return resources;
}
}  // namespace

void RegisterRawResource(const QString &Name, const QByteArray &Data) { RawResources()[Name.toUpper()] = Data; }

void UnregisterRawResource(const QString &Name) { RawResources().erase(Name.toUpper()); }

bool FindRawResource(const QString &Name, QByteArray &Data)
{
  const auto it = RawResources().find(Name.toUpper());
  if (it == RawResources().end())
    return false;
  Data = it->second;
  return true;
}
