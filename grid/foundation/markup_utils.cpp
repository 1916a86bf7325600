#include "grid/foundation/markup_utils.h"

#include "framework/system/sysutils.h"

#include <QChar>
#include <QStringList>

#include <cstdint>
#include <cstring>

#include <functional>
#include <vector>

namespace {

struct TLetterEntity {
  const char *Entity;
  char16_t Char;
};

// Both conversions walk this table in order.
constexpr TLetterEntity LetterEntities[] = {
    {"&eacute;", u'é'}, {"&egrave;", u'è'}, {"&euml;", u'ë'},   {"&ecirc;", u'ê'},  {"&oacute;", u'ó'},
    {"&ograve;", u'ò'}, {"&ouml;", u'ö'},   {"&ocirc;", u'ô'},  {"&iacute;", u'í'}, {"&igrave;", u'ì'},
    {"&iuml;", u'ï'},   {"&icirc;", u'î'},  {"&uacute;", u'ú'}, {"&ugrave;", u'ù'}, {"&uuml;", u'ü'},
    {"&ucirc;", u'û'},  {"&aacute;", u'á'}, {"&agrave;", u'à'}, {"&auml;", u'ä'},   {"&acirc;", u'â'},
    {"&Eacute;", u'É'}, {"&Egrave;", u'È'}, {"&Euml;", u'Ë'},   {"&Ecirc;", u'Ê'},  {"&Oacute;", u'Ó'},
    {"&Ograve;", u'Ò'}, {"&Ouml;", u'Ö'},   {"&Ocirc;", u'Ô'},  {"&Iacute;", u'Í'}, {"&Igrave;", u'Ì'},
    {"&Iuml;", u'Ï'},   {"&Icirc;", u'Î'},  {"&Uacute;", u'Ú'}, {"&Ugrave;", u'Ù'}, {"&Uuml;", u'Ü'},
    {"&Ucirc;", u'Û'},  {"&Aacute;", u'Á'}, {"&Agrave;", u'À'}, {"&Auml;", u'Ä'},   {"&Acirc;", u'Â'},
    {"&ccedil;", u'ç'}, {"&Ccedil;", u'Ç'}, {"&oslash;", u'ø'}, {"&Oslash;", u'Ø'}, {"&aring;", u'å'},
    {"&Aring;", u'Å'},  {"&copy;", u'©'},   {"&reg;", u'®'},    {"&euro;", u'€'},   {"&laquo;", u'«'},
    {"&raquo;", u'»'},
};
static_assert(std::size(LetterEntities) == 51);

QString ReplaceAll(const QString &S, const QString &From, const QString &To)
{
  return StringReplace(S, From, To, TReplaceFlags{rfReplaceAll});
}

QString EscapeAngles(const QString &S) { return ReplaceAll(ReplaceAll(S, "<", "&lt;"), ">", "&gt;"); }

// Upper case one character at a time, so that positions in the result are positions in the
// source.
QString UpperSameLength(const QString &S)
{
  QString r = S;
  for (QChar &c : r)
    c = c.toUpper();
  return r;
}

bool IsTagBlank(QChar C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n'; }

// Name equals the upper-case ASCII Upper, letters compared by the ASCII rule.
bool SameAsciiName(QStringView Name, const char *Upper)
{
  qsizetype k = 0;
  for (; Upper[k]; ++k) {
    if (k >= Name.size())
      return false;
    const char16_t c = Name[k].unicode();
    if ((c >= 'a' && c <= 'z' ? char16_t(c - 32) : c) != char16_t(Upper[k]))
      return false;
  }
  return k == Name.size();
}

// Calls Visit(name, value) for each attribute of a tag ("<NAME a=\"1\" b=2 c>", the brackets
// optional), in order: a quoted value runs to the next double quote (empty when there is
// none), an unquoted one to the next blank; an attribute without "=" has an empty value.
template <typename TVisit>
void ForEachTagAttribute(QStringView Tag, TVisit Visit)
{
  const qsizetype n = Tag.size();
  qsizetype i = Tag.startsWith('<') ? 1 : 0;
  auto endsToken = [&](qsizetype At) { return At >= n || IsTagBlank(Tag[At]) || Tag[At] == '>'; };
  auto skipBlanks = [&] {
    while (i < n && IsTagBlank(Tag[i]))
      ++i;
  };
  while (!endsToken(i))  // the tag's own name
    ++i;
  for (;;) {
    skipBlanks();
    if (i >= n || Tag[i] == '>')
      return;
    const qsizetype nameStart = i;
    while (!endsToken(i) && Tag[i] != '=')
      ++i;
    const QStringView name = Tag.mid(nameStart, i - nameStart);
    skipBlanks();
    QStringView value;
    if (i < n && Tag[i] == '=') {
      ++i;
      skipBlanks();
      if (i < n && Tag[i] == '"') {
        const qsizetype close = Tag.indexOf('"', i + 1);
        if (close >= 0)
          value = Tag.mid(i + 1, close - i - 1);
        i = close >= 0 ? close + 1 : n;
      } else {
        const qsizetype valueStart = i;
        while (!endsToken(i))
          ++i;
        value = Tag.mid(valueStart, i - valueStart);
      }
    }
    if (!name.isEmpty())  // else a stray "=" with its value
      Visit(name, value);
  }
}

struct TControlTag {
  int Start = 0;  // 1-based position of "<"
  int End = 0;    // 1-based position of ">"
  QString Type, ID, Value, Width, Height, Prop, MaxLen;
};

// Calls Visit for each "<CONTROL " tag in order until it answers false.
void WalkControls(const QString &Text, const std::function<bool(const TControlTag &)> &Visit)
{
  const QString upper = UpperCase(Text);
  int from = 1;
  for (;;) {
    const int start = PosEx("<CONTROL ", upper, from);
    if (start == 0)
      return;
    const int end = PosEx(">", Text, start);
    if (end == 0)
      return;
    TControlTag tag;
    tag.Start = start;
    tag.End = end;
    ParseControlTag(Copy(Text, start, end - start + 1), tag.Type, tag.ID, tag.Value, tag.Width, tag.Height,
                    tag.Prop, tag.MaxLen);
    if (!Visit(tag))
      return;
    from = end + 1;
  }
}

bool FindControl(const QString &Text, const QString &ID, TControlTag &Found)
{
  bool found = false;
  WalkControls(Text, [&](const TControlTag &tag) {
    if (tag.ID != ID)
      return true;
    Found = tag;
    found = true;
    return false;
  });
  return found;
}

// Leading blanks, an optional sign, then digits up to the first other character.
int LeadingNumber(const QString &S)
{
  int i = 0;
  while (i < S.size() && S[i] == ' ')
    ++i;
  bool negative = false;
  if (i < S.size() && (S[i] == '-' || S[i] == '+'))
    negative = S[i++] == '-';
  int64_t v = 0;
  for (; i < S.size() && S[i].isDigit() && S[i].unicode() < 128 && v <= INT32_MAX; ++i)
    v = v * 10 + (S[i].unicode() - '0');
  if (v > INT32_MAX)
    v = INT32_MAX;
  return int(negative ? -v : v);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Plain text and tags

QString HTMLToPlainText(const QString &Text)
{
  const TReplaceFlags flags{rfReplaceAll, rfIgnoreCase};
  const QString s = StringReplace(StringReplace(Text, "<BR>", "\r\n", flags), "<HR>", "\r\n", flags);
  QString out;
  out.reserve(s.size());
  int i = 0;
  while (i < s.size()) {
    const int lt = int(s.indexOf('<', i));
    const int gt = lt < 0 ? -1 : int(s.indexOf('>', lt));
    if (gt < 0) {
      out += QStringView(s).mid(i);
      break;
    }
    out += QStringView(s).mid(i, lt - i);
    i = gt + 1;
  }
  return out;
}

QString StripTagsBalanced(const QString &Text)
{
  // Nothing before the first "<" holds an angle bracket, so each round may start where the
  // last removed tag ended.
  QString out;
  int i = 0;
  for (;;) {
    const int lt = int(Text.indexOf('<', i));
    const int gt = int(Text.indexOf('>', i));
    if (lt < 0 || gt < lt) {
      out += QStringView(Text).mid(i);
      return out;
    }
    out += QStringView(Text).mid(i, lt - i);
    i = gt + 1;
  }
}

QString RemoveHTMLTag(const QString &HTML, const QString &TagName)
{
  const TReplaceFlags flags{rfReplaceAll, rfIgnoreCase};
  QString s = StringReplace(HTML, "<" + TagName + ">", "", flags);
  s = StringReplace(s, "</" + TagName + ">", "", flags);
  return ReplaceAll(ReplaceAll(s, "&lt;", "<"), "&gt;", ">");
}

int VisibleToMarkupPos(const QString &HTML, int N)
{
  int count = 1;
  bool inTag = false;
  for (int i = 0; i < HTML.size(); ++i) {
    const QChar c = HTML[i];
    if (c == '<')
      inTag = true;
    if (inTag) {
      if (c == '>')
        inTag = false;
    } else if (count++ == N) {
      return i + 1;
    }
  }
  return count == N ? int(HTML.size()) + 1 : 0;
}

int FindFromPos(const QString &Search, const QString &Text, int Skip, bool CaseSensitive, bool &Found)
{
  Found = false;
  if (Search.isEmpty() || Skip < 0 || Skip >= Text.size())
    return 0;
  const qsizetype at = CaseSensitive ? Text.indexOf(Search, Skip)
                                     : UpperSameLength(Text).indexOf(UpperSameLength(Search), Skip);
  Found = at >= 0;
  return int(at + 1);
}

namespace {

// One insertion per call, each walking the text: only for tag names that hold a bracket,
// whose inserted tags change what the later walks count as visible.
QString HighlightPerMatch(QString html, const QString &visible, const QString &search, const QString &open,
                          const QString &close, bool CaseSensitive)
{
  int skip = 0;
  bool found = false;
  while (const int p = FindFromPos(search, visible, skip, CaseSensitive, found)) {
    if (const int at = VisibleToMarkupPos(html, p))
      Insert(open, html, at);
    if (const int at = VisibleToMarkupPos(html, p + int(search.size())))
      Insert(close, html, at);
    skip = p + int(search.size()) - 1;
  }
  return html;
}

}  // namespace

QString HighlightInHTML(const QString &HTML, const QString &Search, const QString &TagName, bool CaseSensitive)
{
  // An empty search text would match everywhere without ever moving on.
  if (Search.isEmpty())
    return HTML;
  QString html = HTML;
  QString search = Search;
  QString visible = StripTagsBalanced(html);
  if (html.contains(search) && (visible.contains('<') || visible.contains('>'))) {
    visible = EscapeAngles(visible);
    search = EscapeAngles(search);
    html = visible;
  }
  const QString open = "<" + TagName + ">";
  const QString close = "</" + TagName + ">";
  if (TagName.contains('<') || TagName.contains('>'))
    return HighlightPerMatch(html, visible, search, open, close, CaseSensitive);

  // Each match puts its opening tag before its first visible character and its closing tag
  // before the first character after it (or at the end). The inserted tags are whole, so
  // they never change which character of the mark-up is the n-th visible one: all
  // insertions are gathered first and made in one walk. A text whose brackets do not pair
  // can have matches that no mark-up position reaches; those are dropped.
  struct TMark {
    int Visible;  // 1-based number of the visible character the tag goes before
    bool Open;
  };
  std::vector<TMark> marks;
  {
    const QString hay = CaseSensitive ? visible : UpperSameLength(visible);
    const QString needle = CaseSensitive ? search : UpperSameLength(search);
    const int len = int(needle.size());
    for (qsizetype at = hay.indexOf(needle); at >= 0; at = hay.indexOf(needle, at + len)) {
      marks.push_back({int(at) + 1, true});
      marks.push_back({int(at) + 1 + len, false});
    }
  }
  if (marks.empty())
    return html;
  QString out;
  out.reserve(html.size() + qsizetype(marks.size()) * close.size());
  size_t m = 0;
  auto insertBefore = [&](int Visible) {
    for (; m < marks.size() && marks[m].Visible == Visible; ++m)
      out += marks[m].Open ? open : close;
  };
  int count = 1;
  bool inTag = false;
  for (const QChar c : html) {
    if (c == '<')
      inTag = true;
    if (inTag) {
      if (c == '>')
        inTag = false;
    } else {
      insertBefore(count++);
    }
    out += c;
  }
  insertBefore(count);
  return out;
}

// ---------------------------------------------------------------------------------------
// Entities

QString DecodeHTMLEntities(const QString &Text, bool WithLetters)
{
  // One walk, so that the text an entity stands for is never read again: "&amp;quot;" is
  // the literal "&quot;" that EncodeHTMLEntities made of it.
  qsizetype i = Text.indexOf('&');
  if (i < 0)
    return Text;
  static constexpr TLetterEntity markup[] = {{"&lt;", u'<'}, {"&gt;", u'>'}, {"&amp;", u'&'}, {"&quot;", u'"'}};
  const QStringView text(Text);
  auto entityAt = [&](QStringView Rest) -> const TLetterEntity * {
    for (const TLetterEntity &e : markup)
      if (Rest.startsWith(QLatin1String(e.Entity)))
        return &e;
    if (WithLetters)
      for (const TLetterEntity &e : LetterEntities)
        if (Rest.startsWith(QLatin1String(e.Entity)))
          return &e;
    return nullptr;
  };
  QString out;
  out.reserve(Text.size());
  out += text.left(i);
  while (i >= 0) {
    const TLetterEntity *e = entityAt(text.mid(i));
    out += e ? QChar(e->Char) : QChar('&');
    const qsizetype from = i + (e ? qsizetype(std::strlen(e->Entity)) : 1);
    i = Text.indexOf('&', from);
    out += text.mid(from, (i < 0 ? Text.size() : i) - from);
  }
  return out;
}

QString EncodeHTMLEntities(const QString &Text, bool WithLetters)
{
  QString s = ReplaceAll(ReplaceAll(Text, "&", "&amp;"), "\"", "&quot;");
  s = EscapeAngles(s);
  if (WithLetters)
    for (const TLetterEntity &e : LetterEntities)
      s = ReplaceAll(s, QString(QChar(e.Char)), e.Entity);
  return s;
}

QString ReplaceMarkupEntities(const QString &Text)
{
  struct TEntity {
    const char *Name;  // after the "&", lower case
    char16_t Char;
  };
  static constexpr TEntity entities[] = {{"amp;", u'&'},     {"quot;", u'"'},  {"sect;", u'\u00A7'},
                                         {"permil;", u'\u2030'}, {"reg;", u'\u00AE'}, {"copy;", u'\u00A9'},
                                         {"para;", u'\u00B6'}, {"trade;", u'\u2122'}, {"euro;", u'\u20AC'}};
  qsizetype i = Text.indexOf('&');
  if (i < 0)
    return Text;
  const QChar *c = Text.constData();
  const qsizetype n = Text.size();
  // The entity at From, nullptr when none; From is just after an ampersand.
  auto entityAt = [&](qsizetype From) -> const TEntity * {
    for (const TEntity &e : entities) {
      qsizetype k = 0;
      for (; e.Name[k] && From + k < n; ++k) {
        const char16_t ch = c[From + k].unicode();
        if ((ch >= 'A' && ch <= 'Z' ? char16_t(ch + 32) : ch) != char16_t(e.Name[k]))
          break;
      }
      if (!e.Name[k])
        return &e;
    }
    return nullptr;
  };
  QString out;
  out.reserve(n);
  out += QStringView(c, i);
  // Entities never overlap, and a replacement only ever starts a new one with the second
  // "&" of "&&", so one walk from the left leaves none: c[i] is an ampersand, or the ";" of
  // an "&amp;" standing for that second "&".
  while (i < n) {
    const TEntity *e = entityAt(i + 1);
    if (e && e->Char == u'&') {
      out += QChar('&');
      i += qsizetype(std::strlen(e->Name));
      continue;
    }
    out += e ? QChar(e->Char) : QChar('&');
    i += e ? 1 + qsizetype(std::strlen(e->Name)) : 1;
    qsizetype next = Text.indexOf('&', i);
    if (next < 0)
      next = n;
    out += QStringView(c + i, next - i);
    i = next;
  }
  return out;
}

QString BlanksToNbsp(const QString &Text) { return ReplaceAll(Text, " ", "&nbsp;"); }

QString CRToHTMLBreak(const QString &Text) { return ReplaceAll(Text, "\r", "<br>"); }

QString ColorToHTMLHex(TColor Color)
{
  return IntToHex(int(GetRValue(Color)), 2) + IntToHex(int(GetGValue(Color)), 2) + IntToHex(int(GetBValue(Color)), 2);
}

// ---------------------------------------------------------------------------------------
// Links

bool HasURLScheme(const QString &Text) { return Text.contains("://") || Text.contains("mailto:"); }

void StripURLScheme(QString &Text)
{
  if (const int p = Pos("://", Text))
    Delete(Text, 1, p + 2);
  else if (const int m = Pos("mailto:", Text))
    Delete(Text, 1, m + 6);
}

int LinkifyText(const QString &Text, const QString &Prefix, QString &Result)
{
  if (Pos(Prefix, UpperCase(Text)) == 0)
    return 0;
  Result = EscapeAngles(Text);
  const int start = Pos(Prefix, UpperCase(Result));
  auto inURL = [](QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
           QStringView(u"%()-./:@\\_{}").contains(c);
  };
  int end = start;  // 1-based position after the URL
  while (end <= Result.size() && inURL(Result[end - 1]))
    ++end;
  const QString url = Copy(Result, start, end - start);
  Insert("</a>", Result, end);
  Insert("<a href=\"" + url + "\">", Result, start);
  return 1;
}

// ---------------------------------------------------------------------------------------
// Embedded controls

bool HasControlTag(const QString &Text) { return Pos("<CONTROL", UpperCase(Text)) > 0; }

void ParseControlTag(const QString &Tag, QString &Type, QString &ID, QString &Value, QString &Width,
                     QString &Height, QString &Prop, QString &MaxLen)
{
  // Attributes are read as name, "=", value, so a name is never found inside another name
  // or inside a value (an edit's text may well hold "TYPE=" or "WIDTH=").
  struct TSlot {
    const char *Name;
    QString *Out;
    bool Seen;
  } fields[] = {{"TYPE", &Type, false},     {"ID", &ID, false},     {"VALUE", &Value, false},
               {"WIDTH", &Width, false},   {"HEIGHT", &Height, false}, {"PROP", &Prop, false},
               {"MAXLEN", &MaxLen, false}};
  for (TSlot &slot : fields)
    slot.Out->clear();
  ForEachTagAttribute(Tag, [&](QStringView Name, QStringView Value) {
    for (TSlot &slot : fields)
      if (!slot.Seen && SameAsciiName(Name, slot.Name)) {
        slot.Seen = true;
        *slot.Out = Value.toString();
      }
  });
  Type = UpperCase(Type);
  Value = DecodeHTMLEntities(Value, true);
  Prop = DecodeHTMLEntities(Prop, true);
}

QString NextEditControlID(const QString &Text, const QString &AfterID)
{
  bool passed = AfterID.isEmpty();
  QString result;
  WalkControls(Text, [&](const TControlTag &tag) {
    if (!passed) {
      passed = tag.ID == AfterID;
      return true;
    }
    if (tag.Type == "BUTTON" || tag.Type == "CHECK" || tag.Type == "RADIO")
      return true;
    result = tag.ID;
    return false;
  });
  return result;
}

bool GetControlValue(const QString &Text, const QString &ID, QString &Value)
{
  TControlTag tag;
  if (!FindControl(Text, ID, tag))
    return false;
  Value = tag.Value;
  return true;
}

QString GetControlProp(const QString &Text, const QString &ID)
{
  TControlTag tag;
  return FindControl(Text, ID, tag) ? tag.Prop : QString();
}

int GetControlMaxLen(const QString &Text, const QString &ID)
{
  TControlTag tag;
  return FindControl(Text, ID, tag) ? LeadingNumber(tag.MaxLen) : 0;
}

bool SetControlValue(QString &Text, const QString &ID, const QString &NewValue)
{
  TControlTag tag;
  if (!FindControl(Text, ID, tag))
    return false;
  auto quoted = [](const QString &s) { return "\"" + s + "\""; };
  QString body = "CONTROL ID=" + quoted(tag.ID) + " VALUE=" + quoted(EncodeHTMLEntities(NewValue, true)) +
                 " WIDTH=" + quoted(tag.Width);
  if (!tag.Height.isEmpty())
    body += " HEIGHT=" + quoted(tag.Height);
  body += " TYPE=" + quoted(tag.Type);
  if (!tag.Prop.isEmpty())
    body += " PROP=" + quoted(EncodeHTMLEntities(tag.Prop, true));
  if (!tag.MaxLen.isEmpty())
    body += " MAXLEN=" + quoted(tag.MaxLen);
  Text = Copy(Text, 1, tag.Start) + body + Copy(Text, tag.End);
  return true;
}

QString ClearRadioControls(const QString &Text)
{
  QStringList radios;
  WalkControls(Text, [&](const TControlTag &tag) {
    if (tag.Type == "RADIO")
      radios << tag.ID;
    return true;
  });
  QString result = Text;
  for (const QString &id : radios)
    SetControlValue(result, id, "FALSE");
  return result;
}

bool ReplaceFirstNoCase(const QString &Search, const QString &Replacement, QString &Text)
{
  const int p = Pos(UpperCase(Search), UpperCase(Text));
  if (p == 0)
    return false;
  Text = Copy(Text, 1, p - 1) + Replacement + Copy(Text, p + int(Search.size()));
  return true;
}
