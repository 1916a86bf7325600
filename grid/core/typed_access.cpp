// Typed views of the cell texts (integers, floats, dates, times, embedded control values), the
// fills, the header lists, highlighting and error marks of cell ranges, and the checker's pass.
#include "grid/core/zav_string_grid.h"

#include <random>

#include "editors/cell_checker.h"
#include "framework/graphics/graphics.h"
#include "grid/core/grid_error.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_utils.h"

namespace {

// Blanks around, an empty text or a lone minus read as 0; otherwise the framework's integer
// rules (sign, "$" and "0x" hex) and nothing after the number.
int CellTextToInt(const QString &Text)
{
  QString s = Text.trimmed();
  if (s.isEmpty() || s == QLatin1String("-"))
    return 0;
  int v = 0;
  if (!TryStrToInt(s, v))
    throw EZavGridError(QStringLiteral("Cell does not contain integer value"));
  return v;
}

// The locale's separators and a text in parentheses are understood; the plain form has "." as
// decimal point whatever the locale says.
double CellTextToFloat(const QString &Text)
{
  QString s = NormalizeNumberText(Text.trimmed());
  if (s.isEmpty() || s == QLatin1String("-"))
    return 0;
  static const TFormatSettings plain = TFormatSettings::Invariant();
  double v = 0;
  if (!TryStrToFloat(s, v, plain))
    throw EZavGridError(QStringLiteral("Cell does not contain a float value"));
  return v;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Typed access

int TZavStringGrid::GetInts(int ACol, int ARow) { return CellTextToInt(StrippedCells(ACol, ARow)); }

void TZavStringGrid::SetInts(int ACol, int ARow, int Value)
{
  SetCells(ACol, ARow, QString::number(Value));
  // The base grid repaints by the storage column; with hidden columns before it the cell is
  // shown further left.
  if (NumHiddenColumns() > 0)
    RepaintCell(DisplColIndex(ACol), ARow);
}

int TZavStringGrid::GetAllInts(int ACol, int ARow) { return CellTextToInt(AllCells(ACol, ARow)); }

void TZavStringGrid::SetAllInts(int ACol, int ARow, int Value) { SetAllCells(ACol, ARow, QString::number(Value)); }

double TZavStringGrid::GetFloats(int ACol, int ARow) { return CellTextToFloat(StrippedCells(ACol, ARow)); }

void TZavStringGrid::SetFloats(int ACol, int ARow, double Value)
{
  bool isFloat = true;
  QString format;
  GetFloatFormat(ACol, ARow, isFloat, format);
  SetCells(ACol, ARow, Format(format, Value));
}

double TZavStringGrid::GetAllFloats(int ACol, int ARow) { return CellTextToFloat(AllCells(ACol, ARow)); }

void TZavStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
  SetAllCells(ACol, ARow, Format(FFloatFormat, Value));
}

bool TZavStringGrid::GetFloatFormat(int, int, bool &IsFloat, QString &FloatFormat)
{
  FloatFormat = FFloatFormat;
  return IsFloat;
}

TDateTime TZavStringGrid::Dates(int ACol, int ARow) { return StrToDate(Cells(ACol, ARow)); }

void TZavStringGrid::SetDates(int ACol, int ARow, TDateTime Value)
{
  SetCells(ACol, ARow, Value <= 0 && !FShowNullDates ? QString() : DateToStr(Value));
}

TDateTime TZavStringGrid::Times(int ACol, int ARow) { return StrToTime(Cells(ACol, ARow)); }

void TZavStringGrid::SetTimes(int ACol, int ARow, TDateTime Value) { SetCells(ACol, ARow, TimeToStr(Value)); }

QString TZavStringGrid::ControlValues(int ACol, int ARow, const QString &ID)
{
  QString value;
  return GetControlValue(Cells(ACol, ARow), ID, value) ? value : QString();
}

void TZavStringGrid::SetControlValues(int ACol, int ARow, const QString &ID, const QString &Value)
{
  QString text = Cells(ACol, ARow);
  if (SetControlValue(text, ID, Value))
    SetCells(ACol, ARow, text);
}

int TZavStringGrid::GetPrintColWidth(int ACol)
{
  if (ACol < 0 || ACol >= 512)
    throw EZavGridError(QStringLiteral("Columns is not in valid range"));
  return MaxWidths[ACol];
}

int TZavStringGrid::GetPrintColOffset(int ACol)
{
  if (ACol < 0 || ACol >= 512)
    throw EZavGridError(QStringLiteral("Columns is not in valid range"));
  return Indents[ACol];
}

// ---------------------------------------------------------------------------------------------
// Settings lists and fonts

void TZavStringGrid::SetLookupItems(TStringList *Value)
{
  if (Value)
    FLookupItems->Assign(Value);
}

void TZavStringGrid::SetFixedFont(TFont *Value)
{
  FFixedFont->Assign(Value);
  Invalidate();
}

void TZavStringGrid::SetColumnHeaders(TStringList *Value)
{
  FColumnHeaders->Assign(Value);
  if (FixedRows() > 0)
    ClearColumnHeaders();
  ShowColumnHeaders();
}

// A hook for derived grids (the column grid copies the headers into its columns).
void TZavStringGrid::ColumnHeadersChanged() {}

void TZavStringGrid::ShowColumnHeaders()
{
  if (FixedRows() <= 0)
    return;
  const int n = std::min(FColumnHeaders->Count(), TotalColCount());
  for (int i = 0; i < n; ++i)
    SetCells(i, 0, EscapedToLineBreak(FColumnHeaders->Strings(i)));
}

void TZavStringGrid::ClearColumnHeaders()
{
  for (int c = 0; c < TotalColCount(); ++c)
    SetCells(c, 0, QString());
}

void TZavStringGrid::SetRowHeaders(TStringList *Value)
{
  FRowHeaders->Assign(Value);
  if (IsDesignTime() && FixedCols() > 0)
    ClearRowHeaders();
  ShowRowHeaders();
}

void TZavStringGrid::ShowRowHeaders()
{
  if (FixedCols() <= 0)
    return;
  const int n = std::min(FRowHeaders->Count(), RowCount());
  for (int i = 0; i < n; ++i)
    SetCells(0, i, EscapedToLineBreak(FRowHeaders->Strings(i)));
}

void TZavStringGrid::ClearRowHeaders()
{
  for (int r = 0; r < RowCount(); ++r)
    SetCells(0, r, QString());
}

// ---------------------------------------------------------------------------------------------
// Fills

TGridRect TZavStringGrid::FillRange(bool DoFixed)
{
  if (DoFixed)
    return TGridRect(0, 0, ColCount() - 1, RowCount() - 1);
  return TGridRect(FixedCols(), FixedRows(), ColCount() - FixedRightCols() - 1, RowCount() - FixedFooters() - 1);
}

namespace {

template <typename F>
void ForEachCell(const TGridRect &R, F &&Write)
{
  for (int r = R.Top; r <= R.Bottom; ++r)
    for (int c = R.Left; c <= R.Right; ++c)
      Write(c, r);
}

} // namespace

void TZavStringGrid::TextFill(bool DoFixed, const QString &Txt)
{
  BeginUpdate();
  ForEachCell(FillRange(DoFixed), [&](int c, int r) { SetCells(c, r, Txt); });
  EndUpdate();
  CellsLoaded();
}

void TZavStringGrid::FormatFill(bool DoFixed, const QString &Fmt)
{
  BeginUpdate();
  try {
    ForEachCell(FillRange(DoFixed), [&](int c, int r) { SetCells(c, r, Format(Fmt, c, r)); });
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  CellsLoaded();
}

void TZavStringGrid::RandomFill(bool DoFixed, int Rnd)
{
  static std::minstd_rand generator(std::random_device{}());
  BeginUpdate();
  ForEachCell(FillRange(DoFixed), [&](int c, int r) {
    SetInts(c, r, Rnd > 0 ? int(generator() % uint32_t(Rnd)) : 0);
  });
  EndUpdate();
  CellsLoaded();
}

void TZavStringGrid::LinearFill(bool DoFixed)
{
  BeginUpdate();
  ForEachCell(FillRange(DoFixed), [&](int c, int r) { SetCells(c, r, QString::number(c) + ':' + QString::number(r)); });
  EndUpdate();
  CellsLoaded();
}

void TZavStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell)
{
  const QString text = GridCells(FromCell.X, FromCell.Y);
  SetGridCells(FromCell.X, FromCell.Y, GridCells(ToCell.X, ToCell.Y));
  SetGridCells(ToCell.X, ToCell.Y, text);
  TObject *props = GridObjects(FromCell.X, FromCell.Y);
  SetGridObjects(FromCell.X, FromCell.Y, GridObjects(ToCell.X, ToCell.Y));
  SetGridObjects(ToCell.X, ToCell.Y, props);
}

// ---------------------------------------------------------------------------------------------
// Highlighting and error marks

QString TZavStringGrid::HilightText(bool DoCase, const QString &S, const QString &Text)
{
  return HighlightInHTML(S, Text, QStringLiteral("hi"), DoCase);
}

QString TZavStringGrid::UnHilightText(const QString &S) { return RemoveHTMLTag(S, QStringLiteral("hi")); }

QString TZavStringGrid::MarkText(bool DoCase, const QString &S, const QString &Text)
{
  return HighlightInHTML(S, Text, QStringLiteral("e"), DoCase);
}

QString TZavStringGrid::UnMarkText(const QString &S) { return RemoveHTMLTag(S, QStringLiteral("e")); }

// The text a range operation starts from: what is shown when a display hook is set.
QString TZavStringGrid::HilightSourceText(int ACol, int ARow)
{
  return OnGetDisplText ? Cells(ACol, ARow) : GridCells(ACol, ARow);
}

void TZavStringGrid::HilightRange(int FromCol, int FromRow, int ToCol, int ToRow, const QString &Tag, bool DoCase,
                                  const QString &HiText)
{
  const QString search = EncodeHTMLEntities(HiText, false);
  BeginUpdate();
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c) {
      if (IsMergedNonBaseCell(c, r))
        continue;
      const QString text = EncodeHTMLEntities(HilightSourceText(c, r), false);
      SetCells(c, r, HighlightInHTML(text, search, Tag, DoCase));
    }
  EndUpdate();
}

void TZavStringGrid::UnHilightRange(int FromCol, int FromRow, int ToCol, int ToRow, const QString &Tag)
{
  BeginUpdate();
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c) {
      if (IsMergedNonBaseCell(c, r))
        continue;
      SetCells(c, r, RemoveHTMLTag(DecodeHTMLEntities(HilightSourceText(c, r), false), Tag));
    }
  EndUpdate();
}

namespace {
const QString HiTag = QStringLiteral("hi");
const QString MarkTag = QStringLiteral("e");
} // namespace

void TZavStringGrid::HilightInCell(bool DoCase, int Col, int Row, const QString &HiText)
{
  HilightRange(Col, Row, Col, Row, HiTag, DoCase, HiText);
}

void TZavStringGrid::MarkInCell(bool DoCase, int Col, int Row, const QString &HiText)
{
  HilightRange(Col, Row, Col, Row, MarkTag, DoCase, HiText);
}

void TZavStringGrid::UnHilightInCell(int Col, int Row) { UnHilightRange(Col, Row, Col, Row, HiTag); }
void TZavStringGrid::UnMarkInCell(int Col, int Row) { UnHilightRange(Col, Row, Col, Row, MarkTag); }

void TZavStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText)
{
  const TGridRect r = FillRange(DoFixed);
  HilightRange(Col, r.Top, Col, r.Bottom, HiTag, DoCase, HiText);
}

void TZavStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText)
{
  const TGridRect r = FillRange(DoFixed);
  HilightRange(Col, r.Top, Col, r.Bottom, MarkTag, DoCase, HiText);
}

void TZavStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
  const TGridRect r = FillRange(DoFixed);
  UnHilightRange(Col, r.Top, Col, r.Bottom, HiTag);
}

void TZavStringGrid::UnMarkInCol(bool DoFixed, int Col)
{
  const TGridRect r = FillRange(DoFixed);
  UnHilightRange(Col, r.Top, Col, r.Bottom, MarkTag);
}

// Adding tags in a row covers the display count of columns; removing them reaches the hidden
// columns too.
void TZavStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText)
{
  const TGridRect r = FillRange(DoFixed);
  HilightRange(r.Left, Row, r.Right, Row, HiTag, DoCase, HiText);
}

void TZavStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText)
{
  const TGridRect r = FillRange(DoFixed);
  HilightRange(r.Left, Row, r.Right, Row, MarkTag, DoCase, HiText);
}

void TZavStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
  const TGridRect r = FillRange(DoFixed);
  UnHilightRange(r.Left, Row, r.Right + NumHiddenColumns(), Row, HiTag);
}

void TZavStringGrid::UnMarkInRow(bool DoFixed, int Row)
{
  const TGridRect r = FillRange(DoFixed);
  UnHilightRange(r.Left, Row, r.Right + NumHiddenColumns(), Row, MarkTag);
}

void TZavStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const QString &HiText)
{
  const TGridRect r = FillRange(DoFixed);
  HilightRange(r.Left, r.Top, DoFixed ? r.Right : r.Right + NumHiddenColumns(), r.Bottom, HiTag, DoCase, HiText);
}

void TZavStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const QString &HiText)
{
  const TGridRect r = FillRange(DoFixed);
  HilightRange(r.Left, r.Top, r.Right, r.Bottom, MarkTag, DoCase, HiText);
}

void TZavStringGrid::UnHilightInGrid(bool DoFixed)
{
  const TGridRect r = FillRange(DoFixed);
  UnHilightRange(r.Left, r.Top, r.Right + NumHiddenColumns(), r.Bottom, HiTag);
}

void TZavStringGrid::UnMarkInGrid(bool DoFixed)
{
  const TGridRect r = FillRange(DoFixed);
  UnHilightRange(r.Left, r.Top, r.Right + NumHiddenColumns(), r.Bottom, MarkTag);
}

// ---------------------------------------------------------------------------------------------
// The checker's pass

// Starts from the stored text, so that display decorations never become data, and writes back
// only a text the checker changed.
bool TZavStringGrid::CheckCell(int Col, int Row)
{
  if (!FCellChecker)
    return true;
  const TPoint base = BaseCell(Col, Row);
  const QString stored = GridCells(base.X, base.Y);
  const QString u = UnMarkText(stored);
  if (FCellChecker->GotoCell())
    GotoCell(DisplColIndex(Col), Row);
  QString t = u;
  if (FCellChecker->UseCorrect())
    t = FCellChecker->Correct(Col, Row, u);
  if (FCellChecker->UseMarkError())
    t = FCellChecker->MarkError(Col, Row, u);
  if (t != stored)
    SetCells(Col, Row, t);
  return t == u;
}

bool TZavStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
  if (!FCellChecker)
    return true;
  const int realRow = RealRow();
  const int col = Col();
  FCellChecker->StartCheck();
  bool passed = true;
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c)
      if (!CheckCell(c, r))
        passed = false;
  FCellChecker->StopCheck();
  if (FCellChecker->GotoCell())
    GotoCell(col, DisplRowIndex(realRow));
  return passed;
}

bool TZavStringGrid::CheckCol(bool DoFixed, int Col)
{
  const int top = DoFixed ? 0 : FixedRows();
  const int bottom = DoFixed ? RowCount() - 1 : RowCount() - FixedFooters() - 1;
  return CheckCells(Col, top, Col, bottom);
}

bool TZavStringGrid::CheckRow(bool DoFixed, int Row)
{
  const TGridRect r = FillRange(DoFixed);
  return CheckCells(r.Left, Row, r.Right, Row);
}

bool TZavStringGrid::CheckGrid(bool DoFixed)
{
  const TGridRect r = FillRange(DoFixed);
  return CheckCells(r.Left, r.Top, r.Right, r.Bottom);
}
