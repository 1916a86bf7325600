#include "framework/services/registry.h"

#include <QSettings>

namespace {

QString &StoreFile()
{
  static QString file;
  return file;
}

// The registry separates subkeys with "\"; QSettings groups with "/".
QString GroupPath(QString Key)
{
  Key.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (Key.startsWith(QLatin1Char('/')))
    Key.remove(0, 1);
  while (Key.endsWith(QLatin1Char('/')))
    Key.chop(1);
  return Key;
}

}  // namespace

void SetRegistryStoreFile(const QString &FileName) { StoreFile() = FileName; }

TRegistryIniFile::TRegistryIniFile(const QString &FileName)
    : TCustomIniFile(FileName),
      FSettings(StoreFile().isEmpty()
                    ? std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                  QStringLiteral("quillomark"),
                                                  QStringLiteral("HKEY_CURRENT_USER"))
                    : std::make_unique<QSettings>(StoreFile(), QSettings::IniFormat))
{
}

TRegistryIniFile::~TRegistryIniFile() = default;

QString TRegistryIniFile::Path(const QString &Section, const QString &Ident) const
{
  QString p = GroupPath(FFileName);
  const QString s = GroupPath(Section);
  if (!s.isEmpty())
    p += (p.isEmpty() ? QString() : QStringLiteral("/")) + s;
  if (!Ident.isEmpty())
    p += (p.isEmpty() ? QString() : QStringLiteral("/")) + Ident;
  return p;
}

QString TRegistryIniFile::ReadString(const QString &Section, const QString &Ident, const QString &Default)
{
  const QVariant v = FSettings->value(Path(Section, Ident));
  return v.isValid() ? v.toString() : Default;
}

void TRegistryIniFile::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
  FSettings->setValue(Path(Section, Ident), Value);
}

void TRegistryIniFile::ReadSection(const QString &Section, TStrings *Strings)
{
  Strings->BeginUpdate();
  Strings->Clear();
  FSettings->beginGroup(Path(Section));
  for (const QString &k : FSettings->childKeys())
    Strings->Add(k);
  FSettings->endGroup();
  Strings->EndUpdate();
}

void TRegistryIniFile::ReadSections(TStrings *Strings)
{
  Strings->BeginUpdate();
  Strings->Clear();
  FSettings->beginGroup(Path(QString()));
  for (const QString &g : FSettings->childGroups())
    Strings->Add(g);
  FSettings->endGroup();
  Strings->EndUpdate();
}

void TRegistryIniFile::ReadSectionValues(const QString &Section, TStrings *Strings)
{
  Strings->BeginUpdate();
  Strings->Clear();
  FSettings->beginGroup(Path(Section));
  for (const QString &k : FSettings->childKeys())
    Strings->Add(k + QLatin1Char('=') + FSettings->value(k).toString());
  FSettings->endGroup();
  Strings->EndUpdate();
}

void TRegistryIniFile::EraseSection(const QString &Section) { FSettings->remove(Path(Section)); }

void TRegistryIniFile::DeleteKey(const QString &Section, const QString &Ident)
{
  FSettings->remove(Path(Section, Ident));
}

void TRegistryIniFile::UpdateFile() { FSettings->sync(); }
