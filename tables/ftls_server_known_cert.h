#pragma once
// The TLS server's known certificates: up to ten certificates (PEM text, kept exactly as typed,
// line breaks included) that the gateway accepts when the communication settings ask for known
// certificates only; saved to "TLS_Known_Cert.xml" (read by this form alone). The grid is a plain
// string grid with check boxes of its own. Nothing is checked: OK always saves.
#include "tables/table_form.h"

// The columns of the grid (real indexes).
namespace tlscols {
enum { cN, cEnable, cCertificate, cMnemonic, cCount };
}  // namespace tlscols

class TFTLS_Server_Known_Cert : public TTableForm {
public:
  explicit TFTLS_Server_Known_Cert(TComponent *AOwner);

  TZavStringGrid *ZSG = nullptr;

private:
  static TTableFormDesc Description();
};
