#pragma once
// The platform's picture loader: reads a picture object from a block of bytes in any of the
// formats the system's cells may carry, and renders it. Sizes are kept as the original kept
// them, in hundredths of a millimetre, taken from the file's own resolution (96 dpi when the
// file gives none).
#include "framework/graphics/graphics.h"

#include <QByteArray>

#include <memory>

class TLoadedPicture {
public:
  // BMP, ICO, JPEG (through libjpeg), GIF (its first image, cut to that image's own
  // rectangle) and PNG. A Windows or enhanced metafile gives a picture without pixels, which
  // measures 0 and draws nothing. nullptr when the bytes are none of these.
  static std::unique_ptr<TLoadedPicture> Load(const QByteArray &Data);

  bool HasPixels() const { return !FImage.isNull(); }
  int PixelWidth() const { return FImage.width(); }
  int PixelHeight() const { return FImage.height(); }
  // Size in hundredths of a millimetre.
  int HimetricWidth() const { return FHimetricWidth; }
  int HimetricHeight() const { return FHimetricHeight; }
  // Draws the whole picture stretched into Dest (alpha respected).
  void Render(TCanvas *Canvas, const TRect &Dest) const;
  const QImage &Image() const { return FImage; }

private:
  QImage FImage;
  int FHimetricWidth = 0;
  int FHimetricHeight = 0;
};

// Pixels per inch a picture file states for itself (BMP, PNG pHYs, JPEG JFIF); 0 when none.
void PictureFileResolution(const QByteArray &Data, double &DpiX, double &DpiY);

// Raw-data resources of the program module, by name (ignoring case) or by number ("#12"),
// registered at start-up in place of the original's linked-in resources.
void RegisterRawResource(const QString &Name, const QByteArray &Data);
void UnregisterRawResource(const QString &Name);
bool FindRawResource(const QString &Name, QByteArray &Data);
