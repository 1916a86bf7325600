#pragma once
// What the bank builder adds to the table-file reader.
#include "project/table_rows.h"

namespace bankxml {

// The section Name of the file; a missing section (or root) raises EBankError naming the
// section and the file.
TTableSection Required_Section(const TTableFile &File, const char *Name);

}  // namespace bankxml
