// File names, folders, atomic writes and INI files.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QTemporaryDir>

#include "framework/classes/inifiles.h"
#include "framework/services/atomicfile.h"
#include "framework/system/paths.h"

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
