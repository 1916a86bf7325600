#include "grid/foundation/pictures.h"

#include "framework/graphics/pic_loader.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

QString Pic(const QString &name) { return testsupport::Fixture("grid/pictures/" + name); }

QByteArray Bytes(const QString &name)
{
  QFile f(Pic(name));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
  return f.readAll();
}

// Colour of a canvas pixel with a tolerance for JPEG rounding.
bool Near(TColor a, TColor b)
{
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 3)
      return false;
  return true;
}

TColor CentreColour(const THTMLPicture &pic)
{
  const QImage img = pic.ToImage();
  return QColorToColor(img.pixelColor(img.width() / 2, img.height() / 2));
}

}  // namespace

TEST(HTMLPicture, LoadsEachFormatAtItsNaturalSizeAndDrawsIt)
{
  struct Case {
    const char *file;
    int width, height;  // natural size at 96 dpi
    TColor colour;
    int frames;
  } cases[] = {
      {"red8x6_192dpi.bmp", 4, 3, clRed, -1},
      {"green5x3.png", 5, 3, clLime, -1},
      {"blue4x2_48dpi.png", 8, 4, clBlue, -1},
      {"grey192_8x8_48dpi.jpg", 16, 16, 0xC0C0C0, -1},
      {"white16.ico", 16, 16, clWhite, -1},
      {"still.gif", 3, 2, clWhite, 0},
      {"anim3.gif", 6, 4, clRed, 3},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.file);
    THTMLPicture pic;
    int changes = 0;
    pic.OnChange = [&](TObject *) { ++changes; };
    pic.LoadFromFile(Pic(c.file));
    ASSERT_FALSE(pic.Empty());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pic.Width(), c.width);
    EXPECT_EQ(pic.Height(), c.height);
    EXPECT_EQ(pic.FrameCount(), c.frames);
    EXPECT_EQ(pic.IsGIF(), c.frames >= 0);
    EXPECT_EQ(pic.SaveToData(), Bytes(c.file));

    // Drawn at its natural size for a 96 dpi device, from the rectangle's top-left corner.
    TBitmap bmp(40, 40);
    bmp.Canvas()->Brush()->SetColor(clBlack);
    bmp.Canvas()->FillRect(TRect(0, 0, 40, 40));
    bmp.Canvas()->Draw(10, 10, &pic);
    EXPECT_TRUE(Near(bmp.Canvas()->Pixels(10, 10), c.colour)) << std::hex << bmp.Canvas()->Pixels(10, 10);
    EXPECT_TRUE(Near(bmp.Canvas()->Pixels(9 + c.width, 9 + c.height), c.colour));
    EXPECT_EQ(bmp.Canvas()->Pixels(10 + c.width, 10), clBlack);
    EXPECT_EQ(bmp.Canvas()->Pixels(10, 10 + c.height), clBlack);
  }
}

TEST(HTMLPicture, StretchFillsTheWholeRectangle)
{
  THTMLPicture pic;
  pic.LoadFromFile(Pic("green5x3.png"));
  pic.SetStretch(true);
  TBitmap bmp(40, 40);
  bmp.Canvas()->Brush()->SetColor(clBlack);
  bmp.Canvas()->FillRect(TRect(0, 0, 40, 40));
  bmp.Canvas()->StretchDraw(TRect(2, 2, 32, 22), &pic);
  EXPECT_EQ(bmp.Canvas()->Pixels(2, 2), clLime);
  EXPECT_EQ(bmp.Canvas()->Pixels(31, 21), clLime);
  EXPECT_EQ(bmp.Canvas()->Pixels(32, 21), clBlack);
  EXPECT_EQ(bmp.Canvas()->Pixels(31, 22), clBlack);
}

TEST(HTMLPicture, MetafileLoadsWithoutPixelsAndDrawsNothing)
{
  THTMLPicture pic;
  pic.LoadFromFile(Pic("empty.wmf"));
  EXPECT_FALSE(pic.Empty());
  EXPECT_EQ(pic.Width(), 0);
  EXPECT_EQ(pic.Height(), 0);
  EXPECT_EQ(pic.FrameCount(), -1);
  TBitmap bmp(10, 10);
  bmp.Canvas()->Brush()->SetColor(clBlack);
  bmp.Canvas()->FillRect(TRect(0, 0, 10, 10));
  pic.SetStretch(true);
  pic.Draw(bmp.Canvas(), TRect(0, 0, 10, 10));
  EXPECT_EQ(bmp.Canvas()->Pixels(5, 5), clBlack);
}

TEST(HTMLPicture, UnreadableBytesRaiseFromAStreamButLeaveAFileLoadEmpty)
{
  THTMLPicture pic;
  TMemoryStream ms;
  ms.WriteBuffer(QByteArray("not a picture"));
  ms.SetPosition(0);
  try {
    pic.LoadFromStream(&ms);
    FAIL() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message(), "Could not load image. Invalid format");
  }
  pic.LoadFromStream(nullptr);

  THTMLPicture fromFile;
  fromFile.LoadFromFile(Pic("make_pictures.py"));
  EXPECT_TRUE(fromFile.Empty());
  fromFile.LoadFromFile(Pic("no such file.png"));
  EXPECT_TRUE(fromFile.Empty());
  EXPECT_EQ(fromFile.Width(), 0);
}

TEST(HTMLPicture, FrameChoiceShowsThatFrameWithItsDescriptor)
{
  THTMLPicture pic;
  pic.LoadFromFile(Pic("anim3.gif"));
  ASSERT_EQ(pic.FrameCount(), 3);
  EXPECT_EQ(pic.MaxWidth(), 6);
  EXPECT_EQ(pic.MaxHeight(), 4);
  int frameChanges = 0;
  pic.OnFrameChange = [&](TObject *) { ++frameChanges; };

  struct Case {
    int frame;
    TColor colour;
    int x, y, w, h;
  } cases[] = {{2, clLime, 2, 1, 4, 3}, {3, clBlue, 0, 0, 6, 4}, {1, clRed, 0, 0, 6, 4}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.frame);
    pic.SetFrame(c.frame);
    EXPECT_EQ(CentreColour(pic), c.colour);
    EXPECT_EQ(pic.FrameXPos(), c.x);
    EXPECT_EQ(pic.FrameYPos(), c.y);
    EXPECT_EQ(pic.FrameXSize(), c.w);
    EXPECT_EQ(pic.FrameYSize(), c.h);
    // The loader's picture is the frame's own image; the screen size stays the GIF's.
    EXPECT_EQ(pic.Width(), c.w);
    EXPECT_EQ(pic.MaxWidth(), 6);
  }
  EXPECT_EQ(frameChanges, 3);
}

TEST(HTMLPicture, FrameTimesAndFrameStepping)
{
  THTMLPicture pic;
  pic.LoadFromFile(Pic("anim3.gif"));
  EXPECT_EQ(pic.FrameTime(1), 10);
  EXPECT_FALSE(pic.FrameTransparent());
  EXPECT_EQ(pic.FrameTime(2), 20);
  EXPECT_TRUE(pic.FrameTransparent());
  EXPECT_EQ(pic.FrameDisposal(), 1);
  EXPECT_EQ(pic.FrameTime(3), 30);
  EXPECT_EQ(pic.FrameTime(4), -1);
  EXPECT_EQ(pic.FrameTime(0), -1);

  pic.FramePrev();
  EXPECT_EQ(pic.Frame(), 3);
  pic.FrameNext();
  EXPECT_EQ(pic.Frame(), 1);

  // One tick each 100 ms against delays of 10, 20 and 30 hundredths.
  const struct {
    bool changed;
    int frame;
  } ticks[] = {{false, 1}, {true, 2}, {false, 2}, {true, 3}, {false, 3}, {false, 3}, {true, 1}, {true, 2}};
  for (size_t i = 0; i < std::size(ticks); ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(pic.Step(), ticks[i].changed);
    EXPECT_EQ(pic.Frame(), ticks[i].frame);
  }
  EXPECT_EQ(CentreColour(pic), clLime);

  THTMLPicture still;
  still.LoadFromFile(Pic("green5x3.png"));
  THTMLPicture empty;
  for (int i = 0; i < 5; ++i) {
    EXPECT_FALSE(still.Step());
    EXPECT_FALSE(empty.Step());
  }
  EXPECT_EQ(still.Frame(), 1);
}

TEST(HTMLPicture, TruncatedGifCountsOnlyFramesWhoseDescriptorIsWhole)
{
  THTMLPicture pic;
  pic.LoadFromFile(Pic("truncated.gif"));
  ASSERT_FALSE(pic.Empty());
  // The third marker's descriptor is cut off after its first byte.
  EXPECT_EQ(pic.FrameCount(), 2);
  EXPECT_EQ(pic.FrameTime(3), -1);
  pic.SetFrame(2);
  EXPECT_EQ(pic.FrameXPos(), 2);
  EXPECT_EQ(pic.FrameYSize(), 3);
  EXPECT_EQ(CentreColour(pic), clLime);
}

TEST(HTMLPicture, LoadFromURLBySchemeIgnoringCase)
{
  RegisterRawResource("LOGO", Bytes("green5x3.png"));
  struct Case {
    QString url;
    bool asynch;
    bool loaded;
    QString id, urlAfter;
    bool busy;
  } cases[] = {
      {"res://LOGO", true, true, "res://LOGO", "", false},
      {"RES://logo", true, true, "RES://logo", "", false},
      {"res://NOSUCH", true, false, "res://NOSUCH", "", false},
      {"file://" + Pic("green5x3.png"), true, true, "file://" + Pic("green5x3.png"), "", false},
      {"FILE://" + Pic("missing.png"), true, false, "FILE://" + Pic("missing.png"), "", false},
      {"http://example.test/a.png", false, false, "http://example.test/a.png", "http://example.test/a.png", false},
      {"http://example.test/a.png", true, false, "", "http://example.test/a.png", true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.url.toStdString());
    THTMLPicture pic;
    pic.SetAsynch(c.asynch);
    pic.LoadFromURL(c.url);
    EXPECT_EQ(!pic.Empty(), c.loaded);
    EXPECT_EQ(pic.ID(), c.id);
    EXPECT_EQ(pic.URL(), c.urlAfter);
    EXPECT_EQ(pic.Busy(), c.busy);
    if (c.busy) {
      // A second address while busy starts nothing.
      pic.LoadFromURL("http://example.test/b.png");
      EXPECT_EQ(pic.URL(), c.urlAfter);
      // The download thread frees itself on the UI thread once it has run.
      for (int waited = 0; !TThread::CheckSynchronize() && waited < 5000; waited += 10)
        Sleep(10);
    }
  }
  UnregisterRawResource("LOGO");
}

TEST(HTMLPicture, AssignCopiesBytesOfAPictureAndEmptiesOtherwise)
{
  THTMLPicture source;
  source.LoadFromFile(Pic("anim3.gif"));
  source.SetFrame(3);

  THTMLPicture copy;
  copy.LoadFromFile(Pic("green5x3.png"));
  int changes = 0;
  copy.OnChange = [&](TObject *) { ++changes; };
  copy.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(copy.SaveToData(), source.SaveToData());
  EXPECT_EQ(copy.Frame(), 1);
  EXPECT_EQ(CentreColour(copy), clRed);

  copy.Assign(&copy);
  EXPECT_FALSE(copy.Empty());

  TBitmap bitmap(4, 4);
  copy.Assign(&bitmap);
  EXPECT_TRUE(copy.Empty());
  copy.Assign(&source);
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(copy.SaveToData(), QByteArray());
  EXPECT_EQ(copy.Width(), 0);
}

TEST(PictureContainer, FindsByNameIgnoringCaseAndCopiesCollections)
{
  TPictureContainer container(nullptr);
  TPictureItem *item = container.Items()->Add();
  item->SetName("Logo");
  item->SetTag(7);
  THTMLPicture png;
  png.LoadFromFile(Pic("green5x3.png"));
  item->SetPicture(&png);
  EXPECT_NE(item->Picture(), &png);

  EXPECT_EQ(container.FindPicture("logo"), item->Picture());
  EXPECT_EQ(container.FindPicture("LOGO"), item->Picture());
  EXPECT_EQ(container.FindPicture("other"), nullptr);
  EXPECT_EQ(container.Items()->GetOwner(), &container);

  TPictureContainer second(nullptr);
  second.Items()->Add()->SetName("old");
  second.SetItems(container.Items());
  ASSERT_EQ(second.Items()->Count(), 1);
  EXPECT_EQ(second.Items()->Items(0)->Name(), "Logo");
  EXPECT_EQ(second.Items()->Items(0)->Tag(), 7);
  EXPECT_EQ(second.Items()->Items(0)->Picture()->SaveToData(), png.SaveToData());
  EXPECT_NE(second.Items()->Items(0)->Picture(), item->Picture());
}

TEST(HTMLPictureCache, FindsByExactIDAndAnimatesItsPictures)
{
  THTMLPictureCache cache;
  THTMLPicture *a = cache.AddPicture();
  a->LoadFromURL("FILE://" + Pic("anim3.gif"));
  THTMLPicture *b = cache.AddPicture();
  b->LoadFromURL("FILE://" + Pic("green5x3.png"));
  EXPECT_EQ(cache.Count(), 2);
  EXPECT_EQ(cache.FindPicture("FILE://" + Pic("anim3.gif")), a);
  EXPECT_EQ(cache.FindPicture("file://" + Pic("anim3.gif")), nullptr);

  EXPECT_FALSE(cache.Animate());
  EXPECT_TRUE(cache.Animate());
  EXPECT_EQ(a->Frame(), 2);

  TPictureContainer container(nullptr);
  container.Items()->Add()->SetPicture(a);
  EXPECT_FALSE(container.Items()->Animate());
  EXPECT_TRUE(container.Items()->Animate());

  cache.ClearPictures();
  EXPECT_EQ(cache.Count(), 0);
}
