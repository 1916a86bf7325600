#pragma once
// INI files: "[Section]" headers and "Name=Value" lines; section and key names ignore case.
// Files are read and written in the ANSI code page (a byte-order mark is honoured when
// reading) with CR LF line ends, and always saved atomically.
#include <QString>
#include <vector>

#include "framework/classes/classes.h"

class TCustomIniFile : public TObject {
public:
  explicit TCustomIniFile(const QString &FileName) : FFileName(FileName) {}
  const QString &FileName() const { return FFileName; }

  virtual QString ReadString(const QString &Section, const QString &Ident, const QString &Default) = 0;
  virtual void WriteString(const QString &Section, const QString &Ident, const QString &Value) = 0;
  // Decimal or hex ("$", "0x") text; Default when missing or not a number.
  int ReadInteger(const QString &Section, const QString &Ident, int Default);
  void WriteInteger(const QString &Section, const QString &Ident, int Value);
  // Any integer other than 0 is True; "1"/"0" written.
  bool ReadBool(const QString &Section, const QString &Ident, bool Default);
  void WriteBool(const QString &Section, const QString &Ident, bool Value);
  double ReadFloat(const QString &Section, const QString &Ident, double Default);
  void WriteFloat(const QString &Section, const QString &Ident, double Value);
  virtual void ReadSection(const QString &Section, TStrings *Strings) = 0;
  virtual void ReadSections(TStrings *Strings) = 0;
  virtual void ReadSectionValues(const QString &Section, TStrings *Strings) = 0;
  virtual void EraseSection(const QString &Section) = 0;
  virtual void DeleteKey(const QString &Section, const QString &Ident) = 0;
  virtual bool SectionExists(const QString &Section);
  virtual bool ValueExists(const QString &Section, const QString &Ident);
  // Writes pending changes (raises EFCreateError when the file cannot be written).
  virtual void UpdateFile() = 0;

protected:
  QString FFileName;
};

// The whole file in memory; changes reach the disk on UpdateFile.
class TMemIniFile : public TCustomIniFile {
public:
  explicit TMemIniFile(const QString &FileName);
  ~TMemIniFile() override;

  QString ReadString(const QString &Section, const QString &Ident, const QString &Default) override;
  void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
  void ReadSection(const QString &Section, TStrings *Strings) override;
  void ReadSections(TStrings *Strings) override;
  void ReadSectionValues(const QString &Section, TStrings *Strings) override;
  void EraseSection(const QString &Section) override;
  void DeleteKey(const QString &Section, const QString &Ident) override;
  void UpdateFile() override;
  void Clear();
  // The file's text as UpdateFile would write it (without encoding).
  void GetStrings(TStrings *List);
  void SetStrings(TStrings *List);
  // Forget memory and read the file again.
  void Rename(const QString &FileName, bool Reload);

protected:
  struct Key {
    QString Name, Value;
  };
  struct Section {
    QString Name;
    std::vector<Key> Keys;
  };
  Section *FindSection(const QString &Name);
  void LoadValues();
  std::vector<Section> FSections;
  TEncoding FEncoding = TEncoding::Default;
};

// Every write goes straight to the file (atomically), like the platform's profile API.
class TIniFile : public TMemIniFile {
public:
  explicit TIniFile(const QString &FileName) : TMemIniFile(FileName) {}
  void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
  void EraseSection(const QString &Section) override;
  void DeleteKey(const QString &Section, const QString &Ident) override;
};
