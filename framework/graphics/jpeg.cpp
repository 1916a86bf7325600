// TJPEGImage on libjpeg (API 62).
#include "framework/graphics/graphics.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <jpeglib.h>
}

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  jmp_buf jump;
};

extern "C" void JpegErrorExit(j_common_ptr cinfo)
{
  auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
  longjmp(err->jump, 1);
}

extern "C" void JpegSilence(j_common_ptr, int) {}

// Plain C-style coding kept free of objects with destructors, because errors leave it
// through longjmp.
bool Compress(const uint8_t *rgb, int width, int height, int components, int quality, bool progressive,
              unsigned char **out, unsigned long *outSize)
{
  jpeg_compress_struct cinfo;
  ErrorManager jerr;
  cinfo.err = jpeg_std_error(&jerr.pub);
  jerr.pub.error_exit = JpegErrorExit;
  jerr.pub.emit_message = JpegSilence;
  if (setjmp(jerr.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, outSize);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive)
    jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  const int stride = width * components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t(cinfo.next_scanline) * size_t(stride));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

// Decodes to RGB (3 bytes a pixel) in a malloc'ed buffer the caller frees.
bool Decompress(const uint8_t *data, size_t size, int scaleDenom, bool grayscale, bool headerOnly,
                uint8_t **pixels, int *width, int *height, int *headerWidth, int *headerHeight)
{
  jpeg_decompress_struct cinfo;
  ErrorManager jerr;
  cinfo.err = jpeg_std_error(&jerr.pub);
  jerr.pub.error_exit = JpegErrorExit;
  jerr.pub.emit_message = JpegSilence;
  *pixels = nullptr;
  if (setjmp(jerr.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(*pixels);
    *pixels = nullptr;
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, const_cast<unsigned char *>(data), (unsigned long)size);
  jpeg_read_header(&cinfo, TRUE);
  *headerWidth = int(cinfo.image_width);
  *headerHeight = int(cinfo.image_height);
  if (headerOnly) {
    jpeg_destroy_decompress(&cinfo);
    return true;
  }
  cinfo.scale_num = 1;
  cinfo.scale_denom = (unsigned)scaleDenom;
  cinfo.out_color_space = grayscale ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  const int w = int(cinfo.output_width), h = int(cinfo.output_height), comps = int(cinfo.output_components);
  *pixels = static_cast<uint8_t *>(std::malloc(size_t(w) * size_t(h) * 3 + 1));
  uint8_t *row = static_cast<uint8_t *>(std::malloc(size_t(w) * size_t(comps) + 1));
  if (!*pixels || !row) {
    std::free(row);
    jpeg_destroy_decompress(&cinfo);
    std::free(*pixels);
    *pixels = nullptr;
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = int(cinfo.output_scanline);
    JSAMPROW r = row;
    jpeg_read_scanlines(&cinfo, &r, 1);
    uint8_t *dst = *pixels + size_t(y) * size_t(w) * 3;
    for (int x = 0; x < w; ++x) {
      if (comps == 1) {
        dst[x * 3] = dst[x * 3 + 1] = dst[x * 3 + 2] = row[x];
      } else {
        dst[x * 3] = row[x * comps];
        dst[x * 3 + 1] = row[x * comps + 1];
        dst[x * 3 + 2] = row[x * comps + 2];
      }
    }
  }
  std::free(row);
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  *width = w;
  *height = h;
  return true;
}

}  // namespace

QByteArray EncodeJPEG(const QImage &Image, int Quality, bool Progressive, bool Grayscale)
{
  if (Image.isNull())
    return QByteArray();
  QImage img;
  if (Grayscale)
    img = Image.convertToFormat(QImage::Format_Grayscale8);
  else
    img = Image.convertToFormat(QImage::Format_RGB888);
  const int comps = Grayscale ? 1 : 3;
  QByteArray packed(img.width() * img.height() * comps, Qt::Uninitialized);
  for (int y = 0; y < img.height(); ++y)
    std::memcpy(packed.data() + size_t(y) * size_t(img.width()) * comps, img.constScanLine(y), size_t(img.width()) * comps);
  unsigned char *out = nullptr;
  unsigned long outSize = 0;
  const bool ok = Compress(reinterpret_cast<const uint8_t *>(packed.constData()), img.width(), img.height(), comps,
                           Quality, Progressive, &out, &outSize);
  QByteArray result;
  if (ok && out)
    result = QByteArray(reinterpret_cast<const char *>(out), int(outSize));
  std::free(out);
  return result;
}

QImage DecodeJPEG(const QByteArray &Data, int ScaleDenom, bool Grayscale, int *HeaderWidth, int *HeaderHeight)
{
  uint8_t *pixels = nullptr;
  int w = 0, h = 0, hw = 0, hh = 0;
  if (Data.isEmpty() ||
      !Decompress(reinterpret_cast<const uint8_t *>(Data.constData()), size_t(Data.size()), ScaleDenom, Grayscale, false,
                  &pixels, &w, &h, &hw, &hh))
    return QImage();
  if (HeaderWidth)
    *HeaderWidth = hw;
  if (HeaderHeight)
    *HeaderHeight = hh;
  QImage img(w, h, QImage::Format_RGB888);
  for (int y = 0; y < h; ++y)
    std::memcpy(img.scanLine(y), pixels + size_t(y) * size_t(w) * 3, size_t(w) * 3);
  std::free(pixels);
  return img.convertToFormat(QImage::Format_RGB32);
}

// ---------------------------------------------------------------------------------------

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

namespace {
int Denom(TJPEGScale s) { return s == jsHalf ? 2 : s == jsQuarter ? 4 : s == jsEighth ? 8 : 1; }
}  // namespace

int TJPEGImage::Width() const
{
  if (!FBitmap.isNull())
    return FBitmap.width();
  return FHeaderWidth / Denom(FScale);
}

int TJPEGImage::Height() const
{
  if (!FBitmap.isNull())
    return FBitmap.height();
  return FHeaderHeight / Denom(FScale);
}

void TJPEGImage::SetGrayscale(bool Value)
{
  if (Value == FGrayscale)
    return;
  FGrayscale = Value;
  if (!FData.isEmpty())
    FBitmap = QImage();
  Changed();
}

void TJPEGImage::SetScale(TJPEGScale Value)
{
  if (Value == FScale)
    return;
  FScale = Value;
  if (!FData.isEmpty())
    FBitmap = QImage();
  Changed();
}

void TJPEGImage::Compress()
{
  if (FBitmap.isNull())
    return;
  FData = EncodeJPEG(FBitmap, FQuality, FProgressive, FGrayscale);
  FHeaderWidth = FBitmap.width();
  FHeaderHeight = FBitmap.height();
}

void TJPEGImage::DIBNeeded()
{
  if (FBitmap.isNull() && !FData.isEmpty())
    FBitmap = DecodeJPEG(FData, Denom(FScale), FGrayscale, &FHeaderWidth, &FHeaderHeight);
}

TRasterImage TJPEGImage::ToImage() const
{
  const_cast<TJPEGImage *>(this)->DIBNeeded();
  return FBitmap;
}

void TJPEGImage::AssignGraphic(const TGraphic *Source)
{
  if (Source == this)
    return;
  if (!Source) {
    FData.clear();
    FBitmap = QImage();
    FHeaderWidth = FHeaderHeight = 0;
    Changed();
    return;
  }
  if (auto *j = dynamic_cast<const TJPEGImage *>(Source)) {
    FData = j->FData;
    FBitmap = j->FBitmap;
    FQuality = j->FQuality;
    FGrayscale = j->FGrayscale;
    FProgressive = j->FProgressive;
    FScale = j->FScale;
    FPerformance = j->FPerformance;
    FHeaderWidth = j->FHeaderWidth;
    FHeaderHeight = j->FHeaderHeight;
    Changed();
    return;
  }
  // Any other graphic is compressed now.
  FBitmap = Source->ToImage().Image().convertToFormat(QImage::Format_RGB32);
  FData.clear();
  Compress();
  Changed();
}

bool TJPEGImage::LoadFromData(const QByteArray &Data)
{
  uint8_t *pixels = nullptr;
  int w = 0, h = 0, hw = 0, hh = 0;
  if (Data.isEmpty() ||
      !Decompress(reinterpret_cast<const uint8_t *>(Data.constData()), size_t(Data.size()), 1, false, true, &pixels, &w, &h, &hw, &hh))
    return false;
  FData = Data;
  FBitmap = QImage();
  FHeaderWidth = hw;
  FHeaderHeight = hh;
  Changed();
  return true;
}

QByteArray TJPEGImage::SaveToData() const
{
  const_cast<TJPEGImage *>(this)->JPEGNeeded();
  return FData;
}
