#pragma once
// The component streaming format: one record per component, "TPF0", the class name, the
// component name, then named property values in the order they were written, closed by an end
// of properties and an end of child records. Binary form files and the grid's cell stream share
// it, so the bytes follow the platform's encoding exactly.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <utility>
#include <vector>

class TStream;

enum class TValueType : uint8_t {
  vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6,
  vaIdent = 7, vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13,
  vaCollection = 14, vaSingle = 15, vaCurrency = 16, vaDate = 17, vaWString = 18, vaInt64 = 19,
  vaUTF8String = 20,
};

// One property value. Integers, Booleans, identifiers, texts, floats, binary data, sets (member
// names) and lists of values. Writing picks the tag from the kind and the value: the smallest
// integer form, and for texts the platform's choice between ASCII, UTF-8 and UTF-16.
struct TRecordValue {
  enum class TKind { Integer, Boolean, Ident, Text, Float, Binary, Set, List };
  TKind Kind = TKind::Integer;
  int64_t Int = 0;
  bool Bool = false;
  double Float = 0;
  QString Text{};  // texts and identifiers
  QByteArray Data{};
  QStringList Names{};  // set members
  std::vector<TRecordValue> Items{};

  static TRecordValue Integer(int64_t v);
  static TRecordValue Boolean(bool v);
  static TRecordValue Ident(const QString &v);
  static TRecordValue String(const QString &v);
  static TRecordValue Extended(double v);
  static TRecordValue Binary(const QByteArray &v);
  static TRecordValue Set(const QStringList &Members);
  // A list of texts.
  static TRecordValue StringList(const QStringList &Texts);
};

struct TComponentRecord {
  QString ClassName;
  QString Name;
  std::vector<std::pair<QString, TRecordValue>> Properties;
};

// Writes the record at the stream's position.
void WriteComponentRecord(TStream *Stream, const TComponentRecord &Record);
// Reads one record from the stream's position. A record that does not start with "TPF0" raises
// EReadError "Invalid stream format"; a record cut short raises EReadError "Stream read error".
// Integers come back as Integer whatever their width, every text tag as Text.
TComponentRecord ReadComponentRecord(TStream *Stream);

// 80-bit extended precision, little-endian, as the platform's floating-point values travel.
QByteArray DoubleToExtended(double Value);
double ExtendedToDouble(const QByteArray &Bytes);
