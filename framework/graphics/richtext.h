#pragma once
// A small rich-text document: runs of text with a character format, read from and written to
// RTF, laid out and drawn on a canvas. It carries what cells and rich edits use (font name and
// size, bold, italic, underline, strike-out, colour, raised and lowered text, paragraphs); RTF
// beyond that (tables, pictures, paragraph formats) is read for its text only.
#include <QString>

#include <vector>

#include "framework/graphics/graphics.h"

struct TRichTextFormat {
  QString Name;           // font family; empty: the canvas font's
  int Size = 0;           // points; 0: the canvas font's
  TFontStyles Style;      // bold, italic, underline, strike-out
  TColor Color = clNone;  // clNone: automatic (the canvas font's colour)
  int Offset = 0;         // vertical offset in twips: positive raised, negative lowered
  friend bool operator==(const TRichTextFormat &, const TRichTextFormat &) = default;
};

struct TRichTextRun {
  QString Text;  // '\n' ends a paragraph
  TRichTextFormat Format;
  friend bool operator==(const TRichTextRun &, const TRichTextRun &) = default;
};

class TRichText {
public:
  // Adds text in a format; text in the format of the last run joins that run.
  void Append(const QString &Text, const TRichTextFormat &Format = TRichTextFormat());
  void Clear() { FRuns.clear(); }
  bool IsEmpty() const { return FRuns.empty(); }
  const std::vector<TRichTextRun> &Runs() const { return FRuns; }
  // The text with CR LF between paragraphs.
  QString PlainText() const;
  // Paragraphs at CR LF, CR or LF.
  static TRichText FromPlainText(const QString &Text, const TRichTextFormat &Format = TRichTextFormat());

  // Whether the text is an RTF document (starts with "{\rtf").
  static bool IsRTF(const QString &Text);
  // Reads RTF as far as it makes sense: unclosed groups end with the text, unknown control
  // words and destinations are skipped, characters are never dropped for a syntax slip. Text
  // that is no RTF document becomes plain paragraphs.
  static TRichText FromRTF(const QString &RTF);
  // RTF in 7-bit characters (other characters as \u escapes); reading it back gives this text.
  QString ToRTF() const;

  // Size of the laid-out text in the canvas's logical units. Without word wrap, or with a
  // width of 0 or less, lines break only at paragraph ends.
  TSize Measure(TCanvas *Canvas, int Width, bool WordWrap) const;
  // Draws the text into R (clipped to it) with a transparent background. Color other than
  // clNone overrides every run's colour (selected text).
  void Draw(TCanvas *Canvas, const TRect &R, bool WordWrap, TColor Color = clNone) const;

  friend bool operator==(const TRichText &, const TRichText &) = default;

private:
  std::vector<TRichTextRun> FRuns;
};
