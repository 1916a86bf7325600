#include "grid/view/rtf_text.h"

#include "framework/graphics/richtext.h"

QString RTFToPlainText(const QString &RTF)
{
  if (!TRichText::IsRTF(RTF))
    return RTF;
  return TRichText::FromRTF(RTF).PlainText();
}

void RenderRTFText(TCanvas *Canvas, const QString &RTF, const TRect &R, TColor Color)
{
  TRichText::FromRTF(RTF).Draw(Canvas, R, true, Color);
}

TSize MeasureRTFText(TCanvas *Canvas, const QString &RTF, int Width, bool WordWrap)
{
  return TRichText::FromRTF(RTF).Measure(Canvas, Width, WordWrap);
}
