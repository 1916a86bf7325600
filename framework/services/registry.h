#pragma once
// The current user's registry as an INI view: the file name is a key below the user's root
// ("Software\Maker\Program"), a section is a subkey of it and an ident a value in that subkey.
// The store is kept by QSettings in the user's configuration; tests move it to a file of their own.
#include <QString>
#include <memory>

#include "framework/classes/inifiles.h"

class QSettings;

class TRegistryIniFile : public TCustomIniFile {
public:
  explicit TRegistryIniFile(const QString &FileName);
  ~TRegistryIniFile() override;

  QString ReadString(const QString &Section, const QString &Ident, const QString &Default) override;
  void WriteString(const QString &Section, const QString &Ident, const QString &Value) override;
  void ReadSection(const QString &Section, TStrings *Strings) override;
  void ReadSections(TStrings *Strings) override;
  void ReadSectionValues(const QString &Section, TStrings *Strings) override;
  void EraseSection(const QString &Section) override;
  void DeleteKey(const QString &Section, const QString &Ident) override;
  // Writes are immediate in the registry; this only flushes them to the disk.
  void UpdateFile() override;

private:
  QString Path(const QString &Section, const QString &Ident = QString()) const;
  std::unique_ptr<QSettings> FSettings;
};

// Keeps the current user's registry in the INI file FileName instead of the user's own store
// (tests); an empty name goes back to the user's store.
void SetRegistryStoreFile(const QString &FileName);
