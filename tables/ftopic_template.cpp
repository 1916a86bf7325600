#include "tables/ftopic_template.h"

#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_options.h"
#include "project/app_state.h"
#include "ui/bands.h"
#include "ui/lang_text.h"
#include "ui/lbbutton.h"

TFTopicTemplate *FTopicTemplate = nullptr;

namespace {

constexpr int Client_Width = 635;
constexpr int Client_Height = 396;
constexpr int Title_Height = 69;
constexpr int Button_Height = 40;
constexpr int Legend_Height = 108;
constexpr int Splitter_Height = 3;

}  // namespace

TFTopicTemplate::TFTopicTemplate(TComponent *AOwner) : TLangForm(AOwner)
{
  SetName(QStringLiteral("FTopicTemplate"));
  SetBorderStyle(bsSizeable);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetColor(Form_Color);
  Font()->SetName(QStringLiteral("Tahoma"));
  Font()->SetSize(8);
  SetClientSize(Client_Width, Client_Height);

  const TTitleBand Title = Make_Title_Band(this);
  P_Title = Title.P_Title;
  L_SW_Code = Title.L_SW_Code;
  L_SW_Desc = Title.L_SW_Desc;

  // Bottom bands stack by position: the buttons lowest, the legend above them, the splitter
  // right above the legend.
  P_Button = Make_Button_Band(this);
  Btn_OK = Make_Dialog_Button(this, P_Button, QStringLiteral("Btn_OK"), 16, 7, 100);
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel = Make_Dialog_Button(this, P_Button, QStringLiteral("Btn_Cancel"), Client_Width - 16 - 100, 7, 100);
  Btn_Cancel->SetAnchors(TAnchors{akTop, akRight});
  Btn_Cancel->SetModalResult(mrCancel);

  const int Legend_Top = Client_Height - Button_Height - Legend_Height;
  P_Legend = new TPanel(this);
  P_Legend->SetName(QStringLiteral("P_Legend"));
  P_Legend->SetParent(this);
  P_Legend->SetBevelOuter(bvNone);
  P_Legend->SetCaption(QString());
  P_Legend->SetBounds(0, Legend_Top, Client_Width, Legend_Height);
  P_Legend->SetAlign(alBottom);
  L_List_Keywords = Make_Dialog_Label(this, P_Legend, QStringLiteral("L_List_Keywords"), 8, 4);
  L_List_Keywords->Font()->SetStyle(TFontStyles{fsBold});

  ZSG_Keywords = new TZavStringGrid(this);
  ZSG_Keywords->SetName(QStringLiteral("ZSG_Keywords"));
  ZSG_Keywords->SetParent(P_Legend);
  ZSG_Keywords->SetBounds(8, 22, Client_Width - 16, Legend_Height - 30);
  ZSG_Keywords->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  ZSG_Keywords->SetColCount(2);
  ZSG_Keywords->SetRowCount(2);
  ZSG_Keywords->SetFixedCols(0);
  ZSG_Keywords->SetFixedRows(1);
  ZSG_Keywords->SetColWidths(0, 200);
  ZSG_Keywords->SetColWidths(1, 380);
  ZSG_Keywords->SetOptions(ZSG_Keywords->Options() + goEditing);

  Splitter1 = new TSplitter(this);
  Splitter1->SetName(QStringLiteral("Splitter1"));
  Splitter1->SetAlign(alBottom);
  Splitter1->SetBounds(0, Legend_Top - Splitter_Height, Client_Width, Splitter_Height);
  Splitter1->SetParent(this);

  Panel1 = new TPanel(this);
  Panel1->SetName(QStringLiteral("Panel1"));
  Panel1->SetParent(this);
  Panel1->SetBevelOuter(bvNone);
  Panel1->SetCaption(QString());
  Panel1->SetAlign(alClient);
  RE_TopicTemplate = new TRichEdit(this);
  RE_TopicTemplate->SetName(QStringLiteral("RE_TopicTemplate"));
  RE_TopicTemplate->SetParent(Panel1);
  RE_TopicTemplate->SetBounds(8, 8, Panel1->Width() - 16, Panel1->Height() - 16);
  RE_TopicTemplate->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  RE_TopicTemplate->SetPlainText(true);
  RE_TopicTemplate->SetScrollBars(ssVertical);
  RE_TopicTemplate->Font()->SetName(QStringLiteral("Tahoma"));
  RE_TopicTemplate->Font()->SetHeight(-11);
  RE_TopicTemplate->SetTabStop(true);

  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  OnShow = [this](TObject *Sender) { FormShow(Sender); };
}

void TFTopicTemplate::FormCreate(TObject *)
{
  L_SW_Code->SetCaption(AppState().Software_Code);
  SetClientSize(Client_Width, Client_Height);
  Set_Lang();
}

void TFTopicTemplate::Set_Lang()
{
  SetCaption(Lang_Text(2400));
  L_SW_Desc->SetCaption(Lang_Text(2402));
  L_List_Keywords->SetCaption(Lang_Text(2404));
  ZSG_Keywords->SetCells(0, 0, Lang_Text(2405));
  ZSG_Keywords->SetCells(1, 0, Lang_Text(2406));
  Btn_OK->SetCaption(Lang_Text(2407));
  Btn_Cancel->SetCaption(Lang_Text(2408));
}

void TFTopicTemplate::FormShow(TObject *)
{
  const bool Template = TopicTemplate != 0;
  SetCaption(Lang_Text(Template ? 2401 : 2400));
  L_SW_Desc->SetCaption(Lang_Text(Template ? 2403 : 2402));
  Laod_Keywords();
  if (RE_TopicTemplate->CanFocus())
    RE_TopicTemplate->SetFocus();
}

void TFTopicTemplate::Laod_Keywords()
{
  ZSG_Keywords->SetRowCount(2);
  ZSG_Keywords->SetCells(0, 1, QString());
  ZSG_Keywords->SetCells(1, 1, QString());
  ZSG_Keywords->CellProperties(0, 1)->SetReadOnly(false);
  ZSG_Keywords->CellProperties(1, 1)->SetReadOnly(true);
}
