// Memory, file and string streams.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include <QTemporaryDir>

#include "framework/classes/classes.h"

namespace {

TEST(Streams, MemoryStreamReadWriteSeek)
{
  TMemoryStream ms;
  ms.WriteBuffer("abcdef", 6);
  EXPECT_EQ(ms.Position(), 6);
  EXPECT_EQ(ms.Size(), 6);
  ms.Seek(-2, soEnd);
  char buf[8] = {};
  EXPECT_EQ(ms.Read(buf, 8), 2);
  EXPECT_STREQ(buf, "ef");
  ms.SetPosition(1);
  ms.WriteBuffer("XY", 2);
  EXPECT_EQ(ms.Bytes(), "aXYdef");
  ms.SetPosition(10);
  ms.WriteBuffer("!", 1);
  EXPECT_EQ(ms.Size(), 11) << "writing past the end grows the stream";
  ms.SetPosition(0);
  char big[20];
  EXPECT_THROW(ms.ReadBuffer(big, 20), EReadError);
  ms.SetSize(3);
  EXPECT_EQ(ms.Bytes(), "aXY");
  EXPECT_EQ(ms.Position(), 3);
}

TEST(Streams, FileStreamModesAndCopy)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("data.bin");
  EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyNone), EFOpenError);
  {
    TFileStream out(path, fmCreate);
    TStringStream src(QString::fromUtf8("Grüße"), TEncoding::UTF8);
    EXPECT_EQ(out.CopyFrom(&src, 0), 7);
  }
  {
    TFileStream in(path, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(in.Size(), 7);
    TStringStream back(QString(), TEncoding::UTF8);
    back.CopyFrom(&in, 0);
    EXPECT_EQ(back.DataString(), QString::fromUtf8("Grüße"));
    char c;
    EXPECT_THROW(in.WriteBuffer(&c, 1), EWriteError);
  }
  EXPECT_THROW(TFileStream(dir.filePath("no/such/dir/x"), fmCreate), EFCreateError);
  TMemoryStream ms;
  ms.LoadFromFile(path);
  EXPECT_EQ(ms.Size(), 7);
  ms.SaveToFile(dir.filePath("copy.bin"));
  TMemoryStream again;
  again.LoadFromFile(dir.filePath("copy.bin"));
  EXPECT_EQ(again.Bytes(), ms.Bytes());
}

TEST(Streams, StringStreamDefaultsToAnsi)
{
  TStringStream s(QString::fromUtf8("€"));
  EXPECT_EQ(s.Bytes(), QByteArray("\x80"));
  s.SetPosition(s.Size());
  s.WriteString("x");
  EXPECT_EQ(s.DataString(), QString::fromUtf8("€x"));
  s.SetPosition(0);
  EXPECT_EQ(s.ReadString(1), QString::fromUtf8("€"));
}

}  // namespace
