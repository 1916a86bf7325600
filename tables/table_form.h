#pragma once
// The base of the access-table forms: the title band, the six buttons, a page control with a
// tab and a grid per table (or one grid filling the form), and the handlers every table form
// shares. A form passes its description to the constructor and adds its own checks and
// departures in its own file.
#include <QString>

#include <memory>
#include <vector>

#include "tables/table_desc.h"
#include "tables/table_data.h"
#include "ui/form_base.h"

class TLabel;
class TLbButton;
class TPageControl;
class TPanel;
class TStringList;
class TTabSheet;
class TXMLDocument;
class TZavColumnGrid;
class TZavStringGrid;

class TTableForm : public TLangForm {
public:
  TTableForm(TComponent *AOwner, TTableFormDesc ADesc);
  ~TTableForm() override;

  // Bound at construction: OnCreate, OnShow, the buttons' and the grids' events (the grid
  // events the description leaves unbound do nothing here either).
  virtual void FormCreate(TObject *Sender);
  virtual void FormShow(TObject *Sender);
  virtual void Btn_OKClick(TObject *Sender);
  virtual void Btn_DelRowClick(TObject *Sender);
  virtual void Btn_InsRowClick(TObject *Sender);
  virtual void Btn_CopyRowClick(TObject *Sender);
  virtual void Btn_PasteRowClick(TObject *Sender);
  virtual void ClickCell(TObject *Sender, int ARow, int ACol);
  virtual void DblClickCell(TObject *Sender, int ARow, int ACol);
  virtual void KeyPress(TObject *Sender, QChar &Key);
  virtual void GridHint(TObject *Sender, int ARow, int ACol, QString &HintStr);
  // Bound only where the description asks: the editor kind and items of a plain grid's
  // drop-down columns, a column's combo-change hook, the renumbering after an Enable click.
  virtual void GetEditorType(TObject *Sender, int ACol, int ARow, TEditorType &AEditor);
  virtual void ComboChange(TObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection);
  virtual void CheckBoxClick(TObject *Sender, int ACol, int ARow, bool State);
  // True when every row in use passes its checks; otherwise the first failure is shown.
  virtual bool Controllo_dati();
  void Set_Lang() override;

  // The steps of FormShow, in this order; a form overrides the one it departs in.
  // Every grid back to its data rows, hidden columns and reset texts; the copy flags cleared.
  virtual void Show_Reset();
  // The first tab shown.
  virtual void Show_First_Page();
  // The data-array sizes and the position drop-downs (a table size chosen per showing goes here,
  // through Set_Table_Rows).
  virtual void Show_Sizes();
  // The table file into the grids (after the reset). A file that exists but did not load
  // completely (also one with more rows than the size chosen at this showing) is reported to
  // the user, and OK then asks before replacing it.
  virtual void Load_Table();
  // After the load: Rows_Changed for every grid.
  virtual void Show_Done();
  // After the load and every row button on grid Index: what the form derives from the rows
  // (the enabled rows' numbers here) is set again.
  virtual void Rows_Changed(int Index);
  // The grid's data rows at this showing (at most the description's Data_Rows).
  void Set_Table_Rows(int Index, int Rows);
  // The grids into the table file; raises when it cannot be written.
  void Save_Table();

  const TTableFormDesc &Desc() const { return FDesc; }
  int Grid_Count() const { return int(FGrids.size()); }
  TZavStringGrid *Grid(int Index) const { return FGrids[size_t(Index)].Grid; }
  // The grid as a column grid; nullptr for a plain string grid.
  TZavColumnGrid *Column_Grid(int Index) const;
  TTabSheet *Sheet(int Index) const { return FGrids[size_t(Index)].Sheet; }
  TStringList *Hint_List(int Index) const { return FGrids[size_t(Index)].Hint.get(); }
  // True when the row clipboard holds a row copied from that grid during this showing.
  bool Do_Copy(int Index) const { return FGrids[size_t(Index)].Do_Copy; }
  void Set_Do_Copy(int Index, bool Value) { FGrids[size_t(Index)].Do_Copy = Value; }
  // Positions a "Position" cell of that grid may address (0 to size - 1).
  int Data_Size(int Index) const { return FGrids[size_t(Index)].Data_Size; }
  void Set_Data_Size(int Index, int Value) { FGrids[size_t(Index)].Data_Size = Value; }
  // The index of the grid on the shown tab (0 in a single-grid form), and of a grid.
  int Active_Grid() const;
  int Grid_Index(TObject *Grid) const;
  // False after a load that stopped early, until the file is written.
  bool Load_Complete() const { return FLoad_Complete; }

  TPanel *P_Title = nullptr;
  TLabel *L_SW_Code = nullptr;
  TLabel *L_SW_Desc = nullptr;
  TPanel *P_Button = nullptr;
  TLbButton *Btn_OK = nullptr;
  TLbButton *Btn_Cancel = nullptr;
  TLbButton *Btn_DelRow = nullptr;
  TLbButton *Btn_InsRow = nullptr;
  TLbButton *Btn_CopyRow = nullptr;
  TLbButton *Btn_PasteRow = nullptr;
  TPageControl *PageControl1 = nullptr;  // nullptr in single-grid forms
  TXMLDocument *XML1 = nullptr;

protected:
  QString File_Path() const;
  // The description of grid Index's real column ACol; nullptr when it has none.
  const TColumnDesc *Column_Desc(int Index, int ACol) const;
  std::vector<TZavStringGrid *> Grid_List() const;

private:
  struct TTableGrid {
    TZavStringGrid *Grid = nullptr;
    TTabSheet *Sheet = nullptr;
    std::unique_ptr<TStringList> Hint;
    bool Do_Copy = false;
    int Data_Size = 0;
    int Rows = 0;  // data rows at this showing
  };
  void Make_Grid(size_t Index);
  void Fill_Position_Items();

  TTableFormDesc FDesc;
  std::vector<TTableGrid> FGrids;
  bool FLoad_Complete = true;
};
