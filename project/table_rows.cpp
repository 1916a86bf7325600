#include "project/table_rows.h"

#include "framework/system/sysutils.h"

QString TTableRow::Text(const char *Name, const QString &Default) const
{
  const char *v = FElement.AttributeUtf8(Name);
  return v ? QString::fromUtf8(v) : Default;
}

int TTableRow::Integer(const char *Name, int Default) const
{
  const char *v = FElement.AttributeUtf8(Name);
  int n;
  return v && TryUtf8ToInt(v, n) ? n : Default;
}

bool TTableRow::Checked(const char *Name) const
{
  const char *v = FElement.AttributeUtf8(Name);
  return v && v[0] == 'Y' && v[1] == 0;
}

bool TTableRow::Checked_Any_Case(const char *Name) const
{
  const char *v = FElement.AttributeUtf8(Name);
  return v && (v[0] == 'Y' || v[0] == 'y') && v[1] == 0;
}

int TTableSection::Count() const
{
  int n = 0;
  for (TXMLElementReader r = FElement.FirstChildElement(); r; r = r.NextSiblingElement())
    ++n;
  return n;
}

TTableFile::TTableFile(TXMLDocument &Doc, const QString &Path) : FPath(Path)
{
  Doc.LoadFromFile(Path);
  // The root is the first element: a declaration or comment before it is not the root.
  FRoot = TXMLElementReader(Doc.DocumentElement());
}

bool TTableFile::Child_Text(const char *Name, QString &Text) const
{
  return FRoot.ChildElement(Name).Text(Text);
}

TTableWriter::TTableWriter(const QString &Path, const char *Root) : FXml(Path) { FXml.StartElement(Root); }

void TTableWriter::Finish(const QString &Version)
{
  FXml.EndElement();
  FXml.Comment(Version);
  FXml.Commit();
}
