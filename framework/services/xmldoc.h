#pragma once
// XML documents on pugixml with the document/node interface of the original platform.
//
// IXMLNode and IXMLNodeList are cheap handles into a TXMLDocument's tree (a pugixml node
// plus a stamp of the document's content). They stay valid while the node they name exists.
// - Loading or clearing the document (LoadFromFile, LoadFromXML, LoadFromStream, Clear,
//   SetActive(false)) or destroying it makes every handle taken before stale: IsNull()
//   answers true and any other use raises EXMLDocError instead of touching freed memory.
// - Removing a node (IXMLNodeList::Delete, Remove, Clear) frees it and its descendants, as
//   pugixml does: handles to those nodes must not be used afterwards (not detected).
// A null handle answers empty texts, no attributes and no children; changing it raises
// EXMLDocError.
#include <QString>
#include <cstring>
#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "framework/classes/classes.h"

// The characters an XML 1.0 document cannot hold in any form, not even as a character
// reference: the controls below U+0020 other than TAB, LF and CR, and U+FFFE and U+FFFF.
inline bool IsXMLForbiddenChar(QChar C)
{
  const char16_t U = C.unicode();
  return (U < 0x20 && U != 9 && U != 10 && U != 13) || U >= 0xFFFE;
}
// The index of the first such character of Text; -1 when there is none.
qsizetype XMLForbiddenCharIndex(const QString &Text);
// Text without them.
QString XMLAllowedText(const QString &Text);

enum TNodeType {
  ntReserved, ntElement, ntAttribute, ntText, ntCData, ntEntityRef, ntEntity, ntProcessingInstr,
  ntComment, ntDocument, ntDocType, ntDocFragment, ntNotation
};

class TXMLDocument;
class IXMLNodeList;

// Shared between a document and its handles; the generation changes when the content is
// replaced or the document dies.
struct TXMLDocStamp {
  uint64_t Generation = 0;
};

class IXMLNode {
public:
  IXMLNode() = default;
  IXMLNode(pugi::xml_node node, TXMLDocument *owner);

  bool IsNull() const { return !FNode || IsStale(); }
  explicit operator bool() const { return !IsNull(); }
  // True when the document was cleared, reloaded or destroyed after this handle was taken.
  bool IsStale() const { return FStamp && FStamp->Generation != FGeneration; }
  friend bool operator==(const IXMLNode &a, const IXMLNode &b) { return a.FNode == b.FNode; }

  QString NodeName() const;  // element name; "#comment", "#text", "#cdata-section" otherwise
  TNodeType NodeType() const;
  // Element: the text of a text-only element ("" when empty); raises EXMLDocError when the
  // element holds other elements. Text, comment and CDATA nodes: their value.
  QString Text() const;
  // Element: replaces the children by one text node. Other nodes: sets the value.
  void SetText(const QString &Value);
  QString NodeValue() const;
  void SetNodeValue(const QString &Value);
  bool IsTextElement() const;
  bool HasChildNodes() const;

  // "" for an attribute that is absent.
  QString Attributes(const QString &Name) const;
  // Sets an existing attribute in place or appends a new one (the order is kept).
  void SetAttributes(const QString &Name, const QString &Value);
  bool HasAttribute(const QString &Name) const;
  void RemoveAttribute(const QString &Name);
  int AttributeCount() const;
  QString AttributeName(int Index) const;
  QString AttributeValue(int Index) const;

  IXMLNodeList ChildNodes() const;
  IXMLNode AddChild(const QString &TagName, int Index = -1);
  IXMLNode AddComment(const QString &Text);
  IXMLNode ParentNode() const;
  IXMLNode NextSibling() const;
  IXMLNode PreviousSibling() const;
  TXMLDocument *OwnerDocument() const { return IsStale() ? nullptr : FOwner; }
  // The node serialised without indentation.
  QString XML() const;

  pugi::xml_node Handle() const { return N(); }

private:
  friend class IXMLNodeList;
  pugi::xml_node N() const;  // the node; raises EXMLDocError when stale
  void CheckNotNull() const;
  pugi::xml_node FNode;
  TXMLDocument *FOwner = nullptr;
  std::shared_ptr<const TXMLDocStamp> FStamp;
  uint64_t FGeneration = 0;
};

// The child nodes of a node or of the document (all kinds: elements, comments, text...).
class IXMLNodeList {
public:
  IXMLNodeList() = default;
  IXMLNodeList(pugi::xml_node parent, TXMLDocument *owner) : FOwnerNode(parent, owner) {}

  int Count() const;
  IXMLNode Nodes(int Index) const;              // null handle when out of range
  IXMLNode Nodes(const QString &Name) const;    // the first element of that name, or null
  IXMLNode operator[](int Index) const { return Nodes(Index); }
  IXMLNode operator[](const QString &Name) const { return Nodes(Name); }
  IXMLNode First() const;
  IXMLNode Last() const;
  IXMLNode FindNode(const QString &Name) const;  // the first element of that name, or null
  int IndexOf(const IXMLNode &Node) const;
  int IndexOf(const QString &Name) const;
  // Appends a node made with TXMLDocument::CreateNode (it is moved here; the handle passed in
  // becomes invalid) and answers its index.
  int Add(const IXMLNode &Node);
  void Insert(int Index, const IXMLNode &Node);
  void Delete(int Index);
  void Delete(const QString &Name);
  int Remove(const IXMLNode &Node);
  void Clear();
  IXMLNode Owner() const { return FOwnerNode; }

private:
  pugi::xml_node P() const { return FOwnerNode.N(); }
  IXMLNode Wrap(pugi::xml_node n) const { return IXMLNode(n, FOwnerNode.OwnerDocument()); }
  IXMLNode FOwnerNode;
};

// A light read-only view of an element for reading many of them fast (the rows of a table):
// names are UTF-8, converted by the caller once, and an attribute lookup starts after the
// attribute found last, so reading attributes in the order they are stored walks the element
// once. Unlike IXMLNode it does not notice that its document was cleared or reloaded: take it
// from a handle, use it, and drop it before the document changes.
class TXMLElementReader {
public:
  TXMLElementReader() = default;
  // The element of the handle; a null reader for a null handle or a node that is no element.
  // Raises EXMLDocError when the handle is stale.
  explicit TXMLElementReader(const IXMLNode &Node);

  bool IsNull() const { return !FNode; }
  explicit operator bool() const { return bool(FNode); }
  friend bool operator==(const TXMLElementReader &a, const TXMLElementReader &b) { return a.FNode == b.FNode; }
  // The first child element of that name; null when there is none.
  TXMLElementReader ChildElement(const char *Utf8Name) const;
  // The first child element and the next sibling element (comments and text are passed over).
  TXMLElementReader FirstChildElement() const;
  TXMLElementReader NextSiblingElement() const;
  // The value of the attribute as the document holds it (UTF-8); nullptr when it is absent.
  const char *AttributeUtf8(const char *Utf8Name) const;
  // "" for an attribute that is absent, as IXMLNode::Attributes.
  QString Attribute(const char *Utf8Name) const;
  // The text of a text-only element; false (Text untouched) when it holds other elements.
  bool Text(QString &Text) const;

private:
  explicit TXMLElementReader(pugi::xml_node Node) : FNode(Node) {}
  static pugi::xml_node Element(pugi::xml_node Node);
  pugi::xml_node FNode;
  mutable pugi::xml_attribute FLast;  // where the next lookup starts
};

enum class TXMLDocOption { doNodeAutoCreate, doNodeAutoIndent, doAttrNull, doAutoPrefix,
                           doNamespaceDecl, doAutoSave };
using TXMLDocOptions = TSet<TXMLDocOption>;

class TXMLDocument : public TComponent {
public:
  explicit TXMLDocument(TComponent *AOwner = nullptr);
  ~TXMLDocument() override;

  bool Active() const { return FActive; }
  // True on an empty document gives an empty tree (or loads FileName when set); False clears.
  void SetActive(bool Value);
  const QString &FileName() const { return FFileName; }
  void SetFileName(const QString &Value) { FFileName = Value; }
  TXMLDocOptions Options() const { return FOptions; }
  // doNodeAutoIndent: SaveToFile/SaveToXML indent by two blanks (the default writes no
  // line breaks between nodes).
  void SetOptions(TXMLDocOptions v) { FOptions = v; }

  // Raises EXMLDocError naming the file and the parser's reason and position when the file
  // is missing, no regular file, too large (ReadFileBytes) or cannot be parsed (an element
  // that names an attribute twice included); the document is then empty and inactive. Files (and streams) without a byte-order mark are UTF-8
  // unless their declaration names Windows-1252 or Latin-1; the declaration of such a file is
  // then changed to UTF-8, the encoding a save writes. Bytes that are not valid in the
  // encoding are refused, never replaced.
  void LoadFromFile(const QString &AFileName = QString());
  void LoadFromXML(const QString &XML);
  void LoadFromStream(TStream *Stream);
  // UTF-8, no declaration unless one was added; atomic. Raises EXMLDocError on failure.
  void SaveToFile(const QString &AFileName = QString());
  QString SaveToXML() const;
  QString XML() const { return SaveToXML(); }
  void SaveToStream(TStream *Stream) const;

  // Top-level nodes in document order (declaration, comments, elements).
  IXMLNodeList ChildNodes();
  // The first top-level element (skips a declaration, comments and processing instructions).
  IXMLNode DocumentElement();
  // Adds a top-level element.
  IXMLNode AddChild(const QString &TagName);
  // A detached node to add with IXMLNodeList::Add: ntElement (Name = tag), ntComment and
  // ntText (Name = the text), ntCData.
  IXMLNode CreateNode(const QString &NameOrData, TNodeType NodeType = ntElement,
                      const QString &AddlData = QString());
  IXMLNode CreateElement(const QString &TagName) { return CreateNode(TagName, ntElement); }
  // Adds <?xml version="1.0" encoding="..."?> as the first node (only when asked).
  void AddDeclaration(const QString &Version = "1.0", const QString &Encoding = "UTF-8");
  void Clear();
  bool IsEmptyDoc() const;

  pugi::xml_document &Handle() { return *FDoc; }
  const std::shared_ptr<TXMLDocStamp> &Stamp() const { return FStamp; }

private:
  void CheckActive();
  std::unique_ptr<pugi::xml_document> FDoc;
  std::unique_ptr<pugi::xml_document> FScratch;  // holds detached nodes from CreateNode
  std::shared_ptr<TXMLDocStamp> FStamp = std::make_shared<TXMLDocStamp>();
  QString FFileName;
  bool FActive = false;
  TXMLDocOptions FOptions;
};

class TAtomicFile;

// Writes an XML document straight to a file, element by element, with the bytes
// TXMLDocument::SaveToFile writes for the same tree without indentation (UTF-8, no declaration,
// a line end after the last node), for large documents that need no tree. The file is put in
// place atomically by Commit; a writer destroyed before leaves the old file as it was.
class TXMLFileWriter {
public:
  explicit TXMLFileWriter(const QString &Path);
  ~TXMLFileWriter();
  TXMLFileWriter(const TXMLFileWriter &) = delete;
  TXMLFileWriter &operator=(const TXMLFileWriter &) = delete;

  // Names are UTF-8 and written as they are.
  void StartElement(const char *Utf8Name);
  // An attribute of the element just started. Raises EXMLDocError when Value holds a character
  // XML cannot hold (IsXMLForbiddenChar).
  void Attribute(const char *Utf8Name, const QString &Value);
  // Ends the innermost open element ("<a/>" when it got no content).
  void EndElement();
  void Comment(const QString &Text);
  // Ends the elements still open and puts the file in place; raises EXMLDocError naming the
  // file and the reason when it cannot be written.
  void Commit();

private:
  char *Reserve(qsizetype Size);
  void Put(const char *Text, qsizetype Size);
  void Put(const char *Text) { Put(Text, qsizetype(std::strlen(Text))); }
  void CloseStartTag();
  void Flush();

  QString FPath;
  std::unique_ptr<TAtomicFile> FFile;
  std::vector<char> FBuffer;
  qsizetype FUsed = 0;
  std::vector<const char *> FOpen;  // the names of the open elements
  bool FInStartTag = false;
};
