// Bank 2: the S7 access table, one entry per enabled row of "S7_Protocol.xml".
#include "project/bank_bytes.h"
#include "project/bank_xml.h"
#include "project/banks.h"

#include "framework/system/paths.h"
#include "project/app_state.h"
#include "project/s7_vocabulary.h"
#include "project/validators.h"

using namespace bankbytes;

uint8_t S7_PLC_Type_Code(const QString &Text) { return S7_PLC_Types.Code(Text); }
uint8_t S7_Data_Type_Code(const QString &Text) { return S7_Data_Types.Code(Text); }
uint8_t S7_Block_Code(const QString &Text) { return S7_Blocks.Code(Text); }
uint8_t S7_Area_Code(const QString &Text) { return S7_Areas.Code(Text); }

void TBankBuilder::Clear_S7_Table()
{
  S7_Access_Table.fill(TS7_Access_Entry{});
}

namespace {

// Every field converts on its own: a missing attribute or a text that is no number gives the
// field's default, and the other fields are still read. The attributes are read in the order
// the table file stores them, each straight from its UTF-8 text.
void Fill_Entry(TS7_Access_Entry &e, const TTableRow &Row, bool Write)
{
  uint8_t o1 = 0, o2 = 0, o3 = 0, o4 = 0;
  if (!Error_In_IP_Address_Utf8(Row.Utf8("PLC_Address"), o1, o2, o3, o4))
    e.PLC_Address = uint32_t(o1) << 24 | uint32_t(o2) << 16 | uint32_t(o3) << 8 | o4;
  else
    e.PLC_Address = 0;
  e.PLC_Port = uint16_t(Row.Integer("PLC_Port", 0));
  e.PLC_Type = S7_PLC_Types.Code_Utf8(Row.Utf8("PLC_Type"));
  // Unsigned arithmetic: only the low eight bits count, and a large hand-edited Rack must
  // not overflow.
  const uint32_t rack = uint32_t(Row.Integer("Rack", 0));
  const uint32_t slot = uint32_t(Row.Integer("Slot", 0));
  e.Rack_Slot = uint8_t(rack * 32u + slot);
  e.Data_Type = S7_Data_Types.Code_Utf8(Row.Utf8("Data_Type"));
  e.Data_Identifier = S7_Blocks.Code_Utf8(Row.Utf8("Data_Identifier"));
  e.DB_Number = uint16_t(Row.Integer("DB_Number", 0));
  e.PLC_Area = S7_Areas.Code_Utf8(Row.Utf8("PLC_Area"));
  e.PLC_Add = uint16_t(Row.Integer("PLC_Add", 0));
  e.PLC_Bit = uint8_t(Row.Integer("PLC_Bit", 0));
  e.PollTime = uint32_t(Row.Integer("PollTime", 1000));
  uint8_t flags = 0;
  if (Write) {
    flags = 0x20;
    if (Row.Checked("OnChange"))
      flags |= 0x01;
    if (Row.Checked("OnCMD"))
      flags |= 0x10;
  }
  e.Position = uint16_t(Row.Integer("Position", 0));
  e.Bit = uint8_t(Row.Integer("Bit", 0));
  if (Row.Checked("Swap"))
    flags |= 0x04;
  if (Row.Checked("SwapWord"))
    flags |= 0x08;
  e.Flags = flags;
}

}  // namespace

int TBankBuilder::Load_S7_Table()
{
  int n = 0;
  const QString file = AppState().File_S7_Protocol;
  if (!PathExists(file))
    return 0;
  Require_XML();
  const TTableFile f(*XML1, file);
  const char *const sections[2] = {"S7_Protocol_Read", "S7_Protocol_Write"};
  for (int s = 0; s < 2; ++s) {
    for (const TTableRow row : bankxml::Required_Section(f, sections[s])) {
      if (!row.Checked("Enable"))
        continue;
      if (n >= S7_Table_Size)
        throw EBankError(QStringLiteral("The S7 access table has more than %1 enabled rows; "
                                        "the gateway holds at most %1 entries.")
                             .arg(S7_Table_Size));
      Fill_Entry(S7_Access_Table[size_t(n)], row, s == 1);
      ++n;
    }
  }
  return n;
}

int TBankBuilder::Build_Bank2(int Position, TBankBuffer &Buffer)
{
  Require_Room(Buffer, Position, S7_Table_Size * S7_Entry_Size);
  uint8_t *p = Buffer.data() + Position;
  for (const TS7_Access_Entry &e : S7_Access_Table) {
    Put_U32(p + 0, e.PLC_Address);
    Put_U32(p + 4, e.PollTime);
    Put_U16(p + 8, e.PLC_Add);
    Put_U16(p + 10, e.DB_Number);
    Put_U16(p + 12, e.PLC_Port);
    Put_U16(p + 14, e.Position);
    Put_U16(p + 16, 0);
    p[18] = e.Bit;
    p[19] = e.PLC_Type;
    p[20] = e.Data_Type;
    p[21] = e.Data_Identifier;
    p[22] = 0;
    p[23] = e.Flags;
    p[24] = e.PLC_Bit;
    p[25] = e.PLC_Area;
    p[26] = e.Rack_Slot;
    p[27] = 0;
    p += S7_Entry_Size;
  }
  return Position + S7_Table_Size * S7_Entry_Size;
}
