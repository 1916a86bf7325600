#include "project/bank_bytes.h"

#include <cstring>

namespace bankbytes {

void Require_Room(const TBankBuffer &Buffer, int Position, int Count)
{
  if (Position < 0 || Count < 0 || int64_t(Position) + Count > int64_t(Buffer.size()))
    throw EBankError(QStringLiteral("Bank data of %1 bytes at position %2 does not fit the "
                                    "bank buffer of %3 bytes.")
                         .arg(Count)
                         .arg(Position)
                         .arg(Buffer.size()));
}

void TBankWriter::Bytes(const uint8_t *p, int Count)
{
  uint8_t *d = Room(Count);
  if (Count > 0)
    std::memcpy(d, p, size_t(Count));
}

}  // namespace bankbytes
