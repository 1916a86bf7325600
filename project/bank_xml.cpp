#include "project/bank_xml.h"

#include "project/banks.h"

namespace bankxml {

void Load(TXMLDocument *Doc, const QString &File)
{
  Doc->LoadFromFile(File);
}

bool Child_Text(TXMLDocument *Doc, const QString &Name, QString &Text)
{
  // The root is the first element: a declaration or comment before it is not the root.
  const IXMLNode root = Doc->DocumentElement();
  if (root.IsNull())
    return false;
  const IXMLNode node = root.ChildNodes().FindNode(Name);
  if (node.IsNull())
    return false;
  try {
    Text = node.Text();
  } catch (const Exception &) {
    return false;  // an element holding elements has no text of its own
  }
  return true;
}

std::vector<TRow> Section_Rows(TXMLDocument *Doc, const QString &Name, const QString &File)
{
  const IXMLNode root = Doc->DocumentElement();
  const IXMLNode section = root.IsNull() ? IXMLNode() : root.ChildNodes().FindNode(Name);
  if (section.IsNull())
    throw EBankError(QStringLiteral("The file \"%1\" has no section \"%2\".").arg(File, Name));
  std::vector<TRow> rows;
  for (IXMLNode child = section.ChildNodes().First(); !child.IsNull();
       child = child.NextSibling())
    if (child.NodeType() == ntElement)
      rows.emplace_back(child);
  return rows;
}

}  // namespace bankxml
