#include "grid/foundation/grid_options.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/grids/grids.h"

namespace {

// One property of an option class: its text for comparisons, a change away from its default, the
// default's text and whether Assign copies it.
template <typename T>
struct Prop {
  std::string name;
  std::function<std::string(T &)> read;
  std::function<void(T &)> change;
  std::string def;
  bool copied;
};

template <typename T>
Prop<T> BoolProp(const char *name, bool (T::*get)() const, void (T::*set)(bool), bool def,
                 bool copied = true)
{
  return {name, [get](T &o) { return std::string((o.*get)() ? "True" : "False"); },
          [set, def](T &o) { (o.*set)(!def); }, def ? "True" : "False", copied};
}

template <typename T, typename E>
Prop<T> EnumProp(const char *name, E (T::*get)() const, void (T::*set)(E), E def, E other,
                 bool copied = true)
{
  return {name, [get](T &o) { return EnumToName((o.*get)()).toStdString(); },
          [set, other](T &o) { (o.*set)(other); }, EnumToName(def).toStdString(), copied};
}

template <typename T, typename V>
Prop<T> ValueProp(const char *name, V (T::*get)() const, void (T::*set)(V), V def, V other,
                  bool copied = true)
{
  return {name, [get](T &o) { return std::to_string((o.*get)()); },
          [set, other](T &o) { (o.*set)(other); }, std::to_string(def), copied};
}

template <typename T>
Prop<T> TextProp(const char *name, QString (T::*get)() const, void (T::*set)(const QString &),
                 const char *def, bool copied = true)
{
  return {name, [get](T &o) { return (o.*get)().toStdString(); },
          [set](T &o) { (o.*set)(QStringLiteral("changed")); }, def, copied};
}

// Every property has its default on a new object, and Assign copies exactly the listed ones.
template <typename T>
void CheckDefaultsAndAssign(const std::function<std::unique_ptr<T>()> &make,
                            const std::vector<Prop<T>> &props)
{
  for (const Prop<T> &p : props) {
    auto fresh = make();
    EXPECT_EQ(p.read(*fresh), p.def) << p.name << " default";

    auto src = make();
    p.change(*src);
    ASSERT_NE(p.read(*src), p.def) << p.name << " change in the table changes nothing";
    auto dst = make();
    dst->Assign(src.get());
    EXPECT_EQ(p.read(*dst), p.copied ? p.read(*src) : p.def) << p.name << " assign";
  }
}

// ---------------------------------------------------------------------------------------------

std::vector<Prop<TSearchFooter>> SearchFooterProps()
{
  using T = TSearchFooter;
  return {
      BoolProp<T>("AlwaysHighLight", &T::AlwaysHighLight, &T::SetAlwaysHighLight, false),
      BoolProp<T>("AutoSearch", &T::AutoSearch, &T::SetAutoSearch, true, false),
      ValueProp<T, TColor>("Color", &T::Color, &T::SetColor, clWhite, clRed),
      ValueProp<T, TColor>("ColorTo", &T::ColorTo, &T::SetColorTo, clBtnFace, clRed),
      TextProp<T>("FindNextCaption", &T::FindNextCaption, &T::SetFindNextCaption, "Find &next"),
      TextProp<T>("FindPrevCaption", &T::FindPrevCaption, &T::SetFindPrevCaption, "Find &previous"),
      {"Font",
       [](T &o) { return std::to_string(o.Font()->Size()); },
       [](T &o) {
         TFont f;
         f.SetSize(31);
         o.SetFont(&f);
       },
       std::to_string(TFont().Size()), true},
      TextProp<T>("HighLightCaption", &T::HighLightCaption, &T::SetHighLightCaption, "Highlight"),
      TextProp<T>("HintClose", &T::HintClose, &T::SetHintClose, "Close"),
      TextProp<T>("HintFindNext", &T::HintFindNext, &T::SetHintFindNext, "Find next occurrence"),
      TextProp<T>("HintFindPrev", &T::HintFindPrev, &T::SetHintFindPrev, "Find previous occurrence"),
      TextProp<T>("HintHighlight", &T::HintHighlight, &T::SetHintHighlight, "Highlight occurrences"),
      TextProp<T>("MatchCaseCaption", &T::MatchCaseCaption, &T::SetMatchCaseCaption, "Match case"),
      BoolProp<T>("SearchActiveColumnOnly", &T::SearchActiveColumnOnly, &T::SetSearchActiveColumnOnly, false),
      ValueProp<T, int>("SearchColumn", &T::SearchColumn, &T::SetSearchColumn, -1, 3),
      BoolProp<T>("SearchMatchStart", &T::SearchMatchStart, &T::SetSearchMatchStart, false),
      BoolProp<T>("SearchFixedCells", &T::SearchFixedCells, &T::SetSearchFixedCells, false, false),
      BoolProp<T>("SearchHiddenRows", &T::SearchHiddenRows, &T::SetSearchHiddenRows, false),
      EnumProp<T>("SearchDirection", &T::SearchDirection, &T::SetSearchDirection, sdTopBottom, sdLeftRight),
      BoolProp<T>("ShowClose", &T::ShowClose, &T::SetShowClose, true),
      BoolProp<T>("ShowFindNext", &T::ShowFindNext, &T::SetShowFindNext, true),
      BoolProp<T>("ShowFindPrev", &T::ShowFindPrev, &T::SetShowFindPrev, true),
      BoolProp<T>("ShowHighLight", &T::ShowHighLight, &T::SetShowHighLight, true),
      BoolProp<T>("ShowMatchCase", &T::ShowMatchCase, &T::SetShowMatchCase, true),
      BoolProp<T>("Visible", &T::Visible, &T::SetVisible, false),
      BoolProp<T>("AutoThemeAdapt", &T::AutoThemeAdapt, &T::SetAutoThemeAdapt, false, false),
      TextProp<T>("LastSearch", &T::LastSearch, &T::SetLastSearch, "", false),
  };
}

TEST(SearchFooter, DefaultsAndAssignExclusions)
{
  CheckDefaultsAndAssign<TSearchFooter>([] { return std::make_unique<TSearchFooter>(nullptr, true); },
                                        SearchFooterProps());
}

TEST(SearchFooter, WithoutInitDesignCaptionsAndHintsAreEmpty)
{
  TSearchFooter f(nullptr, false);
  for (const QString &s : {f.FindNextCaption(), f.FindPrevCaption(), f.HighLightCaption(),
                           f.MatchCaseCaption(), f.HintClose(), f.HintFindNext(), f.HintFindPrev(),
                           f.HintHighlight()})
    EXPECT_TRUE(s.isEmpty());
  EXPECT_EQ(f.SearchColumn(), -1);  // the other defaults do not depend on it
}

TEST(SearchFooter, WritersNotifyAsListed)
{
  struct Case {
    const char *name;
    std::function<void(TSearchFooter &)> op;
    int changes;
  };
  TFont font;
  const Case cases[] = {
      // Stored and reported only when changed.
      {"ShowFindNext same", [](TSearchFooter &f) { f.SetShowFindNext(true); }, 0},
      {"ShowFindNext changed", [](TSearchFooter &f) { f.SetShowFindNext(false); }, 1},
      {"ShowFindPrev changed", [](TSearchFooter &f) { f.SetShowFindPrev(false); }, 1},
      {"ShowHighLight same", [](TSearchFooter &f) { f.SetShowHighLight(true); }, 0},
      {"ShowMatchCase changed", [](TSearchFooter &f) { f.SetShowMatchCase(false); }, 1},
      {"Visible same", [](TSearchFooter &f) { f.SetVisible(false); }, 0},
      {"Visible changed", [](TSearchFooter &f) { f.SetVisible(true); }, 1},
      // Reported on every write.
      {"Color same", [](TSearchFooter &f) { f.SetColor(clWhite); }, 1},
      {"ColorTo same", [](TSearchFooter &f) { f.SetColorTo(clBtnFace); }, 1},
      {"AutoThemeAdapt same", [](TSearchFooter &f) { f.SetAutoThemeAdapt(false); }, 1},
      {"ShowClose same", [](TSearchFooter &f) { f.SetShowClose(true); }, 1},
      {"FindNextCaption same", [](TSearchFooter &f) { f.SetFindNextCaption(""); }, 1},
      {"HintHighlight same", [](TSearchFooter &f) { f.SetHintHighlight(""); }, 1},
      {"Font", [&font](TSearchFooter &f) { f.SetFont(&font); }, 1},
      // Plain fields.
      {"AlwaysHighLight", [](TSearchFooter &f) { f.SetAlwaysHighLight(true); }, 0},
      {"AutoSearch", [](TSearchFooter &f) { f.SetAutoSearch(false); }, 0},
      {"SearchColumn", [](TSearchFooter &f) { f.SetSearchColumn(2); }, 0},
      {"SearchDirection", [](TSearchFooter &f) { f.SetSearchDirection(sdLeftRight); }, 0},
      {"LastSearch", [](TSearchFooter &f) { f.SetLastSearch("x"); }, 0},
  };
  for (const Case &c : cases) {
    TSearchFooter f(nullptr, false);
    int changes = 0;
    f.OnChange = [&](TObject *Sender) {
      EXPECT_EQ(Sender, &f);
      ++changes;
    };
    c.op(f);
    EXPECT_EQ(changes, c.changes) << c.name;
  }
}

TEST(SearchFooter, FontIsCopiedIntoTheOwnedFont)
{
  TSearchFooter f(nullptr, false);
  TFont *owned = f.Font();
  {
    TFont given;
    given.SetName("Courier New");
    f.SetFont(&given);
  }
  EXPECT_EQ(f.Font(), owned);
  EXPECT_EQ(f.Font()->Name(), "Courier New");
}

// ---------------------------------------------------------------------------------------------

std::vector<Prop<TNavigation>> NavigationProps()
{
  using T = TNavigation;
  return {
      BoolProp<T>("AllowInsertRow", &T::AllowInsertRow, &T::SetAllowInsertRow, false),
      BoolProp<T>("AllowDeleteRow", &T::AllowDeleteRow, &T::SetAllowDeleteRow, false),
      BoolProp<T>("AlwaysEdit", &T::AlwaysEdit, &T::SetAlwaysEdit, false),
      BoolProp<T>("AdvanceOnEnter", &T::AdvanceOnEnter, &T::SetAdvanceOnEnter, false),
      BoolProp<T>("AdvanceOnEnterLoop", &T::AdvanceOnEnterLoop, &T::SetAdvanceOnEnterLoop, true),
      BoolProp<T>("AdvanceInsert", &T::AdvanceInsert, &T::SetAdvanceInsert, false),
      BoolProp<T>("AdvanceAutoEdit", &T::AdvanceAutoEdit, &T::SetAdvanceAutoEdit, true),
      BoolProp<T>("AdvanceSkipReadOnlyCells", &T::AdvanceSkipReadOnlyCells, &T::SetAdvanceSkipReadOnlyCells, true),
      BoolProp<T>("AutoGotoWhenSorted", &T::AutoGotoWhenSorted, &T::SetAutoGotoWhenSorted, false),
      BoolProp<T>("AutoGotoIncremental", &T::AutoGotoIncremental, &T::SetAutoGotoIncremental, false),
      BoolProp<T>("AutoComboDropSize", &T::AutoComboDropSize, &T::SetAutoComboDropSize, false),
      EnumProp<T>("AdvanceDirection", &T::AdvanceDirection, &T::SetAdvanceDirection, adLeftRight, adTopBottomInCol),
      BoolProp<T>("AllowClipboardShortCuts", &T::AllowClipboardShortCuts, &T::SetAllowClipboardShortCuts, false),
      BoolProp<T>("AllowCtrlEnter", &T::AllowCtrlEnter, &T::SetAllowCtrlEnter, true),
      BoolProp<T>("AllowSmartClipboard", &T::AllowSmartClipboard, &T::SetAllowSmartClipboard, false),
      BoolProp<T>("AllowRTFClipboard", &T::AllowRTFClipboard, &T::SetAllowRTFClipboard, false),
      BoolProp<T>("AllowFmtClipboard", &T::AllowFmtClipboard, &T::SetAllowFmtClipboard, false),
      BoolProp<T>("AllowClipboardAlways", &T::AllowClipboardAlways, &T::SetAllowClipboardAlways, false),
      BoolProp<T>("AllowClipboardRowGrow", &T::AllowClipboardRowGrow, &T::SetAllowClipboardRowGrow, true),
      BoolProp<T>("AllowClipboardColGrow", &T::AllowClipboardColGrow, &T::SetAllowClipboardColGrow, true),
      BoolProp<T>("AdvanceAuto", &T::AdvanceAuto, &T::SetAdvanceAuto, false),
      BoolProp<T>("AppendOnArrowDown", &T::AppendOnArrowDown, &T::SetAppendOnArrowDown, false),
      BoolProp<T>("EditSelectAll", &T::EditSelectAll, &T::SetEditSelectAll, true),
      EnumProp<T>("InsertPosition", &T::InsertPosition, &T::SetInsertPosition, pInsertBefore, pInsertAfter),
      EnumProp<T>("ClipboardPasteAction", &T::ClipboardPasteAction, &T::SetClipboardPasteAction, paReplace, paInsert),
      BoolProp<T>("ComboGetUpDown", &T::ComboGetUpDown, &T::SetComboGetUpDown, true),
      EnumProp<T>("CursorAdvance", &T::CursorAdvance, &T::SetCursorAdvance, caDefault, caLoop),
      BoolProp<T>("CursorWalkEditor", &T::CursorWalkEditor, &T::SetCursorWalkEditor, false),
      BoolProp<T>("CursorWalkAlwaysEdit", &T::CursorWalkAlwaysEdit, &T::SetCursorWalkAlwaysEdit, true),
      BoolProp<T>("CursorMoveRows", &T::CursorMoveRows, &T::SetCursorMoveRows, false),
      BoolProp<T>("MoveRowOnSort", &T::MoveRowOnSort, &T::SetMoveRowOnSort, false),
      BoolProp<T>("KeepScrollOnSort", &T::KeepScrollOnSort, &T::SetKeepScrollOnSort, false, false),
      BoolProp<T>("MoveScrollOnly", &T::MoveScrollOnly, &T::SetMoveScrollOnly, false),
      BoolProp<T>("ImproveMaskSel", &T::ImproveMaskSel, &T::SetImproveMaskSel, false),
      BoolProp<T>("LeftRightRowSelect", &T::LeftRightRowSelect, &T::SetLeftRightRowSelect, true),
      BoolProp<T>("CopyHTMLTagsToClipboard", &T::CopyHTMLTagsToClipboard, &T::SetCopyHTMLTagsToClipboard, true),
      BoolProp<T>("KeepHorizScroll", &T::KeepHorizScroll, &T::SetKeepHorizScroll, false),
      BoolProp<T>("LineFeedOnEnter", &T::LineFeedOnEnter, &T::SetLineFeedOnEnter, false),
      EnumProp<T>("HomeEndKey", &T::HomeEndKey, &T::SetHomeEndKey, heFirstLastColumn, heFirstLastCell),
      BoolProp<T>("SkipFixedCells", &T::SkipFixedCells, &T::SetSkipFixedCells, true),
      BoolProp<T>("SkipDisabledRows", &T::SkipDisabledRows, &T::SetSkipDisabledRows, true),
      BoolProp<T>("TabToNextAtEnd", &T::TabToNextAtEnd, &T::SetTabToNextAtEnd, false),
      EnumProp<T>("TabAdvanceDirection", &T::TabAdvanceDirection, &T::SetTabAdvanceDirection, adLeftRight, adTopBottom),
  };
}

TEST(Navigation, DefaultsAndAssignExclusions)
{
  CheckDefaultsAndAssign<TNavigation>([] { return std::make_unique<TNavigation>(); }, NavigationProps());
}

TEST(Navigation, WriterSideEffects)
{
  struct Case {
    const char *name;
    std::function<void(TNavigation &)> op;
    int changes;
    bool advanceOnEnter;
  };
  const Case cases[] = {
      {"AdvanceDirection same", [](TNavigation &n) { n.SetAdvanceDirection(adLeftRight); }, 0, false},
      {"AdvanceDirection changed", [](TNavigation &n) { n.SetAdvanceDirection(adTopBottom); }, 1, false},
      {"AdvanceInsert same", [](TNavigation &n) { n.SetAdvanceInsert(false); }, 0, false},
      {"AdvanceInsert changed", [](TNavigation &n) { n.SetAdvanceInsert(true); }, 1, false},
      {"AdvanceAuto on", [](TNavigation &n) { n.SetAdvanceAuto(true); }, 0, true},
      {"AdvanceAuto off keeps AdvanceOnEnter on",
       [](TNavigation &n) {
         n.SetAdvanceAuto(true);
         n.SetAdvanceAuto(false);
       },
       0, true},
      {"AdvanceAuto off keeps AdvanceOnEnter off", [](TNavigation &n) { n.SetAdvanceAuto(false); }, 0, false},
      {"TabAdvanceDirection is plain", [](TNavigation &n) { n.SetTabAdvanceDirection(adTopBottom); }, 0, false},
      {"AlwaysEdit is plain", [](TNavigation &n) { n.SetAlwaysEdit(true); }, 0, false},
  };
  for (const Case &c : cases) {
    TNavigation n;
    int changes = 0;
    n.OnChange = [&](TObject *) { ++changes; };
    c.op(n);
    EXPECT_EQ(changes, c.changes) << c.name;
    EXPECT_EQ(n.AdvanceOnEnter(), c.advanceOnEnter) << c.name;
  }
}

// ---------------------------------------------------------------------------------------------

std::vector<Prop<TMouseActions>> MouseActionsProps()
{
  using T = TMouseActions;
  return {
      BoolProp<T>("AllColumnSize", &T::AllColumnSize, &T::SetAllColumnSize, false),
      BoolProp<T>("AllRowSize", &T::AllRowSize, &T::SetAllRowSize, false),
      BoolProp<T>("AllSelect", &T::AllSelect, &T::SetAllSelect, false),
      BoolProp<T>("AutoSizeColOnDblClick", &T::AutoSizeColOnDblClick, &T::SetAutoSizeColOnDblClick, true),
      BoolProp<T>("CaretPositioning", &T::CaretPositioning, &T::SetCaretPositioning, false),
      BoolProp<T>("CheckAllCheck", &T::CheckAllCheck, &T::SetCheckAllCheck, false),
      BoolProp<T>("ColSelect", &T::ColSelect, &T::SetColSelect, false),
      BoolProp<T>("DirectComboClose", &T::DirectComboClose, &T::SetDirectComboClose, false),
      BoolProp<T>("DirectComboDrop", &T::DirectComboDrop, &T::SetDirectComboDrop, false),
      BoolProp<T>("DirectDateClose", &T::DirectDateClose, &T::SetDirectDateClose, false),
      BoolProp<T>("DirectDateDrop", &T::DirectDateDrop, &T::SetDirectDateDrop, false),
      BoolProp<T>("DirectEdit", &T::DirectEdit, &T::SetDirectEdit, false),
      BoolProp<T>("DisjunctRowSelect", &T::DisjunctRowSelect, &T::SetDisjunctRowSelect, false),
      BoolProp<T>("DisjunctRowSelectNoCtrl", &T::DisjunctRowSelectNoCtrl, &T::SetDisjunctRowSelectNoCtrl, false),
      BoolProp<T>("DisjunctColSelect", &T::DisjunctColSelect, &T::SetDisjunctColSelect, false),
      BoolProp<T>("DisjunctCellSelect", &T::DisjunctCellSelect, &T::SetDisjunctCellSelect, false),
      BoolProp<T>("EditOnDblClickOnly", &T::EditOnDblClickOnly, &T::SetEditOnDblClickOnly, false, false),
      EnumProp<T>("FixedRowsEdit", &T::FixedRowsEdit, &T::SetFixedRowsEdit, fceNone, fceDblClick),
      EnumProp<T>("FixedRowsEditor", &T::FixedRowsEditor, &T::SetFixedRowsEditor, fceEdit, fceComboList),
      EnumProp<T>("FixedColsEditor", &T::FixedColsEditor, &T::SetFixedColsEditor, fceEdit, fceComboEdit),
      EnumProp<T>("FixedColsEdit", &T::FixedColsEdit, &T::SetFixedColsEdit, fceNone, fceRightClick),
      {"FixedComboValues",
       [](T &o) { return o.FixedComboValues()->CommaText().toStdString(); },
       [](T &o) {
         TStringList l;
         l.Add("a");
         l.Add("b");
         o.SetFixedComboValues(&l);
       },
       "", false},
      BoolProp<T>("HotmailRowSelect", &T::HotmailRowSelect, &T::SetHotmailRowSelect, false, false),
      BoolProp<T>("MoveRowOnNodeClick", &T::MoveRowOnNodeClick, &T::SetMoveRowOnNodeClick, false),
      BoolProp<T>("NoAutoRangeScroll", &T::NoAutoRangeScroll, &T::SetNoAutoRangeScroll, false),
      BoolProp<T>("NodeAllExpandContract", &T::NodeAllExpandContract, &T::SetNodeAllExpandContract, false),
      BoolProp<T>("NoScrollOnPartialRow", &T::NoScrollOnPartialRow, &T::SetNoScrollOnPartialRow, false),
      BoolProp<T>("PreciseCheckBoxCheck", &T::PreciseCheckBoxCheck, &T::SetPreciseCheckBoxCheck, false),
      BoolProp<T>("PreciseNodeClick", &T::PreciseNodeClick, &T::SetPreciseNodeClick, true),
      BoolProp<T>("RangeSelectAndEdit", &T::RangeSelectAndEdit, &T::SetRangeSelectAndEdit, false),
      BoolProp<T>("RowSelect", &T::RowSelect, &T::SetRowSelect, false),
      BoolProp<T>("RowSelectPersistent", &T::RowSelectPersistent, &T::SetRowSelectPersistent, false),
      BoolProp<T>("SelectOnRightClick", &T::SelectOnRightClick, &T::SetSelectOnRightClick, false),
      BoolProp<T>("SizeFixedCol", &T::SizeFixedCol, &T::SetSizeFixedCol, false),
      BoolProp<T>("SizeFixedRow", &T::SizeFixedRow, &T::SetSizeFixedRow, false, false),
      ValueProp<T, int>("WheelIncrement", &T::WheelIncrement, &T::SetWheelIncrement, 0, 3),
      EnumProp<T>("WheelAction", &T::WheelAction, &T::SetWheelAction, waMoveSelection, waScroll),
  };
}

TEST(MouseActions, DefaultsAndAssignExclusions)
{
  CheckDefaultsAndAssign<TMouseActions>([] { return std::make_unique<TMouseActions>(nullptr); },
                                        MouseActionsProps());
}

TEST(MouseActions, AssignWritesFieldsWithoutSideEffects)
{
  TMouseActions src(nullptr), dst(nullptr);
  src.SetDisjunctRowSelect(true);
  src.SetDisjunctColSelect(true);
  src.SetWheelAction(waScroll);
  int events = 0;
  dst.OnChange = dst.OnInvalidate = dst.OnDisableEdit = [&](TObject *) { ++events; };
  dst.OnIsDesigning = [](TObject *, bool &d) { d = true; };
  dst.Assign(&src);
  EXPECT_TRUE(dst.DisjunctRowSelect());
  EXPECT_TRUE(dst.DisjunctColSelect());
  EXPECT_EQ(dst.WheelAction(), waScroll);
  EXPECT_EQ(events, 0);
}

TEST(MouseActions, WriterSideEffects)
{
  struct Case {
    const char *name;
    bool designing;
    std::function<void(TMouseActions &)> op;
    // Disjunct row, column and cell selection, CheckAllCheck afterwards.
    bool row, col, cell, checkAll;
    int changes, invalidates, disableEdits;
  };
  auto allThree = [](TMouseActions &m) {
    m.SetDisjunctRowSelect(true);
    m.SetDisjunctColSelect(true);
    m.SetDisjunctCellSelect(true);
  };
  const Case cases[] = {
      {"disjunct selections combine at run time", false, allThree, true, true, true, false, 0, 0, 0},
      {"the last disjunct selection wins at design time", true, allThree, false, false, true, false, 0, 0, 0},
      {"row selection at design time clears the others", true,
       [](TMouseActions &m) {
         m.SetDisjunctRowSelectDirect(false);
         m.SetDisjunctColSelect(true);
         m.SetDisjunctCellSelect(true);
         m.SetDisjunctRowSelect(true);
       },
       true, false, false, false, 0, 0, 0},
      {"switching off at design time clears nothing", true,
       [](TMouseActions &m) {
         m.SetDisjunctColSelect(true);
         m.SetDisjunctRowSelect(false);
       },
       false, true, false, false, 0, 0, 0},
      {"the direct writer has no side effect at design time", true,
       [](TMouseActions &m) {
         m.SetDisjunctColSelect(true);
         m.SetDisjunctRowSelectDirect(true);
       },
       true, true, false, false, 0, 0, 0},
      {"hotmail selection on", false, [](TMouseActions &m) { m.SetHotmailRowSelect(true); },
       true, false, false, true, 0, 1, 0},
      {"hotmail selection off", false, [](TMouseActions &m) { m.SetHotmailRowSelect(false); },
       false, false, false, false, 0, 1, 0},
      {"edit on double click only on", false, [](TMouseActions &m) { m.SetEditOnDblClickOnly(true); },
       false, false, false, false, 0, 0, 1},
      {"edit on double click only off", false, [](TMouseActions &m) { m.SetEditOnDblClickOnly(false); },
       false, false, false, false, 0, 0, 0},
      {"wheel action same", false, [](TMouseActions &m) { m.SetWheelAction(waMoveSelection); },
       false, false, false, false, 0, 0, 0},
      {"wheel action changed", false, [](TMouseActions &m) { m.SetWheelAction(waScroll); },
       false, false, false, false, 1, 0, 0},
      {"row select is plain", false, [](TMouseActions &m) { m.SetRowSelect(true); },
       false, false, false, false, 0, 0, 0},
  };
  for (const Case &c : cases) {
    TMouseActions m(nullptr);
    int changes = 0, invalidates = 0, disableEdits = 0;
    m.OnChange = [&](TObject *) { ++changes; };
    m.OnInvalidate = [&](TObject *) { ++invalidates; };
    m.OnDisableEdit = [&](TObject *) { ++disableEdits; };
    const bool designing = c.designing;
    m.OnIsDesigning = [designing](TObject *, bool &d) { d = designing; };
    c.op(m);
    EXPECT_EQ(m.DisjunctRowSelect(), c.row) << c.name;
    EXPECT_EQ(m.DisjunctColSelect(), c.col) << c.name;
    EXPECT_EQ(m.DisjunctCellSelect(), c.cell) << c.name;
    EXPECT_EQ(m.CheckAllCheck(), c.checkAll) << c.name;
    EXPECT_EQ(changes, c.changes) << c.name;
    EXPECT_EQ(invalidates, c.invalidates) << c.name;
    EXPECT_EQ(disableEdits, c.disableEdits) << c.name;
  }
}

TEST(MouseActions, UnassignedDesignQueryMeansRunTime)
{
  TMouseActions m(nullptr);
  m.SetDisjunctRowSelect(true);
  m.SetDisjunctColSelect(true);
  EXPECT_TRUE(m.DisjunctRowSelect());
  EXPECT_TRUE(m.DisjunctColSelect());
}

TEST(MouseActions, FixedComboValuesAreCopied)
{
  TMouseActions m(nullptr);
  TStringList given;
  given.Add("one");
  m.SetFixedComboValues(&given);
  given.Add("two");
  EXPECT_NE(m.FixedComboValues(), static_cast<TStrings *>(&given));
  EXPECT_EQ(m.FixedComboValues()->CommaText(), "one");
}

// ---------------------------------------------------------------------------------------------

std::vector<Prop<TBands>> BandsProps()
{
  using T = TBands;
  return {
      BoolProp<T>("Active", &T::Active, &T::SetActive, false),
      ValueProp<T, TColor>("PrimaryColor", &T::PrimaryColor, &T::SetPrimaryColor, clInfoBk, clRed),
      ValueProp<T, int>("PrimaryLength", &T::PrimaryLength, &T::SetPrimaryLength, 1, 3),
      ValueProp<T, TColor>("SecondaryColor", &T::SecondaryColor, &T::SetSecondaryColor, clWindow, clRed),
      ValueProp<T, int>("SecondaryLength", &T::SecondaryLength, &T::SetSecondaryLength, 1, 4),
      BoolProp<T>("Print", &T::Print, &T::SetPrint, false),
      {"TotalLength", [](T &o) { return std::to_string(o.TotalLength()); },
       [](T &o) { o.SetPrimaryLength(5); }, "2", true},
  };
}

TEST(Bands, DefaultsAndAssign)
{
  CheckDefaultsAndAssign<TBands>([] { return std::make_unique<TBands>(); }, BandsProps());
}

TEST(Bands, WritersNotifyOnlyWhileActive)
{
  struct Case {
    const char *name;
    bool active;
    std::function<void(TBands &)> op;
    int changes;
    int total;
  };
  const Case cases[] = {
      {"activate", false, [](TBands &b) { b.SetActive(true); }, 1, 2},
      {"active same", true, [](TBands &b) { b.SetActive(true); }, 0, 2},
      {"primary colour inactive", false, [](TBands &b) { b.SetPrimaryColor(clRed); }, 0, 2},
      {"primary colour active", true, [](TBands &b) { b.SetPrimaryColor(clRed); }, 1, 2},
      {"primary colour same", true, [](TBands &b) { b.SetPrimaryColor(clInfoBk); }, 0, 2},
      {"secondary colour active", true, [](TBands &b) { b.SetSecondaryColor(clRed); }, 1, 2},
      {"primary length inactive", false, [](TBands &b) { b.SetPrimaryLength(3); }, 0, 4},
      {"primary length active", true, [](TBands &b) { b.SetPrimaryLength(3); }, 1, 4},
      {"secondary length same", true, [](TBands &b) { b.SetSecondaryLength(1); }, 0, 2},
      {"secondary length negative", false, [](TBands &b) { b.SetSecondaryLength(-3); }, 0, -2},
      {"print is plain", true, [](TBands &b) { b.SetPrint(true); }, 0, 2},
  };
  for (const Case &c : cases) {
    TBands b;
    b.SetActive(c.active);
    int changes = 0;
    b.OnChange = [&](TObject *) { ++changes; };
    c.op(b);
    EXPECT_EQ(changes, c.changes) << c.name;
    EXPECT_EQ(b.TotalLength(), c.total) << c.name;
  }
}

TEST(Bands, AssignCopiesPrintAndTotalLengthSilently)
{
  TBands src, dst;
  src.SetPrint(true);
  src.SetPrimaryLength(2);
  src.SetSecondaryLength(5);
  int changes = 0;
  dst.OnChange = [&](TObject *) { ++changes; };
  dst.Assign(&src);
  EXPECT_TRUE(dst.Print());
  EXPECT_EQ(dst.TotalLength(), 7);
  EXPECT_EQ(changes, 0);
}

// The painter's banding rule, with lengths whose sum is below 1 switching banding off rather
// than dividing by zero, and a negative length painting no rows.
TEST(Bands, BandColorPerRow)
{
  constexpr TColor P = clYellow, S = clAqua;
  struct Case {
    int primary, secondary;
    std::vector<TColor> rows;  // rows 1.. below one fixed row; 0 = banding off
  };
  const Case cases[] = {
      {1, 1, {P, S, P, S}},
      {2, 1, {P, P, S, P}},
      {1, 3, {P, S, S, S, P}},
      {0, 0, {0, 0}},
      {-1, 1, {0, 0}},
      {1, -5, {0, 0}},
      {3, -1, {P, P, P, P}},
      {-2, 3, {S, S, S}},
      {0, 2, {S, S}},
  };
  for (const Case &c : cases) {
    TBands b;
    b.SetActive(true);
    b.SetPrimaryColor(P);
    b.SetSecondaryColor(S);
    b.SetPrimaryLength(c.primary);
    b.SetSecondaryLength(c.secondary);
    for (int i = 0; i < int(c.rows.size()); ++i) {
      TColor got = 0;
      const bool banded = b.GetBandColor(i + 1, 1, false, got);
      EXPECT_EQ(banded, c.rows[i] != 0) << c.primary << "/" << c.secondary << " row " << i + 1;
      EXPECT_EQ(got, c.rows[i]) << c.primary << "/" << c.secondary << " row " << i + 1;
    }
  }
}

TEST(Bands, BandingNeedsActiveANormalRowAndPrintForPrinting)
{
  TBands b;
  TColor got = clNone;
  EXPECT_FALSE(b.GetBandColor(3, 1, false, got));  // inactive
  b.SetActive(true);
  EXPECT_FALSE(b.GetBandColor(0, 1, false, got));  // fixed row
  EXPECT_FALSE(b.GetBandColor(1, 1, true, got));   // printing without Print
  EXPECT_EQ(got, clNone);
  b.SetPrint(true);
  EXPECT_TRUE(b.GetBandColor(1, 1, true, got));
  EXPECT_EQ(got, clInfoBk);
  EXPECT_TRUE(b.GetBandColor(2, 1, false, got));
  EXPECT_EQ(got, clWindow);
}

// ---------------------------------------------------------------------------------------------

TEST(SyncGrid, DefaultsAndAssign)
{
  TStringGrid owner(nullptr), other(nullptr);
  using T = TSyncGrid;
  std::vector<Prop<T>> props = {
      {"Grid", [](T &o) { return std::string(o.Grid() ? "set" : "nil"); },
       [&other](T &o) { o.SetGrid(&other); }, "nil", true},
      BoolProp<T>("ScrollVertical", &T::ScrollVertical, &T::SetScrollVertical, false),
      BoolProp<T>("ScrollHorizontal", &T::ScrollHorizontal, &T::SetScrollHorizontal, false),
      BoolProp<T>("SelectionColumn", &T::SelectionColumn, &T::SetSelectionColumn, false),
      BoolProp<T>("SelectionRow", &T::SelectionRow, &T::SetSelectionRow, false),
      BoolProp<T>("MoveColumn", &T::MoveColumn, &T::SetMoveColumn, false),
      BoolProp<T>("MoveRow", &T::MoveRow, &T::SetMoveRow, false),
  };
  CheckDefaultsAndAssign<T>([&owner] { return std::make_unique<T>(&owner); }, props);
}

TEST(SyncGrid, AGridIsNeverSynchronisedWithItself)
{
  TStringGrid owner(nullptr), other(nullptr), third(nullptr);
  TSyncGrid s(&owner);
  s.SetGrid(&other);
  s.SetGrid(&owner);
  EXPECT_EQ(s.Grid(), &other);

  // Assign goes through the same writer.
  TSyncGrid thirdsSync(&third);
  thirdsSync.SetGrid(&owner);
  s.Assign(&thirdsSync);
  EXPECT_EQ(s.Grid(), &other);

  s.SetGrid(nullptr);
  EXPECT_EQ(s.Grid(), nullptr);
}

TEST(FocusHelper, DefaultAndAssign)
{
  using T = TFocusHelper;
  CheckDefaultsAndAssign<T>([] { return std::make_unique<T>(nullptr); },
                            {BoolProp<T>("Enabled", &T::Enabled, &T::SetEnabled, false)});
}

// Assign takes nothing from an object of another class.
TEST(GridOptions, AssignFromAnotherClassDoesNothing)
{
  TBands bands;
  TNavigation nav;
  nav.SetAlwaysEdit(true);
  TSearchFooter footer(nullptr, true);
  TMouseActions mouse(nullptr);
  TFocusHelper focus(nullptr);
  TSyncGrid sync(nullptr);

  bands.Assign(&nav);
  nav.Assign(&bands);
  footer.Assign(&mouse);
  mouse.Assign(&footer);
  focus.Assign(&sync);
  sync.Assign(&focus);

  EXPECT_FALSE(bands.Active());
  EXPECT_TRUE(nav.AlwaysEdit());
  EXPECT_EQ(footer.HintClose(), "Close");
  EXPECT_TRUE(mouse.PreciseNodeClick());
}

}  // namespace
