#include "project/s7_vocabulary.h"

#include <cstring>

namespace {

constexpr TS7Term PLC_Type_Terms[] = {{"Logo0BA8", 1}, {"S7200", 0},   {"S7300", 10},
                                      {"S7400", 20},   {"S71200", 30}, {"S71500", 40}};
constexpr TS7Term Data_Type_Terms[] = {{"Bit", 1}, {"Byte", 2},  {"Char", 3}, {"Word", 4},
                                       {"Int", 5}, {"DWord", 6}, {"DInt", 7}, {"Real", 8}};
constexpr TS7Term Block_Terms[] = {{"OB", 8},   {"DB", 10}, {"SDB", 11}, {"FC", 12},
                                   {"SFC", 13}, {"FB", 14}, {"SFB", 15}};
constexpr TS7Term Area_Terms[] = {{"Direct peripheral access (P)", 0x80},
                                  {"Inputs (I)", 0x81},
                                  {"Output (Q)", 0x82},
                                  {"Flags (M) (Merker)", 0x83}};

}  // namespace

constinit const TS7Vocabulary S7_PLC_Types{PLC_Type_Terms, 0};
constinit const TS7Vocabulary S7_Data_Types{Data_Type_Terms, 1};
constinit const TS7Vocabulary S7_Blocks{Block_Terms, 8};
constinit const TS7Vocabulary S7_Areas{Area_Terms, 0x80};

QStringList TS7Vocabulary::Names() const
{
  QStringList names;
  names.reserve(Count());
  for (const TS7Term &t : FTerms)
    names << QString::fromLatin1(t.Name);
  return names;
}

uint8_t TS7Vocabulary::Code(const QString &Text) const
{
  for (const TS7Term &t : FTerms)
    if (Text == QLatin1String(t.Name))
      return t.Code;
  return FFallback;
}

uint8_t TS7Vocabulary::Code_Utf8(const char *Utf8) const
{
  // The names are ASCII, so their Latin-1 bytes are their UTF-8 bytes.
  if (Utf8)
    for (const TS7Term &t : FTerms)
      if (Utf8[0] == t.Name[0] && std::strcmp(Utf8, t.Name) == 0)
        return t.Code;
  return FFallback;
}
