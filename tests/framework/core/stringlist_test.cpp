// String lists: sorting, searching, name=value pairs, delimited text and files.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <utility>

#include "framework/classes/classes.h"

namespace {

TEST(StringList, SortedListFindAndDuplicates)
{
  TStringList l;
  l.SetSorted(true);
  for (const char *s : {"pear", "Apple", "banana", "apple"}) l.Add(s);
  EXPECT_EQ(l.Count(), 3) << "dupIgnore drops the case-insensitive duplicate";
  EXPECT_EQ(l.Text(), "Apple\r\nbanana\r\npear\r\n");
  int i = -1;
  EXPECT_TRUE(l.Find("BANANA", i));
  EXPECT_EQ(i, 1);
  EXPECT_FALSE(l.Find("cherry", i));
  EXPECT_EQ(i, 2);
  EXPECT_EQ(l.IndexOf("PEAR"), 2);
  EXPECT_THROW(l.Insert(0, "x"), EStringListError);
  EXPECT_THROW(l.SetStrings(0, "x"), EStringListError);
  l.SetDuplicates(dupError);
  EXPECT_THROW(l.Add("apple"), EStringListError);
  l.SetDuplicates(dupAccept);
  l.Add("apple");
  EXPECT_EQ(l.Count(), 4);
  l.SetCaseSensitive(true);
  EXPECT_TRUE(l.Find("apple", i));
  EXPECT_EQ(l[i], "apple");
}

TEST(StringList, CustomSortAndSort)
{
  TStringList l;
  l.SetCommaText("10,9,100,1");
  l.Sort();
  EXPECT_EQ(l.CommaText(), "1,10,100,9");
  l.CustomSort([](TStringList *list, int a, int b) { return StrToInt(list->Get(a)) - StrToInt(list->Get(b)); });
  EXPECT_EQ(l.CommaText(), "1,9,10,100");
}

TEST(StringList, NamesAndValues)
{
  TStringList l;
  l.Add("Name=Value");
  l.Add("Empty=");
  l.Add("NoSeparator");
  l.Add("a=b=c");
  EXPECT_EQ(l.Values("name"), "Value");
  EXPECT_EQ(l.Values("a"), "b=c");
  EXPECT_EQ(l.Values("missing"), "");
  EXPECT_EQ(l.Names(2), "");
  EXPECT_EQ(l.Names(3), "a");
  EXPECT_EQ(l.ValueFromIndex(2), "");
  EXPECT_EQ(l.ValueFromIndex(3), "b=c");
  EXPECT_EQ(l.IndexOfName("EMPTY"), 1);
  l.SetValues("New", "1");
  EXPECT_EQ(l[4], "New=1");
  l.SetValues("Name", "Other");
  EXPECT_EQ(l[0], "Name=Other");
  l.SetValues("Name", "");
  EXPECT_EQ(l.IndexOfName("Name"), -1);
}

TEST(StringList, CommaAndDelimitedText)
{
  TStringList l;
  l.SetCommaText(" a, \"b c\" ,d e,\"x\"\"y\",");
  EXPECT_EQ(l.ToStringList(), (QStringList{"a", "b c", "d", "e", "x\"y", ""}));
  EXPECT_EQ(l.CommaText(), "a,\"b c\",d,e,\"x\"\"y\",");
  l.Clear();
  l.Add("");
  EXPECT_EQ(l.CommaText(), "\"\"");
  l.SetDelimiter(';');
  l.SetStrictDelimiter(true);
  l.SetDelimitedText("a b;c;;d");
  EXPECT_EQ(l.ToStringList(), (QStringList{"a b", "c", "", "d"}));
  EXPECT_EQ(l.DelimitedText(), "a b;c;;d");
}

TEST(StringList, TextSplitsEveryLineEnd)
{
  TStringList l;
  l.SetText("a\r\nb\nc\rd\r\n\r\n");
  EXPECT_EQ(l.ToStringList(), (QStringList{"a", "b", "c", "d", ""}));
  l.SetText("");
  EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, ChangeEventsAndUpdates)
{
  TStringList l;
  int changing = 0, changed = 0;
  l.OnChanging = [&](TObject *) { ++changing; };
  l.OnChange = [&](TObject *) { ++changed; };
  l.Add("a");
  EXPECT_EQ(changed, 1);
  l.BeginUpdate();
  l.Add("b");
  l.Add("c");
  l.Delete(0);
  EXPECT_EQ(changed, 1);
  l.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  l.SetText("x\ny");
  EXPECT_EQ(changed, 3) << "SetText is one change";
}

TEST(StringList, AssignAddStringsMoveExchange)
{
  TStringList a, b;
  a.SetCommaText("1,2,3");
  b.Assign(&a);
  EXPECT_TRUE(b.Equals(&a));
  b.Move(0, 2);
  EXPECT_EQ(b.CommaText(), "2,3,1");
  b.Exchange(0, 1);
  EXPECT_EQ(b.CommaText(), "3,2,1");
  b.AddStrings(&a);
  EXPECT_EQ(b.Count(), 6);
  EXPECT_THROW(b.Get(6), EStringListError);
}

// Texts that leave their old place move in and out without a copy; each still counts as one
// change, and a sorted list keeps its order and duplicate rules.
TEST(StringList, TextsMoveInAndTakenOut)
{
  TStringList l;
  TObject marker;
  int changes = 0;
  l.OnChange = [&](TObject *) { ++changes; };
  l.SetCapacity(4);
  EXPECT_GE(l.Capacity(), 4);
  QString a = QStringLiteral("alpha");
  EXPECT_EQ(l.AddObject(std::move(a), &marker), 0);
  EXPECT_TRUE(a.isNull()) << "the list took the text over";
  QString b = QStringLiteral("beta");
  EXPECT_EQ(l.AddObject(std::move(b), nullptr), 1);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(l.Text(), "alpha\r\nbeta\r\n");

  EXPECT_EQ(l.TakeString(0), "alpha");
  EXPECT_EQ(l.Count(), 2) << "the item stays, with an empty text and its object";
  EXPECT_EQ(l[0], "");
  EXPECT_EQ(l.Objects(0), &marker);
  EXPECT_EQ(changes, 3);
  EXPECT_THROW(l.TakeString(2), EStringListError);
  EXPECT_THROW(l.SetCapacity(1), EStringListError);
  EXPECT_EQ(l.Count(), 2);

  TStringList sorted;
  sorted.SetSorted(true);
  for (const char *t : {"pear", "apple", "Pear"}) {
    QString s = QString::fromLatin1(t);
    sorted.AddObject(std::move(s), nullptr);
  }
  EXPECT_EQ(sorted.Text(), "apple\r\npear\r\n") << "sorted, the duplicate ignored";
  EXPECT_THROW(sorted.TakeString(0), EStringListError);
}

TEST(StringList, OwnedObjectsAreFreed)
{
  static int alive = 0;
  struct TCounted : TObject {
    TCounted() { ++alive; }
    ~TCounted() override { --alive; }
  };
  {
    TStringList l(true);
    l.AddObject("a", new TCounted);
    l.AddObject("b", new TCounted);
    l.Move(0, 1);
    EXPECT_EQ(alive, 2) << "moving keeps the object";
    l.Delete(0);
    EXPECT_EQ(alive, 1);
  }
  EXPECT_EQ(alive, 0);
}

TEST(StringList, LoadFromFileDetectsByteOrderMark)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("t.txt");
  const QString expected = QString::fromUtf8("Grüße €\r\nzweite");
  const struct {
    const char *name;
    QByteArray bytes;
    TEncoding encoding;
  } cases[] = {
      {"utf8 bom", QByteArray("\xEF\xBB\xBF") + expected.toUtf8(), TEncoding::UTF8},
      {"utf16 le", QByteArray("\xFF\xFE") + EncodeText(expected, TEncoding::Unicode), TEncoding::Unicode},
      {"utf16 be", QByteArray("\xFE\xFF") + EncodeText(expected, TEncoding::BigEndianUnicode), TEncoding::BigEndianUnicode},
      {"ansi", QByteArray("Gr\xFC\xDF" "e \x80\r\nzweite"), TEncoding::Default},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::WriteBytes(path, c.bytes);
    TStringList l;
    l.LoadFromFile(path);
    EXPECT_EQ(l.ToStringList(), (QStringList{QString::fromUtf8("Grüße €"), "zweite"}));
    EXPECT_EQ(l.Encoding(), c.encoding);
  }
  TStringList l;
  EXPECT_THROW(l.LoadFromFile(dir.filePath("missing.txt")), EFOpenError);
}

TEST(StringList, SaveToFileWritesAnsiWithCrLf)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("out.txt");
  TStringList l;
  l.Add(QString::fromUtf8("ä€"));
  l.Add(QString::fromUtf8("漢"));
  l.SaveToFile(path);
  EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("\xE4\x80\r\n?\r\n"));
  l.SaveToFile(path, TEncoding::UTF8);
  EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("\xEF\xBB\xBF") + QString::fromUtf8("ä€\r\n漢\r\n").toUtf8());
  // A list read from a UTF-8 file keeps its encoding when saved again.
  TStringList again;
  again.LoadFromFile(path);
  again.SaveToFile(path);
  EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("\xEF\xBB\xBF") + QString::fromUtf8("ä€\r\n漢\r\n").toUtf8());
  EXPECT_THROW(l.SaveToFile(path + "/sub/x.txt"), EFCreateError);
}

TEST(StringList, StreamsRoundTrip)
{
  TStringList l;
  l.SetCommaText("a,b");
  TMemoryStream ms;
  l.SaveToStream(&ms);
  EXPECT_EQ(ms.Bytes(), QByteArray("a\r\nb\r\n"));
  ms.SetPosition(0);
  TStringList back;
  back.LoadFromStream(&ms);
  EXPECT_TRUE(back.Equals(&l));
}

}  // namespace
