#pragma once
// The IEC 61850 variable table: the variables the gateway's IEC 61850 server offers, each tied
// to the internal data array, with its type, conversion and factor; saved to
// "IEC61850_Variables.xml", which only this form reads.
#include <QChar>

#include "tables/table_form.h"

class TZavColumnGrid;

// The columns of the grid (real indexes).
namespace ieccols {
enum { cN, cEnable, cName, cType, cLength, cRead_Only, cPosition, cStart_Bit, cConversion, cFactor, cSwap,
       cSwap_Word, cMnemonic, cCount };
}  // namespace ieccols

class TFIEC61850_Variables : public TTableForm {
public:
  explicit TFIEC61850_Variables(TComponent *AOwner);

  // True when the factor is neither "None" (any case, blanks around) nor a number the program
  // reads back with Text_To_Single and the separator given (either mark as the decimal point).
  static bool Error_In_Factor(const QString &Text, QChar Separator);

  bool Do_Copy_Var() const { return Do_Copy(0); }
  int NByte_IN() const { return Data_Size(0); }
  TStringList *Hint_List_Var() const { return Hint_List(0); }

  TZavColumnGrid *ACG = nullptr;

private:
  static TTableFormDesc Description(TFIEC61850_Variables *Form);
  QChar FSeparator = QLatin1Char(',');
};
