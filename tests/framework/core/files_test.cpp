// File names, folders, atomic writes and INI files.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "framework/classes/inifiles.h"
#include "framework/services/atomicfile.h"
#include "framework/services/xmldoc.h"
#include "framework/system/paths.h"
#include "tests/support/special_files.h"

namespace {

TEST(Paths, FileNameParts)
{
  const struct {
    const char *name, *path, *file, *ext, *changed;
  } cases[] = {
      {"/a/b/c.txt", "/a/b/", "c.txt", ".txt", "/a/b/c.xml"},
      {"c.tar.gz", "", "c.tar.gz", ".gz", "c.tar.xml"},
      {"/a.b/c", "/a.b/", "c", "", "/a.b/c.xml"},
      {"C:\\dir\\f.lng", "C:\\dir\\", "f.lng", ".lng", "C:\\dir\\f.xml"},
      {"/a/b/", "/a/b/", "", "", "/a/b/.xml"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ExtractFilePath(c.name), c.path);
    EXPECT_EQ(ExtractFileName(c.name), c.file);
    EXPECT_EQ(ExtractFileExt(c.name), c.ext);
    EXPECT_EQ(ChangeFileExt(c.name, ".xml"), c.changed);
  }
  EXPECT_EQ(ExtractFileDir("/a/b/c.txt"), "/a/b");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(Paths, FoldersFilesAndListing)
{
  QTemporaryDir dir;
  const QString root = dir.path();
  const QString deep = root + "/x/y/z";
  EXPECT_FALSE(DirectoryExists(deep));
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_FALSE(FileExists(deep)) << "a folder is not a file";
  EXPECT_TRUE(CreateDir(root + "/LANGUAGE"));
  EXPECT_FALSE(CreateDir(root + "/q/r")) << "one level only";
  for (const char *n : {"German.lng", "english.LNG", "notes.txt", "Zulu.lng"}) testsupport::WriteBytes(root + "/LANGUAGE/" + n, "x");
  QFile::setPermissions(root + "/LANGUAGE/Zulu.lng", QFileDevice::ReadOwner);
  EXPECT_EQ(FindFiles(root + "/LANGUAGE", "*.lng"), (QStringList{"english.LNG", "German.lng", "Zulu.lng"}));
  EXPECT_EQ(FindFiles(root + "/LANGUAGE", "*.lng", false), (QStringList{"english.LNG", "German.lng"}));
  EXPECT_EQ(FindFiles(root + "/missing", "*"), QStringList());
  EXPECT_EQ(FindDirectories(root), (QStringList{"LANGUAGE", "x"}));
  const QString f = root + "/LANGUAGE/notes.txt";
  EXPECT_TRUE(FileExists(f));
  EXPECT_FALSE(RenameFile(f, root + "/LANGUAGE/German.lng")) << "the target exists";
  EXPECT_TRUE(RenameFile(f, root + "/n.txt"));
  EXPECT_TRUE(DeleteFile(root + "/n.txt"));
  EXPECT_FALSE(DeleteFile(root + "/n.txt"));
}

TEST(Paths, ExeNameCanPointAtATemporaryProgramFolder)
{
  QTemporaryDir dir;
  SetExeNameOverride(dir.path() + "/quillomark");
  EXPECT_EQ(ExtractFilePath(ExeName()), dir.path() + "/");
  SetExeNameOverride(QString());
  EXPECT_NE(ExeName(), dir.path() + "/quillomark");
  EXPECT_FALSE(ExeName().isEmpty());
}

TEST(AtomicFile, ReplacesWholeFile)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("bank1.bin");
  testsupport::WriteBytes(path, QByteArray(100, 'o'));
  QString error = "stale";
  EXPECT_TRUE(WriteFileAtomic(path, "new", &error));
  EXPECT_EQ(error, "");
  EXPECT_EQ(testsupport::ReadBytes(path), "new");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"bank1.bin"}) << "no temporary left";
}

TEST(AtomicFile, FailureKeepsTheOldFileAndSaysWhy)
{
  QTemporaryDir dir;
  // Tests may run as root, so an unwritable folder is made by putting a file where the
  // folder should be.
  const QString blocker = dir.filePath("notafolder");
  testsupport::WriteBytes(blocker, "old");
  QString error;
  EXPECT_FALSE(WriteFileAtomic(blocker + "/f.xml", "data", &error));
  EXPECT_TRUE(error.contains(blocker + "/f.xml")) << error.toStdString();
  EXPECT_EQ(testsupport::ReadBytes(blocker), "old");
  EXPECT_THROW(WriteFileAtomicOrRaise(blocker + "/f.xml", "data"), EFCreateError);
  // A folder in the target's place is not replaced.
  const QString folder = dir.filePath("folder");
  ASSERT_TRUE(ForceDirectories(folder));
  EXPECT_FALSE(WriteFileAtomic(folder, "data", &error));
  EXPECT_TRUE(DirectoryExists(folder));
  // A read-only file is not replaced (the rename would otherwise ignore the flag).
  const QString locked = dir.filePath("locked.xml");
  testsupport::WriteBytes(locked, "old");
  QFile::setPermissions(locked, QFileDevice::ReadOwner);
  EXPECT_FALSE(WriteFileAtomic(locked, "new", &error));
  EXPECT_TRUE(error.contains("read-only")) << error.toStdString();
  EXPECT_EQ(testsupport::ReadBytes(locked), "old");
}

TEST(AtomicFile, FullDiskKeepsTheOldFileAndReportsTheError)
{
  // Data smaller than a write buffer (2 KB) and larger than one (30 KB).
  for (const int size : {2 * 1024, 30 * 1024}) {
    SCOPED_TRACE(size);
    QTemporaryDir dir;
    const QString path = dir.filePath("Quillomark.xml");
    const QByteArray old(700, 'o');
    testsupport::WriteBytes(path, old);
    QString error;
    bool written;
    {
      testsupport::DiskFullAbove full(1000);
      written = WriteFileAtomic(path, QByteArray(size, 'n'), &error);
    }
    EXPECT_FALSE(written);
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(testsupport::ReadBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Quillomark.xml"}) << "no temporary left";
  }
}

// A save killed between writing its temporary file and the rename leaves that file behind; the
// next save of the same file removes it, and only files of exactly the writer's pattern.
TEST(AtomicFile, TemporariesLeftByEarlierSavesOfTheFileGoAtItsNextSave)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("Table.xml");
  const QStringList ours = {"Table.xml.k3j2.tmp", "Table.xml.0.tmp", "Table.xml.1z141z3.tmp"};
  const QStringList others = {"Table.xml.1z141z4.tmp",  // beyond 32 bits
                              "Table.xml.ABC.tmp", "Table.xml.07.tmp", "Table.xml.12345678.tmp", "Table.xml.tmp",
                              "Table.xml..tmp", "Table.xml.k3j2.tmp.bak", "Other.xml.k3j2.tmp", "xTable.xml.k3j2.tmp",
                              "Table.xmlk3j2.tmp"};
  for (const QString &name : ours + others) testsupport::WriteBytes(dir.filePath(name), "left");
  ASSERT_TRUE(ForceDirectories(dir.filePath("Table.xml.abc.tmp")));  // no regular file: stays
  ASSERT_TRUE(QFile::link(dir.filePath("Other.xml.k3j2.tmp"), dir.filePath("Table.xml.lnk.tmp")));

  ASSERT_TRUE(WriteFileAtomic(path, "new"));
  QStringList expected = others + QStringList{"Table.xml", "Table.xml.abc.tmp", "Table.xml.lnk.tmp"};
  expected.sort();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name), expected);
  EXPECT_EQ(testsupport::ReadBytes(path), "new");
}

// The data is forced to the disk before the rename, and the folder after it, so that a power
// cut can leave neither an empty file nor the old name.
TEST(AtomicFile, TheFileIsForcedBeforeTheRenameAndTheFolderAfterIt)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("bank1.bin");
  testsupport::WriteBytes(path, "old");
  QList<QByteArray> synced;
  QList<QByteArray> contents;
  SetAtomicFileSyncHook([&](const QByteArray &name) {
    synced << name;
    contents << testsupport::ReadBytes(path);
  });
  const bool written = WriteFileAtomic(path, "new");
  SetAtomicFileSyncHook(nullptr);
  EXPECT_TRUE(written);
  ASSERT_EQ(synced.size(), 2);
  EXPECT_TRUE(synced[0].startsWith(QFile::encodeName(path) + ".") && synced[0].endsWith(".tmp")) << synced[0].constData();
  EXPECT_EQ(contents[0], "old");
  EXPECT_EQ(synced[1], QFile::encodeName(dir.path()));
  EXPECT_EQ(contents[1], "new");
}

TEST(AtomicFile, ALinkIsReplacedAndItsTargetNeverWritten)
{
  QTemporaryDir dir;
  const QString target = dir.filePath("elsewhere.txt");
  testsupport::WriteBytes(target, "precious");
  const QString link = dir.filePath("ParGen.xml");
  ASSERT_TRUE(QFile::link(target, link));
  EXPECT_TRUE(WriteFileAtomic(link, "new"));
  EXPECT_FALSE(QFileInfo(link).isSymLink());
  EXPECT_EQ(testsupport::ReadBytes(link), "new");
  EXPECT_EQ(testsupport::ReadBytes(target), "precious");

  // A link that leads nowhere is replaced too; nothing appears where it pointed.
  const QString dangling = dir.filePath("bank1.bin");
  ASSERT_TRUE(QFile::link(dir.filePath("missing.bin"), dangling));
  EXPECT_TRUE(WriteFileAtomic(dangling, "bank"));
  EXPECT_FALSE(QFileInfo(dangling).isSymLink());
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing.bin")));

  // A folder that is itself a link stays usable: the file goes into the folder it names.
  ASSERT_TRUE(ForceDirectories(dir.filePath("real")));
  ASSERT_TRUE(QFile::link(dir.filePath("real"), dir.filePath("project")));
  EXPECT_TRUE(WriteFileAtomic(dir.filePath("project/f.xml"), "in folder"));
  EXPECT_EQ(testsupport::ReadBytes(dir.filePath("real/f.xml")), "in folder");
  EXPECT_TRUE(QFileInfo(dir.filePath("project")).isSymLink());
}

TEST(ReadFile, OnlyRegularFilesOfASaneSizeAreRead)
{
  QTemporaryDir dir;
  testsupport::WriteBytes(dir.filePath("good.xml"), "<a>1</a>");
  ASSERT_TRUE(QFile::link(dir.filePath("good.xml"), dir.filePath("link.xml")));
  ASSERT_TRUE(ForceDirectories(dir.filePath("folder.xml")));
  ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.xml")));
  ASSERT_TRUE(testsupport::MakeSparseFile(dir.filePath("huge.xml"), "<a>1</a>", MaxReadFileSize + 1));
  testsupport::FedFifo fifo(dir.filePath("fifo.xml"), "<a>1</a>");
  ASSERT_TRUE(fifo.Ok());
  const struct {
    const char *name;
    bool readable;
  } cases[] = {
      {"good.xml", true}, {"link.xml", true}, {"folder.xml", false}, {"zero.xml", false},
      {"huge.xml", false}, {"fifo.xml", false}, {"missing.xml", false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = dir.filePath(c.name);
    // Every reader of whole files gives its normal error, naming the file.
    TXMLDocument doc;
    TMemoryStream ms;
    if (c.readable) {
      EXPECT_NO_THROW(doc.LoadFromFile(path));
      EXPECT_EQ(doc.DocumentElement().Text(), "1");
      EXPECT_NO_THROW(ms.LoadFromFile(path));
      EXPECT_EQ(ms.Bytes(), "<a>1</a>");
      continue;
    }
    try {
      doc.LoadFromFile(path);
      ADD_FAILURE() << "the XML document read it";
    } catch (const EXMLDocError &e) {
      EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
    }
    try {
      ms.LoadFromFile(path);
      ADD_FAILURE() << "the stream read it";
    } catch (const EFOpenError &e) {
      EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
    }
  }
}

TEST(Paths, FindFileIgnoreCasePrefersTheExactName)
{
  QTemporaryDir dir;
  testsupport::WriteBytes(dir.filePath("German.lng"), "x");
  testsupport::WriteBytes(dir.filePath("english.lng"), "x");
  testsupport::WriteBytes(dir.filePath("English.LNG"), "x");
  EXPECT_EQ(FindFileIgnoreCase(dir.path(), "GERMAN.lng"), dir.filePath("German.lng"));
  EXPECT_EQ(FindFileIgnoreCase(dir.path(), "english.lng"), dir.filePath("english.lng"));
  EXPECT_EQ(FindFileIgnoreCase(dir.path(), "English.LNG"), dir.filePath("English.LNG"));
  EXPECT_EQ(FindFileIgnoreCase(dir.path(), "French.lng"), "");
}

TEST(IniFiles, ReadWriteAndSections)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("settings.ini");
  testsupport::WriteBytes(path, "; comment\r\n[Main]\r\n Count = 0x10 \r\nFlag=1\r\nName=Gr\xFC\xDF" "e\r\n\r\n[Other]\r\nx=1.5\r\n");
  {
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("main", "count", 0), 16);
    EXPECT_TRUE(ini.ReadBool("Main", "Flag", false));
    EXPECT_EQ(ini.ReadString("Main", "Name", ""), QString::fromUtf8("Grüße"));
    EXPECT_EQ(ini.ReadString("Main", "Missing", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("Main", "Name", -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Other", "x", 0), 1.5);
    TStringList sections, keys;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections.CommaText(), "Main,Other");
    ini.ReadSection("Main", &keys);
    EXPECT_EQ(keys.CommaText(), "Count,Flag,Name");
    EXPECT_TRUE(ini.SectionExists("OTHER"));
    EXPECT_TRUE(ini.ValueExists("main", "FLAG"));
    ini.WriteString("New", "k", "v");
    ini.DeleteKey("Main", "Flag");
    ini.EraseSection("Other");
    EXPECT_FALSE(ini.SectionExists("Other"));
    ini.UpdateFile();
  }
  EXPECT_EQ(testsupport::ReadBytes(path), "[Main]\r\nCount=0x10\r\nName=Gr\xFC\xDF" "e\r\n\r\n[New]\r\nk=v\r\n\r\n");
  TIniFile direct(path);
  direct.WriteBool("New", "b", true);
  EXPECT_TRUE(testsupport::ReadBytes(path).contains("b=1\r\n")) << "TIniFile writes through";
}

}  // namespace
