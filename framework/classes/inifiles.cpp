#include <QFile>

#include "framework/classes/inifiles.h"
#include "framework/system/paths.h"

int TCustomIniFile::ReadInteger(const QString &Section, const QString &Ident, int Default)
{
  return StrToIntDef(Trim(ReadString(Section, Ident, QString())), Default);
}

void TCustomIniFile::WriteInteger(const QString &Section, const QString &Ident, int Value)
{
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const QString &Section, const QString &Ident, bool Default)
{
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const QString &Section, const QString &Ident, bool Value)
{
  WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TCustomIniFile::ReadFloat(const QString &Section, const QString &Ident, double Default)
{
  return StrToFloatDef(ReadString(Section, Ident, QString()), Default);
}

void TCustomIniFile::WriteFloat(const QString &Section, const QString &Ident, double Value)
{
  WriteString(Section, Ident, FloatToStr(Value));
}

bool TCustomIniFile::SectionExists(const QString &Section)
{
  TStringList keys;
  ReadSection(Section, &keys);
  if (keys.Count() > 0) return true;
  TStringList sections;
  ReadSections(&sections);
  for (int i = 0; i < sections.Count(); ++i)
    if (SameText(sections[i], Section)) return true;
  return false;
}

bool TCustomIniFile::ValueExists(const QString &Section, const QString &Ident)
{
  TStringList keys;
  ReadSection(Section, &keys);
  for (int i = 0; i < keys.Count(); ++i)
    if (SameText(keys[i], Ident)) return true;
  return false;
}

// ---------------------------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const QString &FileName) : TCustomIniFile(FileName) { LoadValues(); }

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::LoadValues()
{
  FSections.clear();
  if (FFileName.isEmpty() || !FileExists(FFileName)) return;
  TStringList list;
  list.LoadFromFile(FFileName);
  FEncoding = list.Encoding();
  SetStrings(&list);
}

void TMemIniFile::SetStrings(TStrings *List)
{
  FSections.clear();
  Section *cur = nullptr;
  for (int i = 0; i < List->Count(); ++i) {
    const QString s = Trim(List->Get(i));
    if (s.isEmpty() || s.startsWith(';')) continue;
    if (s.startsWith('[') && s.endsWith(']')) {
      const QString name = Trim(s.mid(1, s.size() - 2));
      cur = FindSection(name);
      if (!cur) {
        FSections.push_back(Section{name, {}});
        cur = &FSections.back();
      }
      continue;
    }
    if (!cur) continue;
    const int eq = int(s.indexOf('='));
    if (eq < 0) continue;
    const QString key = Trim(s.left(eq));
    const QString value = Trim(s.mid(eq + 1));
    bool duplicate = false;
    for (Key &k : cur->Keys)
      if (SameText(k.Name, key)) {
        // The platform answers the first of duplicate keys.
        duplicate = true;
        break;
      }
    if (!duplicate) cur->Keys.push_back(Key{key, value});
  }
}

void TMemIniFile::GetStrings(TStrings *List)
{
  List->BeginUpdate();
  List->Clear();
  for (const Section &s : FSections) {
    List->Add('[' + s.Name + ']');
    for (const Key &k : s.Keys) List->Add(k.Name + '=' + k.Value);
    List->Add(QString());
  }
  List->EndUpdate();
}

TMemIniFile::Section *TMemIniFile::FindSection(const QString &Name)
{
  for (Section &s : FSections)
    if (SameText(s.Name, Name)) return &s;
  return nullptr;
}

QString TMemIniFile::ReadString(const QString &SectionName, const QString &Ident, const QString &Default)
{
  if (Section *s = FindSection(SectionName))
    for (const Key &k : s->Keys)
      if (SameText(k.Name, Ident)) return k.Value;
  return Default;
}

void TMemIniFile::WriteString(const QString &SectionName, const QString &Ident, const QString &Value)
{
  Section *s = FindSection(SectionName);
  if (!s) {
    FSections.push_back(Section{SectionName, {}});
    s = &FSections.back();
  }
  for (Key &k : s->Keys)
    if (SameText(k.Name, Ident)) {
      k.Value = Value;
      return;
    }
  s->Keys.push_back(Key{Ident, Value});
}

void TMemIniFile::ReadSection(const QString &SectionName, TStrings *Strings)
{
  Strings->BeginUpdate();
  Strings->Clear();
  if (Section *s = FindSection(SectionName))
    for (const Key &k : s->Keys) Strings->Add(k.Name);
  Strings->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings *Strings)
{
  Strings->BeginUpdate();
  Strings->Clear();
  for (const Section &s : FSections) Strings->Add(s.Name);
  Strings->EndUpdate();
}

void TMemIniFile::ReadSectionValues(const QString &SectionName, TStrings *Strings)
{
  Strings->BeginUpdate();
  Strings->Clear();
  if (Section *s = FindSection(SectionName))
    for (const Key &k : s->Keys) Strings->Add(k.Name + '=' + k.Value);
  Strings->EndUpdate();
}

void TMemIniFile::EraseSection(const QString &SectionName)
{
  for (size_t i = 0; i < FSections.size(); ++i)
    if (SameText(FSections[i].Name, SectionName)) {
      FSections.erase(FSections.begin() + long(i));
      return;
    }
}

void TMemIniFile::DeleteKey(const QString &SectionName, const QString &Ident)
{
  if (Section *s = FindSection(SectionName))
    for (size_t i = 0; i < s->Keys.size(); ++i)
      if (SameText(s->Keys[i].Name, Ident)) {
        s->Keys.erase(s->Keys.begin() + long(i));
        return;
      }
}

void TMemIniFile::UpdateFile()
{
  TStringList list;
  GetStrings(&list);
  list.SaveToFile(FFileName, FEncoding);
}

void TMemIniFile::Clear() { FSections.clear(); }

void TMemIniFile::Rename(const QString &FileName, bool Reload)
{
  FFileName = FileName;
  if (Reload) LoadValues();
}

// ---------------------------------------------------------------------------------------------

void TIniFile::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
  TMemIniFile::WriteString(Section, Ident, Value);
  UpdateFile();
}

void TIniFile::EraseSection(const QString &Section)
{
  TMemIniFile::EraseSection(Section);
  UpdateFile();
}

void TIniFile::DeleteKey(const QString &Section, const QString &Ident)
{
  TMemIniFile::DeleteKey(Section, Ident);
  UpdateFile();
}
