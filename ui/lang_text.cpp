#include "ui/lang_text.h"

#include "project/app_state.h"

QString Lang_Text(int N)
{
  const QStringList &T = AppState().Lang_Texts;
  return N >= 0 && N < T.size() ? T[N] : QString();
}
