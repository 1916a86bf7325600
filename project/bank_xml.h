#pragma once
// Reading the project files for the bank builder through the lent XML document.
#include "framework/services/xmldoc.h"

#include <QString>

#include <vector>

namespace bankxml {

// Loads File into Doc; a file that cannot be parsed raises EXMLDocError naming it. Only a
// missing file means the defaults: callers test with PathExists, so that a folder, a FIFO or
// a device in the file's place reaches this load and raises instead of passing for "no file".
void Load(TXMLDocument *Doc, const QString &File);

// The text of element Name among the direct children of the document's root element.
// False (Text untouched) when there is no root, no such element, or it holds no plain text.
bool Child_Text(TXMLDocument *Doc, const QString &Name, QString &Text);

// One "row" of a table section.
class TRow {
public:
  explicit TRow(IXMLNode Node) : FNode(Node) {}
  // An absent attribute reads as empty text.
  QString Attribute(const QString &Name) const { return FNode.Attributes(Name); }

private:
  IXMLNode FNode;
};

// The element children of section Name under the root, in document order. A missing section
// raises EBankError naming the section and the file.
std::vector<TRow> Section_Rows(TXMLDocument *Doc, const QString &Name, const QString &File);

}  // namespace bankxml
