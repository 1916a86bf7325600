#include "project/bank_xml.h"

#include "project/banks.h"

namespace bankxml {

TTableSection Required_Section(const TTableFile &File, const char *Name)
{
  const TTableSection section = File.Section(Name);
  if (!section.Exists())
    throw EBankError(QStringLiteral("The file \"%1\" has no section \"%2\".")
                         .arg(File.Path(), QString::fromUtf8(Name)));
  return section;
}

}  // namespace bankxml
