#pragma once
// The KNX access table: the telegrams the gateway writes onto the KNX bus (source and
// destination address, service, priority, format, triggers) and where their data lie in the
// internal data array; saved to "KNX_SetAccess.xml", which only this form reads.
#include "tables/table_form.h"

class TZavColumnGrid;

// The columns of the grid (real indexes).
namespace knxcols {
enum { cN, cEnable, cSource, cDest, cAPCI, cPriority, cFormat, cExtended, cReTest, cOn_Command, cOn_Change,
       cOn_Timer, cPoll_Time, cPosition, cBit_Mode, cLength, cMnemonic, cCount };
}  // namespace knxcols

class TFKNXAccess : public TTableForm {
public:
  explicit TFKNXAccess(TComponent *AOwner);

  // The largest Length a row may have: bytes (14, or 255 extended), or bits in bit mode (112,
  // or 2040 extended). Bit mode is on when Bit_Mode upper-cased is not "NO"; extended when
  // Extended upper-cased is "Y".
  static int Max_Length(const QString &Bit_Mode, const QString &Extended);
  // The bytes of the data array the row takes from its Position: Length, or in bit mode the
  // bytes its bits reach from the start bit.
  static int Size_In_Bytes(const QString &Bit_Mode, const QString &Length);
  // True for the two-level form of a destination: two decimal numbers of 0 to 255 (blanks
  // around each allowed) joined by one ".", as "230.240".
  static bool Two_Level_Address(const QString &Text);
  // The destination check: a text without "." is a group address, one with "." the two-level
  // form or a physical address (0.0.0 allowed). The message that applies when it fails (1450 or
  // 1451), 0 when it passes.
  static int Destination_Error(const QString &Dest);

  bool Do_Copy_In_Write() const { return Do_Copy(0); }
  int Max_Num_Byte() const { return Data_Size(0); }
  TStringList *Hint() const { return Hint_List(0); }

  TZavColumnGrid *ACG_KNX_in_Write = nullptr;

private:
  static TTableFormDesc Description(TFKNXAccess *Form);
};
