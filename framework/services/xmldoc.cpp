#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <vector>

#include "framework/services/atomicfile.h"
#include "framework/services/xmldoc.h"
#include "framework/system/codepages.h"
#include "framework/system/paths.h"

namespace {

// parse_ws_pcdata_single keeps the text of an element that holds nothing but blanks (a
// password of blanks) while the indentation between elements still makes no text nodes.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_declaration |
                                   pugi::parse_pi | pugi::parse_doctype | pugi::parse_ws_pcdata_single;

std::string U8(const QString &s) { return s.toStdString(); }
QString Q(const pugi::char_t *s) { return QString::fromUtf8(s); }

struct StringWriter : pugi::xml_writer {
  std::string out;
  void write(const void *data, size_t size) override { out.append(static_cast<const char *>(data), size); }
};

// Line and column of a byte offset, for parser messages.
void LineColumn(const QByteArray &bytes, ptrdiff_t offset, int &line, int &column)
{
  line = 1;
  column = 1;
  for (ptrdiff_t i = 0; i < offset && i < bytes.size(); ++i) {
    if (bytes[qsizetype(i)] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
}

// The encoding named by the XML declaration at the start of 8-bit bytes, "" when none.
QString DeclaredEncoding(const QByteArray &bytes)
{
  const QByteArray head = bytes.left(256);
  if (!head.startsWith("<?xml")) return QString();
  const qsizetype end = head.indexOf("?>");
  if (end < 0) return QString();
  static const QRegularExpression re(QStringLiteral("\\sencoding\\s*=\\s*[\"']([A-Za-z0-9._:-]+)[\"']"));
  const QRegularExpressionMatch m = re.match(QString::fromLatin1(head.left(end)));
  return m.hasMatch() ? m.captured(1) : QString();
}

// Windows-1252 and ISO-8859-1, which it extends; both are read as Windows-1252.
bool IsAnsiEncodingName(const QString &name)
{
  static const char *const names[] = {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1",
                                      "iso_8859-1", "latin1", "latin-1", "l1"};
  for (const char *n : names)
    if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) return true;
  return false;
}

// Text encoded as UTF-16 or UTF-32 (by its mark or its zero bytes), which the parser converts.
bool IsWideText(const QByteArray &bytes)
{
  if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) return true;
  return bytes.size() >= 2 && (bytes[0] == 0 || bytes[1] == 0);
}

// The blanks an empty element was indented with are read as its text; once it gets child
// elements they would stand between them, so they go.
void DropLoneBlankText(pugi::xml_node parent)
{
  const pugi::xml_node c = parent.first_child();
  if (!c || c.next_sibling() || c.type() != pugi::node_pcdata) return;
  for (const char *p = c.value(); *p; ++p)
    if (*p != ' ' && *p != '\t' && *p != '\n' && *p != '\r') return;
  parent.remove_child(c);
}

[[noreturn]] void RaiseUnreadable(const QString &what, const QByteArray &bytes, ptrdiff_t offset,
                                  const QString &reason)
{
  int line, column;
  LineColumn(bytes, offset, line, column);
  throw EXMLDocError(QStringLiteral("%1 cannot be read: %2 (line %3, column %4)")
                         .arg(what, reason, QString::number(line), QString::number(column)));
}

// The element that names one attribute twice, which XML forbids and pugixml does not check:
// readers that look the name up from different places would each take another value. Null
// when there is none; `name` receives the attribute's name.
pugi::xml_node RepeatedAttribute(const pugi::xml_document &doc, const char *&name)
{
  std::vector<const char *> names;
  std::vector<uint32_t> hashes;
  // FNV-1a: the pairwise test compares these and reads the names only when two agree, which
  // for names sharing a prefix ("PLC_Add", "PLC_Area") saves most of the string compares.
  auto hash = [](const char *s) {
    uint32_t h = 2166136261u;
    for (; *s; ++s) h = (h ^ uint8_t(*s)) * 16777619u;
    return h;
  };
  for (pugi::xml_node n = doc.first_child(); n;) {
    if (n.type() == pugi::node_element) {
      names.clear();
      for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) names.push_back(a.name());
      // Pairwise for the usual short lists; sorted when a hostile file makes them long.
      if (names.size() <= 24) {
        hashes.resize(names.size());
        for (size_t i = 0; i < names.size(); ++i) hashes[i] = hash(names[i]);
        for (size_t i = 1; i < names.size(); ++i)
          for (size_t j = 0; j < i; ++j)
            if (hashes[i] == hashes[j] && std::strcmp(names[i], names[j]) == 0) {
              name = names[i];
              return n;
            }
      } else {
        std::sort(names.begin(), names.end(), [](const char *a, const char *b) { return std::strcmp(a, b) < 0; });
        for (size_t i = 1; i < names.size(); ++i)
          if (std::strcmp(names[i], names[i - 1]) == 0) {
            name = names[i];
            return n;
          }
      }
    }
    if (pugi::xml_node c = n.first_child()) {
      n = c;
      continue;
    }
    while (n && !n.next_sibling()) n = n.parent();
    if (n) n = n.next_sibling();
  }
  return pugi::xml_node();
}

// Raises EXMLDocError when an element of the freshly parsed `doc` repeats an attribute.
// `utf8` is the text the parser read (its offsets are offsets into it).
void CheckUniqueAttributes(const pugi::xml_document &doc, const QByteArray &utf8, const QString &what)
{
  const char *name = nullptr;
  const pugi::xml_node e = RepeatedAttribute(doc, name);
  if (!e) return;
  RaiseUnreadable(what, utf8, std::max<ptrdiff_t>(e.offset_debug(), 0),
                  QStringLiteral("the element \"%1\" has the attribute \"%2\" more than once")
                      .arg(Q(e.name()), Q(name)));
}

// Text in UTF-16 or UTF-32 as UTF-8, as the parser converts it (for positions in messages).
QByteArray WideTextAsUtf8(const QByteArray &bytes)
{
  const std::optional<QStringConverter::Encoding> e = QStringConverter::encodingForData(bytes, u'<');
  if (!e) return bytes;
  QStringDecoder decode(*e);
  return QString(decode(bytes)).toUtf8();
}

// Parses the bytes of a file or stream into `doc`. 8-bit text is UTF-8 unless its declaration
// names Windows-1252 (or Latin-1); bytes that are not valid in it are refused rather than
// turned into replacement characters. Raises EXMLDocError naming `what` and the position.
void ParseBytes(pugi::xml_document &doc, const QByteArray &bytes, const QString &what)
{
  if (IsWideText(bytes)) {
    const pugi::xml_parse_result r = doc.load_buffer(bytes.constData(), size_t(bytes.size()), kParseOptions);
    if (!r) RaiseUnreadable(what, bytes, r.offset, QString::fromLatin1(r.description()));
    const char *name = nullptr;
    if (RepeatedAttribute(doc, name)) CheckUniqueAttributes(doc, WideTextAsUtf8(bytes), what);
    return;
  }
  // A UTF-8 mark outweighs what the declaration claims.
  const bool ansi = !bytes.startsWith("\xEF\xBB\xBF") && IsAnsiEncodingName(DeclaredEncoding(bytes));
  const QByteArray utf8 = ansi ? DecodeAnsi(bytes).toUtf8() : bytes;
  if (!ansi) {
    const qsizetype bad = InvalidUtf8Offset(bytes);
    if (bad >= 0)
      RaiseUnreadable(what, bytes, bad,
                      QStringLiteral("the text is not valid UTF-8, and no Windows-1252 or Latin-1 encoding is declared"));
  }
  const pugi::xml_parse_result r =
      doc.load_buffer(utf8.constData(), size_t(utf8.size()), kParseOptions, pugi::encoding_utf8);
  if (!r) RaiseUnreadable(what, utf8, r.offset, QString::fromLatin1(r.description()));
  CheckUniqueAttributes(doc, utf8, what);
  // The document now holds text, and a save writes UTF-8: the declaration must say so.
  if (ansi)
    for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling())
      if (c.type() == pugi::node_declaration) c.attribute("encoding").set_value("UTF-8");
}

}  // namespace

// ---------------------------------------------------------------------------------------------

qsizetype XMLForbiddenCharIndex(const QString &Text)
{
  for (qsizetype I = 0; I < Text.size(); ++I)
    if (IsXMLForbiddenChar(Text[I])) return I;
  return -1;
}

QString XMLAllowedText(const QString &Text)
{
  qsizetype I = XMLForbiddenCharIndex(Text);
  if (I < 0) return Text;
  QString Out = Text.left(I);
  for (; I < Text.size(); ++I)
    if (!IsXMLForbiddenChar(Text[I])) Out += Text[I];
  return Out;
}

// ---------------------------------------------------------------------------------------------

IXMLNode::IXMLNode(pugi::xml_node node, TXMLDocument *owner) : FNode(node), FOwner(owner)
{
  if (owner) {
    FStamp = owner->Stamp();
    FGeneration = owner->Stamp()->Generation;
  }
}

pugi::xml_node IXMLNode::N() const
{
  if (IsStale())
    throw EXMLDocError(QStringLiteral("An XML node was used after its document was cleared, reloaded or destroyed"));
  return FNode;
}

void IXMLNode::CheckNotNull() const
{
  if (!N()) throw EXMLDocError(QStringLiteral("Invalid operation on an empty XML node"));
}

QString IXMLNode::NodeName() const
{
  switch (N().type()) {
  case pugi::node_element:
  case pugi::node_declaration:
  case pugi::node_pi: return Q(N().name());
  case pugi::node_comment: return QStringLiteral("#comment");
  case pugi::node_pcdata: return QStringLiteral("#text");
  case pugi::node_cdata: return QStringLiteral("#cdata-section");
  case pugi::node_document: return QStringLiteral("#document");
  default: return QString();
  }
}

TNodeType IXMLNode::NodeType() const
{
  switch (N().type()) {
  case pugi::node_element: return ntElement;
  case pugi::node_pcdata: return ntText;
  case pugi::node_cdata: return ntCData;
  case pugi::node_comment: return ntComment;
  case pugi::node_pi:
  case pugi::node_declaration: return ntProcessingInstr;
  case pugi::node_doctype: return ntDocType;
  case pugi::node_document: return ntDocument;
  default: return ntReserved;
  }
}

bool IXMLNode::HasChildNodes() const { return bool(N().first_child()); }

bool IXMLNode::IsTextElement() const
{
  if (N().type() != pugi::node_element) return false;
  pugi::xml_node c = N().first_child();
  return c && !c.next_sibling() && (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata);
}

QString IXMLNode::Text() const
{
  if (!N()) return QString();
  if (N().type() != pugi::node_element) return NodeValue();
  if (!N().first_child()) return QString();
  if (IsTextElement()) return Q(N().first_child().value());
  throw EXMLDocError(QStringLiteral("Element \"%1\" does not contain a single text node").arg(NodeName()));
}

void IXMLNode::SetText(const QString &Value)
{
  CheckNotNull();
  if (N().type() != pugi::node_element) {
    SetNodeValue(Value);
    return;
  }
  while (N().first_child()) N().remove_child(N().first_child());
  if (!Value.isEmpty()) N().append_child(pugi::node_pcdata).set_value(U8(Value).c_str());
}

QString IXMLNode::NodeValue() const
{
  if (!N()) return QString();
  switch (N().type()) {
  case pugi::node_pcdata:
  case pugi::node_cdata:
  case pugi::node_comment:
  case pugi::node_pi: return Q(N().value());
  default: return QString();
  }
}

void IXMLNode::SetNodeValue(const QString &Value)
{
  CheckNotNull();
  if (!N().set_value(U8(Value).c_str()))
    throw EXMLDocError(QStringLiteral("The node \"%1\" has no value").arg(NodeName()));
}

QString IXMLNode::Attributes(const QString &Name) const
{
  if (!N()) return QString();
  return Q(N().attribute(U8(Name).c_str()).value());
}

void IXMLNode::SetAttributes(const QString &Name, const QString &Value)
{
  CheckNotNull();
  if (N().type() != pugi::node_element)
    throw EXMLDocError(QStringLiteral("Only elements have attributes (node \"%1\")").arg(NodeName()));
  const std::string n = U8(Name);
  pugi::xml_attribute a = N().attribute(n.c_str());
  if (!a) a = N().append_attribute(n.c_str());
  a.set_value(U8(Value).c_str());
}

bool IXMLNode::HasAttribute(const QString &Name) const
{
  return N() && bool(N().attribute(U8(Name).c_str()));
}

void IXMLNode::RemoveAttribute(const QString &Name)
{
  if (N()) N().remove_attribute(U8(Name).c_str());
}

int IXMLNode::AttributeCount() const
{
  int n = 0;
  for (pugi::xml_attribute a = N().first_attribute(); a; a = a.next_attribute()) ++n;
  return n;
}

QString IXMLNode::AttributeName(int Index) const
{
  int i = 0;
  for (pugi::xml_attribute a = N().first_attribute(); a; a = a.next_attribute(), ++i)
    if (i == Index) return Q(a.name());
  return QString();
}

QString IXMLNode::AttributeValue(int Index) const
{
  int i = 0;
  for (pugi::xml_attribute a = N().first_attribute(); a; a = a.next_attribute(), ++i)
    if (i == Index) return Q(a.value());
  return QString();
}

IXMLNodeList IXMLNode::ChildNodes() const { return IXMLNodeList(N(), OwnerDocument()); }

IXMLNode IXMLNode::AddChild(const QString &TagName, int Index)
{
  CheckNotNull();
  DropLoneBlankText(N());
  pugi::xml_node n;
  pugi::xml_node before = Index >= 0 ? ChildNodes().Nodes(Index).N() : pugi::xml_node();
  n = before ? N().insert_child_before(pugi::node_element, before) : N().append_child(pugi::node_element);
  if (!n) throw EXMLDocError(QStringLiteral("Cannot add \"%1\" to the node \"%2\"").arg(TagName, NodeName()));
  n.set_name(U8(TagName).c_str());
  return IXMLNode(n, OwnerDocument());
}

IXMLNode IXMLNode::AddComment(const QString &Text)
{
  CheckNotNull();
  pugi::xml_node n = N().append_child(pugi::node_comment);
  if (!n) throw EXMLDocError(QStringLiteral("Cannot add a comment to the node \"%1\"").arg(NodeName()));
  n.set_value(U8(Text).c_str());
  return IXMLNode(n, OwnerDocument());
}

IXMLNode IXMLNode::ParentNode() const { return IXMLNode(N().parent(), OwnerDocument()); }
IXMLNode IXMLNode::NextSibling() const { return IXMLNode(N().next_sibling(), OwnerDocument()); }
IXMLNode IXMLNode::PreviousSibling() const { return IXMLNode(N().previous_sibling(), OwnerDocument()); }

QString IXMLNode::XML() const
{
  if (!N()) return QString();
  StringWriter w;
  N().print(w, "", pugi::format_raw);
  return QString::fromStdString(w.out);
}

// ---------------------------------------------------------------------------------------------

int IXMLNodeList::Count() const
{
  int n = 0;
  for (pugi::xml_node c = P().first_child(); c; c = c.next_sibling()) ++n;
  return n;
}

IXMLNode IXMLNodeList::Nodes(int Index) const
{
  if (Index < 0) return IXMLNode();
  int i = 0;
  for (pugi::xml_node c = P().first_child(); c; c = c.next_sibling(), ++i)
    if (i == Index) return Wrap(c);
  return IXMLNode();
}

IXMLNode IXMLNodeList::Nodes(const QString &Name) const { return FindNode(Name); }

IXMLNode IXMLNodeList::First() const { return Wrap(P().first_child()); }
IXMLNode IXMLNodeList::Last() const { return Wrap(P().last_child()); }

IXMLNode IXMLNodeList::FindNode(const QString &Name) const
{
  if (!P()) return IXMLNode();
  return Wrap(P().child(U8(Name).c_str()));
}

int IXMLNodeList::IndexOf(const IXMLNode &Node) const
{
  int i = 0;
  for (pugi::xml_node c = P().first_child(); c; c = c.next_sibling(), ++i)
    if (c == Node.Handle()) return i;
  return -1;
}

int IXMLNodeList::IndexOf(const QString &Name) const
{
  const std::string n = U8(Name);
  int i = 0;
  for (pugi::xml_node c = P().first_child(); c; c = c.next_sibling(), ++i)
    if (c.type() == pugi::node_element && n == c.name()) return i;
  return -1;
}

void IXMLNodeList::Insert(int Index, const IXMLNode &Node)
{
  if (!P()) throw EXMLDocError(QStringLiteral("Invalid operation on an empty XML node"));
  if (Node.IsNull()) throw EXMLDocError(QStringLiteral("Cannot add an empty XML node"));
  if (Node.Handle().type() == pugi::node_element) DropLoneBlankText(P());
  pugi::xml_node src = Node.Handle();
  pugi::xml_node before = Nodes(Index).Handle();
  pugi::xml_node added;
  if (src.root() == P().root()) {
    added = before ? P().insert_move_before(src, before) : P().append_move(src);
  } else {
    added = before ? P().insert_copy_before(src, before) : P().append_copy(src);
    if (added && src.parent()) src.parent().remove_child(src);
  }
  if (!added)
    throw EXMLDocError(QStringLiteral("Cannot add \"%1\" here").arg(Node.NodeName()));
}

int IXMLNodeList::Add(const IXMLNode &Node)
{
  Insert(-1, Node);
  return Count() - 1;
}

void IXMLNodeList::Delete(int Index)
{
  pugi::xml_node n = Nodes(Index).Handle();
  if (n) P().remove_child(n);
}

void IXMLNodeList::Delete(const QString &Name)
{
  pugi::xml_node n = FindNode(Name).Handle();
  if (n) P().remove_child(n);
}

int IXMLNodeList::Remove(const IXMLNode &Node)
{
  const int i = IndexOf(Node);
  if (i >= 0) P().remove_child(Node.Handle());
  return i;
}

void IXMLNodeList::Clear()
{
  while (P().first_child()) P().remove_child(P().first_child());
}

// ---------------------------------------------------------------------------------------------

TXMLDocument::TXMLDocument(TComponent *AOwner)
    : TComponent(AOwner), FDoc(std::make_unique<pugi::xml_document>()),
      FScratch(std::make_unique<pugi::xml_document>())
{
}

TXMLDocument::~TXMLDocument() { ++FStamp->Generation; }

void TXMLDocument::CheckActive()
{
  // The original raises "XML document not active"; activating an empty document on first
  // use is harmless and spares callers that forget it.
  if (!FActive) FActive = true;
}

void TXMLDocument::SetActive(bool Value)
{
  if (Value == FActive) return;
  if (Value) {
    if (!FFileName.isEmpty() && IsEmptyDoc()) {
      LoadFromFile(FFileName);
      return;
    }
    FActive = true;
  } else {
    Clear();
    FActive = false;
  }
}

void TXMLDocument::Clear()
{
  ++FStamp->Generation;
  FDoc->reset();
  FScratch->reset();
}

bool TXMLDocument::IsEmptyDoc() const { return !FDoc->first_child(); }

void TXMLDocument::LoadFromFile(const QString &AFileName)
{
  const QString name = AFileName.isEmpty() ? FFileName : AFileName;
  Clear();
  FActive = false;
  QByteArray bytes;
  QString reason;
  if (!ReadFileBytes(name, bytes, &reason))
    throw EXMLDocError(QStringLiteral("Cannot open the XML file \"%1\": %2").arg(name, reason));
  try {
    ParseBytes(*FDoc, bytes, QStringLiteral("The XML file \"%1\"").arg(name));
  } catch (...) {
    Clear();
    throw;
  }
  FFileName = name;
  FActive = true;
}

void TXMLDocument::LoadFromXML(const QString &XML)
{
  Clear();
  FActive = false;
  const QByteArray bytes = XML.toUtf8();
  const pugi::xml_parse_result r =
      FDoc->load_buffer(bytes.constData(), size_t(bytes.size()), kParseOptions, pugi::encoding_utf8);
  try {
    if (!r)
      RaiseUnreadable(QStringLiteral("The XML text"), bytes, r.offset, QString::fromLatin1(r.description()));
    CheckUniqueAttributes(*FDoc, bytes, QStringLiteral("The XML text"));
  } catch (...) {
    Clear();
    throw;
  }
  FActive = true;
}

void TXMLDocument::LoadFromStream(TStream *Stream)
{
  const QByteArray bytes = Stream->ReadRemaining();
  Clear();
  FActive = false;
  try {
    ParseBytes(*FDoc, bytes, QStringLiteral("The XML data"));
  } catch (...) {
    Clear();
    throw;
  }
  FActive = true;
}

QString TXMLDocument::SaveToXML() const
{
  StringWriter w;
  unsigned flags = pugi::format_no_declaration;
  flags |= FOptions.Contains(TXMLDocOption::doNodeAutoIndent) ? pugi::format_indent : pugi::format_raw;
  FDoc->save(w, "  ", flags, pugi::encoding_utf8);
  std::string out = w.out;
  if (!FOptions.Contains(TXMLDocOption::doNodeAutoIndent) && !out.empty()) out += '\n';
  return QString::fromStdString(out);
}

void TXMLDocument::SaveToStream(TStream *Stream) const { Stream->WriteBuffer(SaveToXML().toUtf8()); }

void TXMLDocument::SaveToFile(const QString &AFileName)
{
  const QString name = AFileName.isEmpty() ? FFileName : AFileName;
  QString error;
  if (!WriteFileAtomic(name, SaveToXML().toUtf8(), &error)) throw EXMLDocError(error);
  FFileName = name;
}

IXMLNodeList TXMLDocument::ChildNodes()
{
  CheckActive();
  return IXMLNodeList(*FDoc, this);
}

IXMLNode TXMLDocument::DocumentElement()
{
  for (pugi::xml_node c = FDoc->first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element) return IXMLNode(c, this);
  return IXMLNode();
}

IXMLNode TXMLDocument::AddChild(const QString &TagName)
{
  CheckActive();
  pugi::xml_node n = FDoc->append_child(pugi::node_element);
  n.set_name(U8(TagName).c_str());
  return IXMLNode(n, this);
}

IXMLNode TXMLDocument::CreateNode(const QString &NameOrData, TNodeType NodeType, const QString &AddlData)
{
  CheckActive();
  pugi::xml_node n;
  switch (NodeType) {
  case ntElement:
    n = FScratch->append_child(pugi::node_element);
    n.set_name(U8(NameOrData).c_str());
    break;
  case ntComment:
    n = FScratch->append_child(pugi::node_comment);
    n.set_value(U8(NameOrData).c_str());
    break;
  case ntText:
    n = FScratch->append_child(pugi::node_pcdata);
    n.set_value(U8(NameOrData).c_str());
    break;
  case ntCData:
    n = FScratch->append_child(pugi::node_cdata);
    n.set_value(U8(NameOrData).c_str());
    break;
  case ntProcessingInstr:
    n = FScratch->append_child(pugi::node_pi);
    n.set_name(U8(NameOrData).c_str());
    n.set_value(U8(AddlData).c_str());
    break;
  default:
    throw EXMLDocError(QStringLiteral("Unsupported node type %1").arg(int(NodeType)));
  }
  return IXMLNode(n, this);
}

void TXMLDocument::AddDeclaration(const QString &Version, const QString &Encoding)
{
  CheckActive();
  pugi::xml_node d = FDoc->prepend_child(pugi::node_declaration);
  d.append_attribute("version").set_value(U8(Version).c_str());
  if (!Encoding.isEmpty()) d.append_attribute("encoding").set_value(U8(Encoding).c_str());
}

// ---------------------------------------------------------------------------------------------

pugi::xml_node TXMLElementReader::Element(pugi::xml_node Node)
{
  return Node.type() == pugi::node_element ? Node : pugi::xml_node();
}

TXMLElementReader::TXMLElementReader(const IXMLNode &Node) : FNode(Element(Node.Handle())) {}

TXMLElementReader TXMLElementReader::ChildElement(const char *Utf8Name) const
{
  return TXMLElementReader(FNode.child(Utf8Name));
}

TXMLElementReader TXMLElementReader::FirstChildElement() const
{
  pugi::xml_node c = FNode.first_child();
  while (c && c.type() != pugi::node_element) c = c.next_sibling();
  return TXMLElementReader(c);
}

TXMLElementReader TXMLElementReader::NextSiblingElement() const
{
  pugi::xml_node c = FNode.next_sibling();
  while (c && c.type() != pugi::node_element) c = c.next_sibling();
  return TXMLElementReader(c);
}

const char *TXMLElementReader::AttributeUtf8(const char *Utf8Name) const
{
  // pugixml starts at the hint, wraps round, and leaves the hint after the attribute found.
  const pugi::xml_attribute a = FNode.attribute(Utf8Name, FLast);
  return a ? a.value() : nullptr;
}

QString TXMLElementReader::Attribute(const char *Utf8Name) const
{
  const char *v = AttributeUtf8(Utf8Name);
  return v ? Q(v) : QString();
}

bool TXMLElementReader::Text(QString &Text) const
{
  if (!FNode) return false;
  const pugi::xml_node c = FNode.first_child();
  if (!c) {
    Text.clear();
    return true;
  }
  if (c.next_sibling() || (c.type() != pugi::node_pcdata && c.type() != pugi::node_cdata)) return false;
  Text = Q(c.value());
  return true;
}

// ---------------------------------------------------------------------------------------------

namespace {

constexpr qsizetype kWriterChunk = 64 * 1024;

// Appends Value to `out` as pugixml writes an attribute value (double quotes): &, < and " as
// entities, the controls TAB, LF and CR as two-digit character references, everything else as
// UTF-8 the way QString::toUtf8 converts it. Answers the end of what was written, or nullptr
// at the first character XML cannot hold (then `bad` receives its index).
char *EscapeAttribute(char *out, const QString &Value, qsizetype &bad)
{
  const char16_t *p = reinterpret_cast<const char16_t *>(Value.constData());
  const qsizetype n = Value.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = p[i];
    if (c >= 0x80) {
      if (c < 0x800) {
        *out++ = char(0xC0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3F));
        continue;
      }
      if (c >= 0xD800 && c <= 0xDFFF) {
        // A pair of surrogates or, on its own, what QString::toUtf8 makes of it.
        if (c < 0xDC00 && i + 1 < n && p[i + 1] >= 0xDC00 && p[i + 1] <= 0xDFFF) {
          const char32_t u = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(p[i + 1]) - 0xDC00);
          *out++ = char(0xF0 | (u >> 18));
          *out++ = char(0x80 | ((u >> 12) & 0x3F));
          *out++ = char(0x80 | ((u >> 6) & 0x3F));
          *out++ = char(0x80 | (u & 0x3F));
          ++i;
          continue;
        }
        const QByteArray lone = QString(QChar(c)).toUtf8();
        std::memcpy(out, lone.constData(), size_t(lone.size()));
        out += lone.size();
        continue;
      }
      if (c >= 0xFFFE) {
        bad = i;
        return nullptr;
      }
      *out++ = char(0xE0 | (c >> 12));
      *out++ = char(0x80 | ((c >> 6) & 0x3F));
      *out++ = char(0x80 | (c & 0x3F));
      continue;
    }
    switch (c) {
    case '&': std::memcpy(out, "&amp;", 5); out += 5; break;
    case '<': std::memcpy(out, "&lt;", 4); out += 4; break;
    case '"': std::memcpy(out, "&quot;", 6); out += 6; break;
    case 9:
    case 10:
    case 13:
      *out++ = '&';
      *out++ = '#';
      *out++ = char('0' + c / 10);
      *out++ = char('0' + c % 10);
      *out++ = ';';
      break;
    default:
      if (c < 0x20) {
        bad = i;
        return nullptr;
      }
      *out++ = char(c);
    }
  }
  return out;
}

}  // namespace

TXMLFileWriter::TXMLFileWriter(const QString &Path)
    : FPath(Path), FFile(std::make_unique<TAtomicFile>(Path)), FBuffer(size_t(kWriterChunk))
{
}

TXMLFileWriter::~TXMLFileWriter() = default;

void TXMLFileWriter::Flush()
{
  FFile->Write(FBuffer.data(), FUsed);
  FUsed = 0;
}

char *TXMLFileWriter::Reserve(qsizetype Size)
{
  if (FUsed + Size > qsizetype(FBuffer.size())) {
    Flush();
    if (Size > qsizetype(FBuffer.size())) FBuffer.resize(size_t(Size));
  }
  return FBuffer.data() + FUsed;
}

void TXMLFileWriter::Put(const char *Text, qsizetype Size)
{
  std::memcpy(Reserve(Size), Text, size_t(Size));
  FUsed += Size;
}

void TXMLFileWriter::CloseStartTag()
{
  if (!FInStartTag) return;
  Put(">", 1);
  FInStartTag = false;
}

void TXMLFileWriter::StartElement(const char *Utf8Name)
{
  CloseStartTag();
  Put("<", 1);
  Put(Utf8Name);
  FOpen.push_back(Utf8Name);
  FInStartTag = true;
}

void TXMLFileWriter::Attribute(const char *Utf8Name, const QString &Value)
{
  if (!FInStartTag) throw EXMLDocError(QStringLiteral("An attribute needs an element to belong to"));
  const qsizetype name = qsizetype(std::strlen(Utf8Name));
  // At most six bytes ("&quot;") for each UTF-16 unit.
  char *start = Reserve(name + 4 + 6 * Value.size());
  char *out = start;
  *out++ = ' ';
  std::memcpy(out, Utf8Name, size_t(name));
  out += name;
  *out++ = '=';
  *out++ = '"';
  qsizetype bad = -1;
  out = EscapeAttribute(out, Value, bad);
  if (!out)
    throw EXMLDocError(QStringLiteral("Cannot write file \"%1\". The value of \"%2\" holds the character U+%3, "
                                      "which an XML file cannot hold.")
                           .arg(FPath, QString::fromUtf8(Utf8Name))
                           .arg(uint(Value[bad].unicode()), 4, 16, QLatin1Char('0')));
  *out++ = '"';
  FUsed += out - start;
}

void TXMLFileWriter::EndElement()
{
  if (FOpen.empty()) throw EXMLDocError(QStringLiteral("No element to end"));
  if (FInStartTag) {
    Put("/>", 2);
    FInStartTag = false;
  } else {
    Put("</", 2);
    Put(FOpen.back());
    Put(">", 1);
  }
  FOpen.pop_back();
}

void TXMLFileWriter::Comment(const QString &Text)
{
  CloseStartTag();
  // As pugixml: "--" and a final "-" would end the comment early, so a blank follows such a dash.
  const QByteArray t = Text.toUtf8();
  Put("<!--", 4);
  for (qsizetype i = 0; i < t.size(); ++i) {
    Put(t.constData() + i, 1);
    if (t[i] == '-' && (i + 1 == t.size() || t[i + 1] == '-')) Put(" ", 1);
  }
  Put("-->", 3);
}

void TXMLFileWriter::Commit()
{
  while (!FOpen.empty()) EndElement();
  Put("\n", 1);
  Flush();
  QString error;
  if (!FFile->Commit(&error)) throw EXMLDocError(error);
}
