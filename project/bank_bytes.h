#pragma once
// Little-endian stores into a bank buffer, bounded by the buffer's size.
#include "project/banks.h"

#include <cstddef>
#include <cstdint>

namespace bankbytes {

// Raises EBankError unless Count bytes fit at Position.
void Require_Room(const TBankBuffer &Buffer, int Position, int Count);

inline void Put_U8(uint8_t *p, uint8_t v) { p[0] = v; }
inline void Put_U16(uint8_t *p, uint16_t v)
{
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
inline void Put_U32(uint8_t *p, uint32_t v)
{
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

// Sequential writer over a bank buffer; every store is bounds-checked.
class TBankWriter {
public:
  TBankWriter(TBankBuffer &Buffer, int Position) : FBuffer(&Buffer), FPos(Position) {}
  int Position() const { return FPos; }
  void U8(uint8_t v) { Put_U8(Room(1), v); }
  void U16(uint16_t v) { Put_U16(Room(2), v); }
  void U32(uint32_t v) { Put_U32(Room(4), v); }
  void Bytes(const uint8_t *p, int Count);

private:
  // Inline: the bank images are written a field at a time.
  uint8_t *Room(int Count)
  {
    if (FPos < 0 || Count < 0 || int64_t(FPos) + Count > int64_t(FBuffer->size()))
      Require_Room(*FBuffer, FPos, Count);  // raises
    uint8_t *p = FBuffer->data() + FPos;
    FPos += Count;
    return p;
  }
  TBankBuffer *FBuffer;
  int FPos;
};

}  // namespace bankbytes
