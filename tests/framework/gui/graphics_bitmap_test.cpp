// Bitmaps, transparency, pictures, JPEG and image lists.
#include "framework/graphics/graphics.h"
#include "tests/support/test_support.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// 4 x 4: blue, with a red bottom-left pixel and a green top-left one.
void Paint(TBitmap &b)
{
  b.SetSize(4, 4);
  b.Canvas()->Brush()->SetColor(clBlue);
  b.Canvas()->FillRect(Rect(0, 0, 4, 4));
  b.Canvas()->SetPixels(0, 3, clRed);
  b.Canvas()->SetPixels(0, 0, clLime);
}

TEST(GraphicsBitmap, TransparentColourIsTheBottomLeftPixel)
{
  TBitmap b;
  Paint(b);
  EXPECT_EQ(b.TransparentColor(), clRed);
  b.SetTransparent(true);

  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(Qt::white);
  TCanvas c(&img);
  c.Draw(2, 2, &b);
  EXPECT_EQ(c.Pixels(2, 5), clWhite);  // the red corner is see-through
  EXPECT_EQ(c.Pixels(2, 2), clLime);
  EXPECT_EQ(c.Pixels(3, 3), clBlue);

  // A fixed colour replaces the corner rule.
  b.SetTransparentColor(clBlue);
  EXPECT_EQ(b.TransparentMode(), tmFixed);
  img.fill(Qt::white);
  c.Draw(2, 2, &b);
  EXPECT_EQ(c.Pixels(2, 5), clRed);
  EXPECT_EQ(c.Pixels(3, 3), clWhite);
  b.SetTransparentMode(tmAuto);
  EXPECT_EQ(b.TransparentColor(), clRed);
}

TEST(GraphicsBitmap, ResizeKeepsTheOldPictureAndScanLinesAreRows)
{
  TBitmap b;
  Paint(b);
  b.SetWidth(6);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clLime);
  EXPECT_EQ(b.Canvas()->Pixels(5, 0), clWhite);

  b.SetPixelFormat(pf24bit);
  const uint8_t *row = b.ScanLine(3);
  EXPECT_EQ(row[0], 0);     // blue
  EXPECT_EQ(row[1], 0);     // green
  EXPECT_EQ(row[2], 0xFF);  // red
  EXPECT_THROW(b.ScanLine(4), EInvalidGraphic);
  b.Canvas()->SetPixels(1, 1, clYellow);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), clYellow);
}

TEST(GraphicsBitmap, BmpAndJpegRoundTripThroughPictures)
{
  QTemporaryDir dir;
  TBitmap b;
  b.SetSize(16, 8);
  b.Canvas()->Brush()->SetColor(RGB(200, 40, 40));
  b.Canvas()->FillRect(Rect(0, 0, 8, 8));
  b.Canvas()->Brush()->SetColor(RGB(40, 40, 200));
  b.Canvas()->FillRect(Rect(8, 0, 16, 8));

  const QString bmp = dir.filePath(QStringLiteral("a.bmp"));
  b.SaveToFile(bmp);
  TPicture p;
  p.LoadFromFile(bmp);
  ASSERT_NE(p.Graphic(), nullptr);
  EXPECT_EQ(p.Graphic()->ClassName(), QStringLiteral("TBitmap"));
  EXPECT_EQ(p.Bitmap()->Canvas()->Pixels(12, 4), RGB(40, 40, 200));

  TJPEGImage j;
  j.AssignGraphic(&b);
  j.SetCompressionQuality(95);
  const QString jpg = dir.filePath(QStringLiteral("a.jpg"));
  j.SaveToFile(jpg);
  TPicture q;
  q.LoadFromFile(jpg);
  ASSERT_NE(dynamic_cast<TJPEGImage *>(q.Graphic()), nullptr);
  EXPECT_EQ(q.Width(), 16);
  EXPECT_EQ(q.Height(), 8);
  const QImage back = q.Graphic()->ToImage();
  const QColor left = back.pixelColor(3, 4), right = back.pixelColor(12, 4);
  EXPECT_NEAR(left.red(), 200, 12);
  EXPECT_NEAR(left.blue(), 40, 12);
  EXPECT_NEAR(right.blue(), 200, 12);

  TBitmap fromJpeg;
  fromJpeg.Assign(q.Graphic());
  EXPECT_EQ(fromJpeg.Width(), 16);

  EXPECT_THROW(q.LoadFromFile(dir.filePath(QStringLiteral("a.xyz"))), EInvalidGraphic);
  QFile bad(dir.filePath(QStringLiteral("bad.jpg")));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("not a jpeg");
  bad.close();
  EXPECT_THROW(q.LoadFromFile(bad.fileName()), EInvalidGraphic);
  EXPECT_EQ(q.Width(), 16);  // the failed load left the picture alone
}

TEST(GraphicsBitmap, IconsAndPngKeepTheirAlpha)
{
  QImage img(16, 16, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  for (int i = 4; i < 12; ++i)
    img.setPixelColor(i, i, QColor(Qt::red));
  for (TGraphic *g : std::initializer_list<TGraphic *>{new TIcon, new TPngImage}) {
    std::unique_ptr<TGraphic> owned(g);
    TPngImage source;
    ASSERT_TRUE(source.LoadFromData([&] {
      QByteArray b;
      QBuffer buf(&b);
      buf.open(QIODevice::WriteOnly);
      img.save(&buf, "PNG");
      return b;
    }()));
    g->AssignGraphic(&source);
    std::unique_ptr<TGraphic> copy = TPicture::CreateGraphic(g->ClassName());
    ASSERT_TRUE(copy->LoadFromData(g->SaveToData())) << g->ClassName().toStdString();
    const QImage back = copy->ToImage();
    EXPECT_EQ(back.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(QColorToColor(back.pixelColor(5, 5)), clRed);
  }
  TImageList list(16, 16);
  TIcon icon;
  icon.SetImage(img);
  EXPECT_EQ(list.AddIcon(&icon), 0);
  QImage target(20, 20, QImage::Format_RGB32);
  target.fill(Qt::white);
  TCanvas c(&target);
  list.Draw(&c, 0, 0, 0);
  EXPECT_EQ(c.Pixels(0, 0), clWhite);
  EXPECT_EQ(c.Pixels(6, 6), clRed);
}

TEST(GraphicsBitmap, ImageListSplitsStripsAndMasks)
{
  TBitmap strip;
  strip.SetSize(8, 4);
  strip.Canvas()->Brush()->SetColor(clFuchsia);
  strip.Canvas()->FillRect(Rect(0, 0, 8, 4));
  strip.Canvas()->SetPixels(1, 1, clBlack);
  strip.Canvas()->SetPixels(5, 1, clRed);
  TImageList list(4, 4);
  EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);

  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(Qt::white);
  TCanvas c(&img);
  list.Draw(&c, 0, 0, 1);
  EXPECT_EQ(c.Pixels(1, 1), clRed);
  EXPECT_EQ(c.Pixels(0, 0), clWhite);
  list.Draw(&c, 5, 5, 0, false);
  EXPECT_NE(c.Pixels(6, 6), clBlack);  // disabled images are greyed
  EXPECT_NE(c.Pixels(6, 6), clWhite);

  TBitmap out;
  EXPECT_TRUE(list.GetBitmap(1, &out));
  EXPECT_EQ(out.Width(), 4);
  EXPECT_EQ(out.Canvas()->Pixels(1, 1), clRed);
  EXPECT_FALSE(list.GetBitmap(2, &out));
}

TEST(GraphicsBitmap, ResourceBitmapsAreDrawnByRegisteredPainters)
{
  RegisterResourceBitmap(QStringLiteral("TESTGLYPH"), [](TBitmap &b) {
    b.SetSize(3, 2);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 3, 2));
  });
  TBitmap b;
  EXPECT_TRUE(b.LoadFromResourceName(QStringLiteral("TestGlyph")));
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), clRed);
  EXPECT_FALSE(ResourceBitmap(QStringLiteral("NOSUCH"), b));
}

}  // namespace
