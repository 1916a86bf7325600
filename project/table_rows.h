#pragma once
// Reading and writing the project's table files: a root element, one section element per grid (or the rows
// straight under the root), one row element per table row whose attributes carry the cells as
// text and check boxes as "Y" or "N". The bank builder, the side-file writers and the table forms
// all read rows through here.
//
// Attribute names are UTF-8 (the literals of the column descriptions), so a lookup converts
// nothing; a row looks each name up from where the previous lookup ended, so reading the columns
// in the order the file stores them walks each row's attributes once.
//
// Sections and rows are views into the document the file was read with: they are valid until
// that document is loaded again or cleared.
#include "framework/services/xmldoc.h"

#include <QString>

// One row: an element of a section, whatever its name.
class TTableRow {
public:
  explicit TTableRow(TXMLElementReader Element) : FElement(Element) {}

  bool Has(const char *Name) const { return FElement.AttributeUtf8(Name) != nullptr; }
  // The attribute's text as the file holds it (UTF-8); nullptr when it is absent.
  const char *Utf8(const char *Name) const { return FElement.AttributeUtf8(Name); }
  // The attribute's text; "" when it is absent.
  QString Text(const char *Name) const { return FElement.Attribute(Name); }
  // The attribute's text; Default when it is absent.
  QString Text(const char *Name, const QString &Default) const;
  // The attribute as an integer by StrToIntDef's rules (blanks before, a sign, decimal or
  // "$"/"0x" hexadecimal, nothing after): Default when it is absent or no such number.
  int Integer(const char *Name, int Default) const;
  // A check-box cell: set only when the text is exactly "Y".
  bool Checked(const char *Name) const;
  // Set when the text is "Y" in either case (readers that upper-case before comparing).
  bool Checked_Any_Case(const char *Name) const;

private:
  TXMLElementReader FElement;
};

// The rows of one section in document order; comments and text between them are passed over.
// A section that the file does not have has no rows.
class TTableSection {
public:
  TTableSection() = default;
  explicit TTableSection(TXMLElementReader Element) : FElement(Element) {}

  bool Exists() const { return !FElement.IsNull(); }
  int Count() const;

  class iterator {
  public:
    explicit iterator(TXMLElementReader Row) : FRow(Row) {}
    TTableRow operator*() const { return TTableRow(FRow); }
    iterator &operator++()
    {
      FRow = FRow.NextSiblingElement();
      return *this;
    }
    bool operator!=(const iterator &Other) const { return FRow != Other.FRow; }

  private:
    TXMLElementReader FRow;
  };
  iterator begin() const { return iterator(FElement.FirstChildElement()); }
  iterator end() const { return iterator(TXMLElementReader()); }

private:
  TXMLElementReader FElement;
};

// A table file read through a document lent by the caller (not owned).
class TTableFile {
public:
  // Loads Path into Doc, replacing what it held. A file that cannot be read or parsed raises
  // EXMLDocError naming it.
  TTableFile(TXMLDocument &Doc, const QString &Path);

  const QString &Path() const { return FPath; }
  // The document's first element; false for a document without one.
  bool Has_Root() const { return !FRoot.IsNull(); }
  // The rows straight under the root (tables without sections).
  TTableSection Root_Rows() const { return TTableSection(FRoot); }
  // The section element of that name among the root's children; one without rows when the
  // file has no such section (Exists() tells).
  TTableSection Section(const char *Name) const { return TTableSection(FRoot.ChildElement(Name)); }
  // The text of the root's child element Name: false (Text untouched) when there is no such
  // element or it holds elements rather than text. Settings files keep one value per element.
  bool Child_Text(const char *Name, QString &Text) const;

private:
  QString FPath;
  TXMLElementReader FRoot;
};

// Writes a table file the way the table forms save it: the root, its sections (or the rows
// straight under it), one "row" element per table row with the cells as attributes, and the
// version comment after the root. The file is written as it goes and replaces the old one
// whole in Finish; a writer dropped before (an exception) leaves the old file as it was.
class TTableWriter {
public:
  TTableWriter(const QString &Path, const char *Root);

  void Begin_Section(const char *Name) { FXml.StartElement(Name); }
  void End_Section() { FXml.EndElement(); }
  void Begin_Row() { FXml.StartElement("row"); }
  // Raises EXMLDocError when the text holds a character a table file cannot hold.
  void Cell(const char *Name, const QString &Text) { FXml.Attribute(Name, Text); }
  void End_Row() { FXml.EndElement(); }
  // Ends the root, adds the version comment and puts the file in place; raises EXMLDocError
  // naming the file when it cannot be written.
  void Finish(const QString &Version);

private:
  TXMLFileWriter FXml;
};
