// State and file output shared by the side-file writers.
#include "project/side_files.h"

#include "framework/services/atomicfile.h"
#include "framework/system/codepages.h"

void TSideFileState::Reset()
{
  *this = TSideFileState();
}

TSideFileState &SideFileState()
{
  static TSideFileState State;
  return State;
}

void Save_Side_File(const QStringList &Lines, const QString &FileName)
{
  QString Text;
  for (const QString &L : Lines) {
    Text += L;
    Text += QLatin1String("\r\n");
  }
  WriteFileAtomicOrRaise(FileName, EncodeAnsi(Text));
}
