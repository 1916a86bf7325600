// Keeping the column layout, the look and the print settings outside the program: the
// column-states text, the "Col" and "Pos" entries of an INI file or the registry, the
// visual-properties file and the print-settings section.
#include "grid/core/zav_string_grid.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/inifiles.h"
#include "framework/services/registry.h"
#include "framework/system/sysutils.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_error.h"
#include "grid/core/grid_settings.h"
#include "grid/core/persist_names.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/grid_options.h"

namespace {

// The inverse of a stored order (inverse[c] = the position of column c), or nothing when the
// order is not a permutation of 0 .. size - 1: a damaged store must never move a column to a
// position that does not exist.
std::vector<int> InverseOrder(const std::vector<int> &Order)
{
  std::vector<int> inverse(Order.size(), -1);
  for (size_t p = 0; p < Order.size(); ++p) {
    const int c = Order[p];
    if (c < 0 || size_t(c) >= Order.size() || inverse[size_t(c)] >= 0)
      return {};
    inverse[size_t(c)] = int(p);
  }
  return inverse;
}

void FillList(TIntList *List, const std::vector<int> &Values)
{
  List->Clear();
  for (int v : Values)
    List->Add(v);
}

std::unique_ptr<TCustomIniFile> OpenColumnStore(const TColumnSize *Settings)
{
  if (Settings->Location() == clIniFile)
    return std::make_unique<TMemIniFile>(Settings->Key());
  return std::make_unique<TRegistryIniFile>(Settings->Key());
}

QString NumberedKey(const char *Prefix, int Index)
{
  return QString::fromLatin1(Prefix) + IntToStr(Index);
}

// Visual properties ---------------------------------------------------------------------------

// One entry of the visual-properties file: how it is written and how it is read back.
struct TVisualEntry {
  QString Name;
  std::function<void(TStrings *)> Save;
  std::function<void(const TStrings &)> Load;
};

void AddLine(TStrings *Out, const QString &Name, const QString &Value) { Out->Add(Name + QLatin1Char('=') + Value); }

TVisualEntry ColourEntry(const QString &Name, std::function<TColor()> Get, std::function<void(TColor)> Set)
{
  return {Name, [=](TStrings *Out) { AddLine(Out, Name, ColorToString(Get())); },
          [=](const TStrings &In) {
            const QString v = In.Values(Name);
            Set(v.isEmpty() ? clNone : StringToColor(v));
          }};
}

TVisualEntry FlagEntry(const QString &Name, std::function<bool()> Get, std::function<void(bool)> Set)
{
  return {Name, [=](TStrings *Out) { AddLine(Out, Name, Get() ? QStringLiteral("true") : QStringLiteral("false")); },
          [=](const TStrings &In) { Set(In.Values(Name).toUpper() == QLatin1String("TRUE")); }};
}

// A missing or broken number raises the conversion error and ends the load there.
TVisualEntry NumberEntry(const QString &Name, std::function<int()> Get, std::function<void(int)> Set)
{
  return {Name, [=](TStrings *Out) { AddLine(Out, Name, IntToStr(Get())); },
          [=](const TStrings &In) { Set(StrToInt(In.Values(Name))); }};
}

// An unknown name leaves the property as it is.
template <typename E>
TVisualEntry EnumEntry(const QString &Name, std::function<E()> Get, std::function<void(E)> Set)
{
  return {Name, [=](TStrings *Out) { AddLine(Out, Name, EnumToName(Get())); },
          [=](const TStrings &In) {
            E v = Get();
            if (NameToEnum(In.Values(Name), v))
              Set(v);
          }};
}

// The look has no name for glCustom: it is written empty and an empty text changes nothing.
TVisualEntry LookEntry(TZavStringGrid *Grid)
{
  const QString name = QStringLiteral("Look");
  return {name,
          [=](TStrings *Out) { AddLine(Out, name, Grid->Look() == glCustom ? QString() : EnumToName(Grid->Look())); },
          [=](const TStrings &In) {
            TGridLook v = glCustom;
            if (NameToEnum(In.Values(name), v) && v != glCustom)
              Grid->SetLook(v);
          }};
}

QString FontStyleText(TFontStyles Style)
{
  QStringList members;
  for (size_t i = 0; i < TEnumNames<TFontStyle>::Names.size(); ++i)
    if (Style.Contains(TFontStyle(i)))
      members << QString::fromLatin1(TEnumNames<TFontStyle>::Names[i]);
  return members.join(QLatin1Char(','));
}

TFontStyles FontStyleFromText(const QString &Text)
{
  TFontStyles style;
  for (size_t i = 0; i < TEnumNames<TFontStyle>::Names.size(); ++i)
    if (Text.contains(QLatin1String(TEnumNames<TFontStyle>::Names[i])))
      style.Include(TFontStyle(i));
  return style;
}

// A font takes four lines, read in their written order (colour, style, size, name).
TVisualEntry FontEntry(const QString &Prefix, TFont *Font)
{
  const QString color = Prefix + QStringLiteral(".Color"), style = Prefix + QStringLiteral(".Style");
  const QString size = Prefix + QStringLiteral(".Size"), name = Prefix + QStringLiteral(".Name");
  return {Prefix,
          [=](TStrings *Out) {
            AddLine(Out, color, ColorToString(Font->Color()));
            AddLine(Out, style, FontStyleText(Font->Style()));
            AddLine(Out, size, IntToStr(Font->Size()));
            AddLine(Out, name, Font->Name());
          },
          [=](const TStrings &In) {
            const QString c = In.Values(color);
            Font->SetColor(c.isEmpty() ? clNone : StringToColor(c));
            Font->SetStyle(FontStyleFromText(In.Values(style)));
            Font->SetSize(StrToInt(In.Values(size)));
            Font->SetName(In.Values(name));
          }};
}

// The entries in the order of the file.
std::vector<TVisualEntry> VisualEntries(TZavStringGrid *g)
{
  using S = QString;
  auto colour = [](const char *n, auto get, auto set) { return ColourEntry(S::fromLatin1(n), get, set); };
  auto flag = [](const char *n, auto get, auto set) { return FlagEntry(S::fromLatin1(n), get, set); };
  auto number = [](const char *n, auto get, auto set) { return NumberEntry(S::fromLatin1(n), get, set); };
  TBalloonSettings *balloon = g->Balloon();
  TBands *bands = g->Bands();
  TControlLook *look = g->ControlLook();
  TGrouping *grouping = g->Grouping();
  TBackGround *back = g->BackGround();
  return {
      colour("Color", [g] { return g->Color(); }, [g](TColor v) { g->SetColor(v); }),
      colour("HintColor", [g] { return g->HintColor(); }, [g](TColor v) { g->SetHintColor(v); }),
      colour("SelectionColor", [g] { return g->SelectionColor(); }, [g](TColor v) { g->SetSelectionColor(v); }),
      colour("SelectionColorTo", [g] { return g->SelectionColorTo(); }, [g](TColor v) { g->SetSelectionColorTo(v); }),
      colour("SelectionMirrorColor", [g] { return g->SelectionMirrorColor(); },
             [g](TColor v) { g->SetSelectionMirrorColor(v); }),
      colour("SelectionMirrorColorTo", [g] { return g->SelectionMirrorColorTo(); },
             [g](TColor v) { g->SetSelectionMirrorColorTo(v); }),
      colour("SelectionTextColor", [g] { return g->SelectionTextColor(); },
             [g](TColor v) { g->SetSelectionTextColor(v); }),
      colour("URLColor", [g] { return g->URLColor(); }, [g](TColor v) { g->SetURLColor(v); }),
      flag("URLShow", [g] { return g->URLShow(); }, [g](bool v) { g->SetURLShow(v); }),
      flag("URLShowInText", [g] { return g->URLShowInText(); }, [g](bool v) { g->SetURLShowInText(v); }),
      colour("ScrollColor", [g] { return g->ScrollColor(); }, [g](TColor v) { g->SetScrollColor(v); }),
      colour("ActiveRowColor", [g] { return g->ActiveRowColor(); }, [g](TColor v) { g->SetActiveRowColor(v); }),
      flag("ActiveRowShow", [g] { return g->ActiveRowShow(); }, [g](bool v) { g->SetActiveRowShow(v); }),
      flag("ActiveCellShow", [g] { return g->ActiveCellShow(); }, [g](bool v) { g->SetActiveCellShow(v); }),
      FontEntry(S("Font"), g->Font()),
      colour("ActiveCellColor", [g] { return g->ActiveCellColor(); }, [g](TColor v) { g->SetActiveCellColor(v); }),
      colour("ActiveCellColorTo", [g] { return g->ActiveCellColorTo(); },
             [g](TColor v) { g->SetActiveCellColorTo(v); }),
      FontEntry(S("ActiveCellFont"), g->ActiveCellFont()),
      FontEntry(S("FixedFont"), g->FixedFont()),
      colour("Balloon.BackgroundColor", [balloon] { return balloon->BackgroundColor(); },
             [balloon](TColor v) { balloon->SetBackgroundColor(v); }),
      colour("Balloon.TextColor", [balloon] { return balloon->TextColor(); },
             [balloon](TColor v) { balloon->SetTextColor(v); }),
      number("Balloon.Transparency", [balloon] { return int(balloon->Transparency()); },
             [balloon](int v) { balloon->SetTransparency(uint8_t(v)); }),
      colour("Bands.PrimaryColor", [bands] { return bands->PrimaryColor(); },
             [bands](TColor v) { bands->SetPrimaryColor(v); }),
      colour("Bands.SecondaryColor", [bands] { return bands->SecondaryColor(); },
             [bands](TColor v) { bands->SetSecondaryColor(v); }),
      flag("Bands.Active", [bands] { return bands->Active(); }, [bands](bool v) { bands->SetActive(v); }),
      colour("SortSettings.IndexColor", [g] { return g->SortSettings()->IndexColor(); },
             [g](TColor v) { g->SortSettings()->SetIndexColor(v); }),
      colour("FloatingFooter.Color", [g] { return g->FloatingFooter()->Color(); },
             [g](TColor v) { g->FloatingFooter()->SetColor(v); }),
      number("ControlLook.CheckSize", [look] { return look->CheckSize(); }, [look](int v) { look->SetCheckSize(v); }),
      colour("ControlLook.Color", [look] { return look->Color(); }, [look](TColor v) { look->SetColor(v); }),
      colour("ControlLook.CommentColor", [look] { return look->CommentColor(); },
             [look](TColor v) { look->SetCommentColor(v); }),
      EnumEntry<ZavGrid::TControlStyle>(
          S("ControlLook.ControlStyle"), [look] { return look->ControlStyle(); },
          [look](ZavGrid::TControlStyle v) { look->SetControlStyle(v); }),
      colour("ControlLook.FixedGradientFrom", [look] { return look->FixedGradientFrom(); },
             [look](TColor v) { look->SetFixedGradientFrom(v); }),
      colour("ControlLook.FixedGradientTo", [look] { return look->FixedGradientTo(); },
             [look](TColor v) { look->SetFixedGradientTo(v); }),
      number("ControlLook.RadioSize", [look] { return look->RadioSize(); }, [look](int v) { look->SetRadioSize(v); }),
      flag("ControlLook.FlatButton", [look] { return look->FlatButton(); }, [look](bool v) { look->SetFlatButton(v); }),
      colour("ControlLook.ProgressBorderColor", [look] { return look->ProgressBorderColor(); },
             [look](TColor v) { look->SetProgressBorderColor(v); }),
      flag("ControlLook.ProgressXP", [look] { return look->ProgressXP(); }, [look](bool v) { look->SetProgressXP(v); }),
      LookEntry(g),
      colour("SearchFooter.Color", [g] { return g->SearchFooter()->Color(); },
             [g](TColor v) { g->SearchFooter()->SetColor(v); }),
      colour("SearchFooter.ColorTo", [g] { return g->SearchFooter()->ColorTo(); },
             [g](TColor v) { g->SearchFooter()->SetColorTo(v); }),
      colour("Grouping.HeaderColor", [grouping] { return grouping->HeaderColor(); },
             [grouping](TColor v) { grouping->SetHeaderColor(v); }),
      colour("Grouping.HeaderColorTo", [grouping] { return grouping->HeaderColorTo(); },
             [grouping](TColor v) { grouping->SetHeaderColorTo(v); }),
      colour("Grouping.HeaderTextColor", [grouping] { return grouping->HeaderTextColor(); },
             [grouping](TColor v) { grouping->SetHeaderTextColor(v); }),
      flag("Grouping.HeaderUnderline", [grouping] { return grouping->HeaderUnderline(); },
           [grouping](bool v) { grouping->SetHeaderUnderline(v); }),
      colour("Grouping.HeaderLineColor", [grouping] { return grouping->HeaderLineColor(); },
             [grouping](TColor v) { grouping->SetHeaderLineColor(v); }),
      number("Grouping.HeaderLineWidth", [grouping] { return grouping->HeaderLineWidth(); },
             [grouping](int v) { grouping->SetHeaderLineWidth(v); }),
      colour("Grouping.SummaryColor", [grouping] { return grouping->SummaryColor(); },
             [grouping](TColor v) { grouping->SetSummaryColor(v); }),
      colour("Grouping.SummaryColorTo", [grouping] { return grouping->SummaryColorTo(); },
             [grouping](TColor v) { grouping->SetSummaryColorTo(v); }),
      colour("Grouping.SummaryTextColor", [grouping] { return grouping->SummaryTextColor(); },
             [grouping](TColor v) { grouping->SetSummaryTextColor(v); }),
      flag("Grouping.SummaryLine", [grouping] { return grouping->SummaryLine(); },
           [grouping](bool v) { grouping->SetSummaryLine(v); }),
      colour("Grouping.SummaryLineColor", [grouping] { return grouping->SummaryLineColor(); },
             [grouping](TColor v) { grouping->SetSummaryLineColor(v); }),
      number("Grouping.SummaryLineWidth", [grouping] { return grouping->SummaryLineWidth(); },
             [grouping](int v) { grouping->SetSummaryLineWidth(v); }),
      colour("GridLineColor", [g] { return g->GridLineColor(); }, [g](TColor v) { g->SetGridLineColor(v); }),
      colour("GridFixedLineColor", [g] { return g->GridFixedLineColor(); },
             [g](TColor v) { g->SetGridFixedLineColor(v); }),
      number("BackGround.Top", [back] { return back->Top(); }, [back](int v) { back->SetTop(v); }),
      number("BackGround.Left", [back] { return back->Left(); }, [back](int v) { back->SetLeft(v); }),
      EnumEntry<TBackGroundDisplay>(S("BackGround.Display"), [back] { return back->Display(); },
                                    [back](TBackGroundDisplay v) { back->SetDisplay(v); }),
      EnumEntry<TBackGroundCells>(S("BackGround.Cells"), [back] { return back->Cells(); },
                                  [back](TBackGroundCells v) { back->SetCells(v); }),
      colour("BackGround.Color", [back] { return back->Color(); }, [back](TColor v) { back->SetColor(v); }),
      colour("BackGround.ColorTo", [back] { return back->ColorTo(); }, [back](TColor v) { back->SetColorTo(v); }),
  };
}

// Print settings ------------------------------------------------------------------------------

QString YesNo(bool Value) { return Value ? QStringLiteral("Y") : QStringLiteral("N"); }

// The font style as the sum of 1 bold, 2 italic, 4 underline and 8 strike-out.
int FontStyleSum(TFontStyles Style) { return int(Style.Bits() & 0xF); }

}  // namespace

// Column order --------------------------------------------------------------------------------

void TZavStringGrid::SetColumnOrder()
{
  FColumnOrder->Clear();
  for (int i = 0; i < ColCount(); ++i)
    FColumnOrder->Add(i);
}

void TZavStringGrid::ResetColumnOrder()
{
  UnHideColumnsAll();
  if (FColumnOrder->Count() == 0) {
    SetColumnOrder();
    return;
  }
  // The passes work on a copy of the list, rotated exactly as each move rotates the grid's own,
  // so that they end even when a move does not report back to the list.
  std::vector<int> order;
  for (int i = 0; i < FColumnOrder->Count(); ++i)
    order.push_back(FColumnOrder->Items(i));
  const int n = std::min(int(order.size()), ColCount());
  // A permutation settles in fewer passes; the bound only guards a list that is not one.
  for (int pass = 0; pass <= n * n; ++pass) {
    bool moved = false;
    for (int i = 0; i < n; ++i) {
      const int to = order[size_t(i)];
      if (to >= 0 && to < i) {
        MoveColumn(i, to);
        order.erase(order.begin() + i);
        order.insert(order.begin() + to, to);
        moved = true;
      }
    }
    if (!moved)
      break;
  }
  FillList(FColumnOrder.get(), order);
}

// Column states -------------------------------------------------------------------------------

QString TZavStringGrid::ColumnStatesToString()
{
  const int n = ColCount() + NumHiddenColumns();
  QStringList widths, order, visible;
  for (int i = 0; i < n; ++i) {
    // Positions past the shown columns belong to hidden ones: their width is the default.
    widths << IntToStr(i < ColCount() ? ColWidths(i) : DefaultColWidth());
    visible << (IsHiddenColumn(i) ? QStringLiteral("0") : QStringLiteral("1"));
  }
  if (FColumnOrder->Count() == 0)
    for (int i = 0; i < n; ++i)
      order << IntToStr(i);
  else
    for (int i = 0; i < FColumnOrder->Count(); ++i)
      order << IntToStr(FColumnOrder->Items(i));
  return IntToStr(n) + '#' + widths.join(',') + '#' + order.join(',') + '#' + visible.join(',');
}

void TZavStringGrid::StringToColumnStates(const QString &Value)
{
  if (!Value.contains('#'))
    return;
  const QStringList parts = Value.split('#');
  auto part = [&](int i) { return i < parts.size() ? parts[i] : QString(); };
  auto pieces = [](const QString &Text) {
    return Trim(Text).isEmpty() ? QStringList() : Text.split(',');
  };
  // A count the column mapping cannot hold, or one that leaves no normal column, is a damaged
  // text: nothing changes.
  const int n = StrToIntDef(Trim(part(0)), -1);
  if (n < 1 || n > MaxHiddenColumns || n <= FixedCols())
    return;

  // The order counts only when it is a permutation of 0 .. n - 1.
  std::vector<int> stored;
  const QStringList orderText = pieces(part(2));
  for (int i = 0; i < std::min(int(orderText.size()), n); ++i) {
    const int v = StrToIntDef(Trim(orderText[i]), -2);
    if (v != -1)
      stored.push_back(v);
  }
  const std::vector<int> inverse = InverseOrder(stored);
  if (int(inverse.size()) != n)
    stored.clear();

  FColumnOrder->Clear();
  UnHideColumnsAll();
  SetColCount(n);
  if (!stored.empty()) {
    FillList(FColumnOrder.get(), inverse);
    ResetColumnOrder();
    FillList(FColumnOrder.get(), stored);
  }

  const QStringList visible = pieces(part(3));
  for (int c = std::min(n, int(visible.size())) - 1; c >= 0; --c)
    if (Trim(visible[c]) == QLatin1String("0"))
      HideColumn(c);

  const bool stretch = FColumnSize->Stretch();
  FColumnSize->SetStretch(false);
  if (stretch) {
    const int sc = FColumnSize->StretchColumn() == -1 ? ColCount() - 1 : FColumnSize->StretchColumn();
    if (sc >= 0 && sc < ColCount())
      SetDefaultColWidth(ColWidths(sc));
  }
  const QStringList widths = pieces(part(1));
  for (int i = 0; i < std::min(ColCount(), int(widths.size())); ++i) {
    const int w = StrToIntDef(Trim(widths[i]), -1);
    if (w >= 0)
      SetColWidths(i, w);
  }
  FColumnSize->SetStretch(stretch);
}

// Column widths and positions in the column store -----------------------------------------------

void TZavStringGrid::SaveColSizes()
{
  if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || IsDesignTime())
    return;
  const auto store = OpenColumnStore(FColumnSize.get());
  for (int i = 0; i < ColCount(); ++i)
    store->WriteInteger(FColumnSize->Section(), NumberedKey("Col", i), ColWidths(i));
  store->UpdateFile();
}

void TZavStringGrid::LoadColSizes()
{
  if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || IsDesignTime())
    return;
  const auto store = OpenColumnStore(FColumnSize.get());
  for (int i = 0; i < ColCount(); ++i) {
    const int w = store->ReadInteger(FColumnSize->Section(), NumberedKey("Col", i), ColWidths(i));
    if (w != ColWidths(i))
      SetColWidths(i, w);
  }
  store->UpdateFile();
}

void TZavStringGrid::SaveColPositions()
{
  if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || IsDesignTime())
    return;
  const auto store = OpenColumnStore(FColumnSize.get());
  for (int i = 0; i < FColumnOrder->Count(); ++i)
    store->WriteInteger(FColumnSize->Section(), NumberedKey("Pos", i), FColumnOrder->Items(i));
  store->UpdateFile();
}

void TZavStringGrid::LoadColPositions()
{
  if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || IsDesignTime())
    return;
  const auto store = OpenColumnStore(FColumnSize.get());
  const QString section = FColumnSize->Section();
  if (store->ReadInteger(section, NumberedKey("Pos", 0), -1) != -1) {
    const int all = ColCount() + NumHiddenColumns();
    std::vector<int> stored;
    for (int i = 0; i < all; ++i) {
      const int v = store->ReadInteger(section, NumberedKey("Pos", i), -1);
      if (v != -1)
        stored.push_back(v);
    }
    // Only a complete order of exactly these columns is applied.
    const std::vector<int> inverse = InverseOrder(stored);
    if (int(inverse.size()) == all) {
      std::vector<bool> hidden;
      for (int c = 0; c < all; ++c)
        hidden.push_back(IsHiddenColumn(c));
      FillList(FColumnOrder.get(), inverse);
      UnHideColumnsAll();
      ResetColumnOrder();
      for (int c = all - 1; c >= 0; --c)
        if (hidden[size_t(c)])
          HideColumn(c);
      FillList(FColumnOrder.get(), stored);
    }
  }
  store->UpdateFile();
}

// Visual properties ---------------------------------------------------------------------------

void TZavStringGrid::SaveVisualProps(const QString &FileName)
{
  TStringList lines;
  for (const TVisualEntry &e : VisualEntries(this))
    e.Save(&lines);
  try {
    lines.SaveToFile(FileName);
  } catch (const EFCreateError &) {
    throw EZavGridError(QStringLiteral("Cannot Create ") + FileName);
  }
}

void TZavStringGrid::LoadVisualProps(const QString &FileName)
{
  TStringList lines;
  try {
    lines.LoadFromFile(FileName);
  } catch (const EFOpenError &) {
    throw EZavGridError(QStringLiteral("Cannot open file ") + FileName);
  }
  std::vector<TVisualEntry> entries = VisualEntries(this);
  // The grid line colours are read before the grouping entries.
  auto byName = [&](const char *Name) {
    return std::find_if(entries.begin(), entries.end(),
                        [&](const TVisualEntry &e) { return e.Name == QLatin1String(Name); });
  };
  std::rotate(byName("Grouping.HeaderColor"), byName("GridLineColor"), byName("BackGround.Top"));
  for (const TVisualEntry &e : entries)
    e.Load(lines);
}

// Print settings ------------------------------------------------------------------------------

void TZavStringGrid::SavePrintSettings(const QString &Key, const QString &Section)
{
  TPrintSettings *p = FPrintSettings.get();
  TMemIniFile ini(Key);
  auto integer = [&](const char *Name, int Value) { ini.WriteInteger(Section, QString::fromLatin1(Name), Value); };
  auto text = [&](const char *Name, const QString &Value) { ini.WriteString(Section, QString::fromLatin1(Name), Value); };
  auto flag = [&](const char *Name, bool Value) { text(Name, YesNo(Value)); };
  auto font = [&](const char *Prefix, TFont *F) {
    const QString pre = QString::fromLatin1(Prefix);
    ini.WriteString(Section, pre + QStringLiteral("FontName"), F->Name());
    ini.WriteInteger(Section, pre + QStringLiteral("FontSize"), F->Size());
    ini.WriteInteger(Section, pre + QStringLiteral("FontStyle"), FontStyleSum(F->Style()));
    ini.WriteInteger(Section, pre + QStringLiteral("FontColor"), int(F->Color()));
  };
  integer("ColumnSpacing", p->ColumnSpacing());
  integer("RowSpacing", p->RowSpacing());
  integer("TitleSpacing", p->TitleSpacing());
  integer("FixedHeight", p->FixedHeight());
  integer("FixedWidth", p->FixedWidth());
  flag("Centered", p->Centered());
  flag("NoAutoSize", p->NoAutoSize());
  flag("UseFixedHeight", p->UseFixedHeight());
  flag("UseFixedWidth", p->UseFixedWidth());
  flag("RepeatFixedRows", p->RepeatFixedRows());
  flag("RepeatFixedCols", p->RepeatFixedCols());
  flag("UseDisplFont", p->UseDisplayFont());
  flag("UseDefOrientation", p->UseDefaultOrientation());
  integer("Borders", int(p->Borders()));
  integer("BorderColor", int(p->BorderColor()));
  integer("BorderStyle", int(p->BorderStyle()));
  integer("Date", int(p->Date()));
  integer("PageNr", int(p->PageNr()));
  integer("Title", int(p->Title()));
  integer("Time", int(p->Time()));
  text("DateFormat", p->DateFormat());
  text("TitleText", p->TitleText());
  integer("FooterSize", p->FooterSize());
  integer("HeaderSize", p->HeaderSize());
  integer("LeftSize", p->LeftSize());
  integer("RightSize", p->RightSize());
  integer("FitToPage", int(p->FitToPage()));
  font("", p->Font());
  font("Header", p->HeaderFont());
  font("Footer", p->FooterFont());
  text("PageNumSep", p->PageNumSep());
  text("PageSuffix", p->PageSuffix());
  text("PagePrefix", p->PagePrefix());
  integer("Orientation", int(p->Orientation()));
  text("TitleLines", p->TitleLines()->ToStringList().join(QStringLiteral("\\n")));
  flag("PrintGraphics", p->PrintGraphics());
  ini.UpdateFile();
}

void TZavStringGrid::LoadPrintSettings(const QString &Key, const QString &Section)
{
  TPrintSettings *p = FPrintSettings.get();
  TMemIniFile ini(Key);
  auto integer = [&](const char *Name, int Default) {
    return ini.ReadInteger(Section, QString::fromLatin1(Name), Default);
  };
  auto text = [&](const char *Name) { return ini.ReadString(Section, QString::fromLatin1(Name), QString()); };
  auto flag = [&](const char *Name, bool Default) {
    return ini.ReadString(Section, QString::fromLatin1(Name), YesNo(Default)) == QLatin1String("Y");
  };
  // Ordinals outside the enumeration leave the property as it is.
  auto ordinal = [&](const char *Name, int Last, auto Set) {
    const int v = integer(Name, 0);
    if (v >= 0 && v <= Last)
      Set(v);
  };
  auto position = [&](const char *Name) {
    const int v = integer(Name, 0);
    return v >= 1 && v <= int(ppBottomCenter) ? TPrintPosition(v) : ppNone;
  };
  auto font = [&](const char *Prefix, TFont *F) {
    const QString pre = QString::fromLatin1(Prefix);
    F->SetName(ini.ReadString(Section, pre + QStringLiteral("FontName"), QStringLiteral("Arial")));
    F->SetSize(ini.ReadInteger(Section, pre + QStringLiteral("FontSize"), 10));
    F->SetStyle(TFontStyles::FromBits(uint64_t(ini.ReadInteger(Section, pre + QStringLiteral("FontStyle"), 0)) & 0xF));
    F->SetColor(TColor(ini.ReadInteger(Section, pre + QStringLiteral("FontColor"), 0)));
  };
  p->SetColumnSpacing(integer("ColumnSpacing", 20));
  p->SetRowSpacing(integer("RowSpacing", 20));
  p->SetTitleSpacing(integer("TitleSpacing", 20));
  p->SetFixedHeight(integer("FixedHeight", 0));
  p->SetFixedWidth(integer("FixedWidth", 0));
  p->SetCentered(flag("Centered", true));
  p->SetNoAutoSize(flag("NoAutoSize", false));
  p->SetUseFixedHeight(flag("UseFixedHeight", false));
  p->SetUseFixedWidth(flag("UseFixedWidth", false));
  p->SetRepeatFixedRows(flag("RepeatFixedRows", false));
  p->SetRepeatFixedCols(flag("RepeatFixedCols", false));
  p->SetUseDisplayFont(flag("UseDisplFont", false));
  p->SetUseDefaultOrientation(flag("UseDefOrientation", false));
  ordinal("Borders", int(pbCustom), [p](int v) { p->SetBorders(TPrintBorders(v)); });
  p->SetBorderColor(TColor(integer("BorderColor", 0)));
  ordinal("BorderStyle", int(psInsideFrame), [p](int v) { p->SetBorderStyle(TPenStyle(v)); });
  p->SetDate(position("Date"));
  p->SetPageNr(position("PageNr"));
  p->SetTitle(position("Title"));
  p->SetTime(position("Time"));
  p->SetDateFormat(text("DateFormat"));
  p->SetTitleText(text("TitleText"));
  p->SetFooterSize(integer("FooterSize", 100));
  p->SetHeaderSize(integer("HeaderSize", 100));
  p->SetLeftSize(integer("LeftSize", 100));
  p->SetRightSize(integer("RightSize", 100));
  ordinal("FitToPage", int(fpCustom), [p](int v) { p->SetFitToPage(TFitToPage(v)); });
  font("", p->Font());
  font("Header", p->HeaderFont());
  font("Footer", p->FooterFont());
  p->SetPageNumSep(text("PageNumSep"));
  p->SetPageSuffix(text("PageSuffix"));
  p->SetPagePrefix(text("PagePrefix"));
  ordinal("Orientation", int(poLandscape), [p](int v) { p->SetOrientation(TPrinterOrientation(v)); });
  p->TitleLines()->SetText(text("TitleLines").replace(QStringLiteral("\\n"), QStringLiteral("\r\n")));
  p->SetPrintGraphics(flag("PrintGraphics", false));
  ini.UpdateFile();
}
