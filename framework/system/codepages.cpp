#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

#include "framework/system/codepages.h"

namespace {

// Characters of the bytes 0x80..0xFF. The five bytes Windows-1252 leaves undefined decode to
// the C1 control of the same number, as the platform does, so that every byte round-trips.
const char16_t kAnsiHigh[128] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

const char16_t kOemHigh[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

struct Reverse {
  std::unordered_map<char16_t, unsigned char> map;
  explicit Reverse(const char16_t *high)
  {
    for (int i = 0; i < 128; ++i) map.emplace(high[i], static_cast<unsigned char>(0x80 + i));
  }
  char Lookup(QChar c) const
  {
    const char16_t u = c.unicode();
    if (u < 0x80) return char(u);
    auto it = map.find(u);
    return it == map.end() ? '?' : char(it->second);
  }
};

const Reverse &AnsiReverse()
{
  static const Reverse r(kAnsiHigh);
  return r;
}

const Reverse &OemReverse()
{
  static const Reverse r(kOemHigh);
  return r;
}

}  // namespace

char AnsiCharOf(QChar c) { return AnsiReverse().Lookup(c); }
char OemCharOf(QChar c) { return OemReverse().Lookup(c); }
QChar CharFromAnsi(unsigned char b) { return b < 0x80 ? QChar(b) : QChar(kAnsiHigh[b - 0x80]); }
QChar CharFromOem(unsigned char b) { return b < 0x80 ? QChar(b) : QChar(kOemHigh[b - 0x80]); }

namespace {

QByteArray Encode(const QString &s, const Reverse &Table)
{
  QByteArray r;
  r.reserve(s.size());
  for (int i = 0; i < s.size(); ++i) {
    // A surrogate pair is one character the code page cannot hold: one '?'.
    if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
      r += '?';
      ++i;
      continue;
    }
    r += Table.Lookup(s[i]);
  }
  return r;
}

QString Decode(const QByteArray &bytes, const char16_t *High)
{
  QString r;
  r.reserve(bytes.size());
  for (char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    r += u < 0x80 ? QChar(u) : QChar(High[u - 0x80]);
  }
  return r;
}

}  // namespace

QByteArray EncodeAnsi(const QString &s) { return Encode(s, AnsiReverse()); }
QByteArray EncodeOem(const QString &s) { return Encode(s, OemReverse()); }
QString DecodeAnsi(const QByteArray &bytes) { return Decode(bytes, kAnsiHigh); }
QString DecodeOem(const QByteArray &bytes) { return Decode(bytes, kOemHigh); }

QString AnsiToOem(const QString &s) { return DecodeAnsi(EncodeOem(s)); }
QString OemToAnsi(const QString &s) { return DecodeOem(EncodeAnsi(s)); }

qsizetype InvalidUtf8Offset(const QByteArray &bytes)
{
  const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n;) {
    // Runs of ASCII, the bulk of a project file, eight bytes at a time.
    while (n - i >= 8) {
      uint64_t w;
      std::memcpy(&w, p + i, 8);
      if (w & 0x8080808080808080ull) break;
      i += 8;
    }
    if (i >= n) break;
    const unsigned c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    int len;
    uint32_t cp, least;
    if ((c & 0xE0) == 0xC0) {
      len = 2, cp = c & 0x1F, least = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3, cp = c & 0x0F, least = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4, cp = c & 0x07, least = 0x10000;
    } else {
      return i;
    }
    if (n - i < len) return i;
    for (int k = 1; k < len; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return i;
      cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return i;
    i += len;
  }
  return -1;
}

bool IsMultiByteUtf8(const QByteArray &bytes)
{
  const bool anyHigh = std::any_of(bytes.begin(), bytes.end(), [](char c) { return (unsigned char)c >= 0x80; });
  return anyHigh && InvalidUtf8Offset(bytes) < 0;
}
