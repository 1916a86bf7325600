#include "framework/classes/gfx2_component_records.h"

#include <cmath>

#include "framework/classes/classes.h"
#include "framework/system/sysutils.h"

TRecordValue TRecordValue::Integer(int64_t v) { return {.Kind = TKind::Integer, .Int = v}; }
TRecordValue TRecordValue::Boolean(bool v) { return {.Kind = TKind::Boolean, .Bool = v}; }
TRecordValue TRecordValue::Ident(const QString &v) { return {.Kind = TKind::Ident, .Text = v}; }
TRecordValue TRecordValue::String(const QString &v) { return {.Kind = TKind::Text, .Text = v}; }
TRecordValue TRecordValue::Extended(double v) { return {.Kind = TKind::Float, .Float = v}; }
TRecordValue TRecordValue::Binary(const QByteArray &v) { return {.Kind = TKind::Binary, .Data = v}; }
TRecordValue TRecordValue::Set(const QStringList &Members) { return {.Kind = TKind::Set, .Names = Members}; }

TRecordValue TRecordValue::StringList(const QStringList &Texts)
{
  TRecordValue r{.Kind = TKind::List};
  for (const QString &s : Texts)
    r.Items.push_back(String(s));
  return r;
}

// ---------------------------------------------------------------------------------------------

QByteArray DoubleToExtended(double Value)
{
  uint64_t mantissa = 0;
  uint16_t exponent = 0;
  const bool negative = std::signbit(Value);
  const double a = std::fabs(Value);
  if (std::isnan(a)) {
    exponent = 0x7FFF;
    mantissa = 0xC000000000000000ull;
  } else if (std::isinf(a)) {
    exponent = 0x7FFF;
    mantissa = 0x8000000000000000ull;
  } else if (a != 0) {
    int e = 0;
    const double m = std::frexp(a, &e);  // a = m * 2^e, 0.5 <= m < 1
    // The integer bit is explicit: m * 2^64 has it in bit 63; a double's 53 bits fit exactly.
    mantissa = uint64_t(std::ldexp(m, 64));
    exponent = uint16_t(e - 1 + 16383);
  }
  if (negative)
    exponent |= 0x8000;
  QByteArray out(10, '\0');
  for (int i = 0; i < 8; ++i)
    out[i] = char((mantissa >> (8 * i)) & 0xFF);
  out[8] = char(exponent & 0xFF);
  out[9] = char(exponent >> 8);
  return out;
}

double ExtendedToDouble(const QByteArray &Bytes)
{
  if (Bytes.size() < 10)
    return 0;
  uint64_t mantissa = 0;
  for (int i = 0; i < 8; ++i)
    mantissa |= uint64_t(uint8_t(Bytes[i])) << (8 * i);
  const uint16_t se = uint16_t(uint8_t(Bytes[8]) | (uint8_t(Bytes[9]) << 8));
  const bool negative = (se & 0x8000) != 0;
  const int exponent = se & 0x7FFF;
  double v;
  if (exponent == 0x7FFF)
    v = (mantissa << 1) == 0 ? INFINITY : NAN;
  else if (exponent == 0 && mantissa == 0)
    v = 0;
  else
    v = std::ldexp(double(mantissa), exponent - 16383 - 63);
  return negative ? -v : v;
}

// ---------------------------------------------------------------------------------------------

namespace {

class TWriter {
public:
  explicit TWriter(TStream *S) : FStream(S) {}

  void Byte(uint8_t b) { FOut.append(char(b)); }
  void Tag(TValueType t) { Byte(uint8_t(t)); }
  void Raw(const QByteArray &b) { FOut.append(b); }
  void Int16(int16_t v) { Bytes(&v, 2); }
  void Int32(int32_t v) { Bytes(&v, 4); }

  // A name of up to 255 bytes of UTF-8, after its length byte.
  void ShortName(const QString &s)
  {
    QByteArray u = s.toUtf8();
    if (u.size() > 255)
      u.truncate(255);
    Byte(uint8_t(u.size()));
    Raw(u);
  }

  void Text(const QString &s)
  {
    const QByteArray u = s.toUtf8();
    if (u.size() >= 2 * s.size()) {
      Tag(TValueType::vaWString);
      Int32(int32_t(s.size()));
      for (QChar c : s) {
        const uint16_t w = c.unicode();
        Byte(uint8_t(w & 0xFF));
        Byte(uint8_t(w >> 8));
      }
      return;
    }
    bool high = false;
    for (char c : u)
      high = high || uint8_t(c) >= 0x80;
    if (high) {
      Tag(TValueType::vaUTF8String);
      Int32(int32_t(u.size()));
    } else if (u.size() >= 256) {
      Tag(TValueType::vaLString);
      Int32(int32_t(u.size()));
    } else {
      Tag(TValueType::vaString);
      Byte(uint8_t(u.size()));
    }
    Raw(u);
  }

  void Value(const TRecordValue &v)
  {
    using K = TRecordValue::TKind;
    switch (v.Kind) {
    case K::Integer:
      if (v.Int >= -128 && v.Int <= 127) {
        Tag(TValueType::vaInt8);
        Byte(uint8_t(int8_t(v.Int)));
      } else if (v.Int >= -32768 && v.Int <= 32767) {
        Tag(TValueType::vaInt16);
        Int16(int16_t(v.Int));
      } else if (v.Int >= INT32_MIN && v.Int <= INT32_MAX) {
        Tag(TValueType::vaInt32);
        Int32(int32_t(v.Int));
      } else {
        Tag(TValueType::vaInt64);
        Bytes(&v.Int, 8);
      }
      break;
    case K::Boolean:
      Tag(v.Bool ? TValueType::vaTrue : TValueType::vaFalse);
      break;
    case K::Ident:
      Tag(TValueType::vaIdent);
      ShortName(v.Text);
      break;
    case K::Text:
      Text(v.Text);
      break;
    case K::Float:
      Tag(TValueType::vaExtended);
      Raw(DoubleToExtended(v.Float));
      break;
    case K::Binary:
      Tag(TValueType::vaBinary);
      Int32(int32_t(v.Data.size()));
      Raw(v.Data);
      break;
    case K::Set:
      Tag(TValueType::vaSet);
      for (const QString &n : v.Names)
        ShortName(n);
      Byte(0);
      break;
    case K::List:
      Tag(TValueType::vaList);
      for (const TRecordValue &item : v.Items)
        Value(item);
      Byte(0);
      break;
    }
  }

  void Flush() { FStream->WriteBuffer(FOut); }

private:
  void Bytes(const void *p, int n)
  {
    // Little-endian hosts only, as everything else in the file formats here.
    FOut.append(static_cast<const char *>(p), n);
  }

  TStream *FStream;
  QByteArray FOut;
};

class TReader {
public:
  explicit TReader(TStream *S) : FStream(S) {}

  uint8_t Byte()
  {
    uint8_t b = 0;
    FStream->ReadBuffer(&b, 1);
    return b;
  }

  QByteArray Raw(int64_t n)
  {
    if (n < 0 || n > FStream->Size() - FStream->Position())
      throw EReadError(QStringLiteral("Stream read error"));
    QByteArray b(int(n), '\0');
    if (n > 0)
      FStream->ReadBuffer(b.data(), n);
    return b;
  }

  int64_t Int(int n)
  {
    const QByteArray b = Raw(n);
    uint64_t u = 0;
    for (int i = 0; i < n; ++i)
      u |= uint64_t(uint8_t(b[i])) << (8 * i);
    const int shift = 64 - 8 * n;  // sign-extend
    return shift ? int64_t(u << shift) >> shift : int64_t(u);
  }

  QString ShortName() { return QString::fromUtf8(Raw(Byte())); }

  TRecordValue Value(TValueType t)
  {
    switch (t) {
    case TValueType::vaInt8:
      return TRecordValue::Integer(Int(1));
    case TValueType::vaInt16:
      return TRecordValue::Integer(Int(2));
    case TValueType::vaInt32:
      return TRecordValue::Integer(Int(4));
    case TValueType::vaInt64:
      return TRecordValue::Integer(Int(8));
    case TValueType::vaFalse:
      return TRecordValue::Boolean(false);
    case TValueType::vaTrue:
      return TRecordValue::Boolean(true);
    case TValueType::vaIdent:
      return TRecordValue::Ident(ShortName());
    case TValueType::vaString:
      return TRecordValue::String(QString::fromUtf8(Raw(Byte())));
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
      return TRecordValue::String(QString::fromUtf8(Raw(Int(4))));
    case TValueType::vaWString: {
      const int64_t n = Int(4);
      const QByteArray b = Raw(n * 2);
      QString s;
      s.reserve(int(n));
      for (int i = 0; i < n; ++i)
        s.append(QChar(char16_t(uint8_t(b[2 * i]) | (uint8_t(b[2 * i + 1]) << 8))));
      return TRecordValue::String(s);
    }
    case TValueType::vaExtended:
      return TRecordValue::Extended(ExtendedToDouble(Raw(10)));
    case TValueType::vaBinary:
      return TRecordValue::Binary(Raw(Int(4)));
    case TValueType::vaSet: {
      QStringList names;
      for (QString n = ShortName(); !n.isEmpty(); n = ShortName())
        names << n;
      return TRecordValue::Set(names);
    }
    case TValueType::vaList: {
      // Lists nest by recursion: a bound keeps a stream of list tags from exhausting the stack.
      if (++FListDepth > kMaxListDepth)
        throw EReadError(QStringLiteral("Invalid stream format"));
      TRecordValue list = TRecordValue::StringList({});
      for (TValueType it = TValueType(Byte()); it != TValueType::vaNull; it = TValueType(Byte()))
        list.Items.push_back(Value(it));
      --FListDepth;
      return list;
    }
    default:
      throw EReadError(QStringLiteral("Invalid stream format"));
    }
  }

private:
  static constexpr int kMaxListDepth = 64;
  TStream *FStream;
  int FListDepth = 0;
};

} // namespace

void WriteComponentRecord(TStream *Stream, const TComponentRecord &Record)
{
  TWriter w(Stream);
  w.Raw(QByteArrayLiteral("TPF0"));
  w.ShortName(Record.ClassName);
  w.ShortName(Record.Name);
  for (const auto &[name, value] : Record.Properties) {
    w.ShortName(name);
    w.Value(value);
  }
  w.Byte(0);  // end of properties
  w.Byte(0);  // end of child records
  w.Flush();
}

TComponentRecord ReadComponentRecord(TStream *Stream)
{
  TReader r(Stream);
  if (r.Raw(4) != QByteArrayLiteral("TPF0"))
    throw EReadError(QStringLiteral("Invalid stream format"));
  TComponentRecord rec;
  rec.ClassName = r.ShortName();
  rec.Name = r.ShortName();
  for (QString name = r.ShortName(); !name.isEmpty(); name = r.ShortName())
    rec.Properties.emplace_back(name, r.Value(TValueType(r.Byte())));
  // Carrier records have no children; a child record would start with its signature.
  if (r.Byte() != 0)
    throw EReadError(QStringLiteral("Invalid stream format"));
  return rec;
}
