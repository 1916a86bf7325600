// The bank build as a whole and the bank files in the project's "bin" folder.
#include "project/banks.h"

#include "framework/services/atomicfile.h"
#include "framework/system/paths.h"
#include "project/app_state.h"

#include <QByteArray>

#include <memory>

TBankBuilder::TBankBuilder()
    : Bank_Buffer_1(Bank_Buffer_Size), Bank_Buffer_2(Bank_Buffer_Size),
      Bank_Buffer_3(Bank_Buffer_Size)
{
  Init_General_Parameters();
  Clear_S7_Table();
  Reset_MQTT_Config();
}

void TBankBuilder::Require_XML() const
{
  if (!XML1)
    throw EBankError(QStringLiteral("The bank builder has no XML document to read with."));
}

void TBankBuilder::Compile_Banks()
{
  FBanks_Built = false;
  Init_General_Parameters();
  Clear_S7_Table();
  Reset_MQTT_Config();
  Load_ParGen_Config();
  uint8_t *p = General_Parameters.data();
  auto put32 = [](uint8_t *d, uint32_t v) {
    for (int i = 0; i < 4; ++i)
      d[i] = uint8_t(v >> (8 * i));
  };
  put32(p + GP::Bank2_Address, Bank2_Load_Address);
  put32(p + GP::Bank3_Address, Bank3_Load_Address);
  put32(p + GP::S7_Entry_Count, uint32_t(Load_S7_Table()));
  Load_MQTT_Topics();
  Bank_Length_1 = Bank_Length_2 = Bank_Length_3 = 0;
  Bank_Length_1 = Build_Bank1(0, Bank_Buffer_1);
  Bank_Length_2 = Build_Bank2(0, Bank_Buffer_2);
  Bank_Length_3 = Build_Bank3(Bank3_Load_Address, 0, Bank_Buffer_3, Bank3_Last_Position);
  FBanks_Built = true;
}

bool TBankBuilder::Write_Bank_Files(QString *Error_Message)
{
  QString errors;
  if (!FBanks_Built) {
    errors = QStringLiteral("The configuration banks were not built; no bank file was written.");
  } else if (AppState().Project_Dir.isEmpty()) {
    errors = QStringLiteral("No project is open; no bank file was written.");
  } else {
    const QString bin = AppState().Project_Dir + QStringLiteral("/bin");
    if (!DirectoryExists(bin) && !ForceDirectories(bin))
      errors = QStringLiteral("Cannot create the folder \"%1\".").arg(bin);
    const TBankBuffer *buffers[3] = {&Bank_Buffer_1, &Bank_Buffer_2, &Bank_Buffer_3};
    const int lengths[3] = {Bank_Length_1, Bank_Length_2, Bank_Length_3};
    // Every file is attempted, as the device update expects; each failure is reported, one
    // line per file, so that none passes for written.
    for (int n = 0; n < 3; ++n) {
      const QString path = bin + QStringLiteral("/bank%1.bin").arg(n + 1);
      const QByteArray data(reinterpret_cast<const char *>(buffers[n]->data()), lengths[n]);
      QString error;
      if (!WriteFileAtomic(path, data, &error))
        errors += (errors.isEmpty() ? QString() : QStringLiteral("\n")) + error;
    }
  }
  if (Error_Message)
    *Error_Message = errors;
  return errors.isEmpty();
}

namespace {
std::unique_ptr<TBankBuilder> &Instance()
{
  static std::unique_ptr<TBankBuilder> builder;
  return builder;
}
}  // namespace

TBankBuilder &BankBuilder()
{
  if (!Instance())
    Instance() = std::make_unique<TBankBuilder>();
  return *Instance();
}

void ResetBankBuilder()
{
  Instance() = std::make_unique<TBankBuilder>();
}
