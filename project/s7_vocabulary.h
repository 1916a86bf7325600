#pragma once
// The S7 words of the access tables: the texts the S7 form offers in its drop-downs and the
// codes the bank builder writes for them. One list per column, in the order the drop-down
// shows them; a text the list does not hold (compared exactly) gets the list's fallback code.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

struct TS7Term {
  const char *Name;  // Latin-1
  uint8_t Code;
};

class TS7Vocabulary {
public:
  // Terms must outlive the vocabulary (the lists below are static arrays).
  constexpr TS7Vocabulary(std::span<const TS7Term> Terms, uint8_t Fallback) : FTerms(Terms), FFallback(Fallback) {}

  auto begin() const { return FTerms.begin(); }
  auto end() const { return FTerms.end(); }
  int Count() const { return int(FTerms.size()); }
  uint8_t Fallback() const { return FFallback; }

  // The drop-down items, in order.
  QStringList Names() const;
  // The code of Text; the fallback for any other text (case and blanks count).
  uint8_t Code(const QString &Text) const;
  // The same for UTF-8 text as a table file holds it; nullptr gets the fallback.
  uint8_t Code_Utf8(const char *Utf8) const;

private:
  std::span<const TS7Term> FTerms;
  uint8_t FFallback;
};

extern const TS7Vocabulary S7_PLC_Types;   // column "PLC_Type"
extern const TS7Vocabulary S7_Data_Types;  // column "Data_Type"
extern const TS7Vocabulary S7_Blocks;      // column "Data_Identifier"
extern const TS7Vocabulary S7_Areas;       // column "PLC_Area"
