// The table forms with full tables. Every form of the list below, with every data row filled:
// the showing that resets the grids and loads the table file, against reading the same rows with
// QXmlStreamReader into plain string vectors (the floor); OK's checks with the save, against
// writing the rows with QXmlStreamWriter from those vectors. OK of the S7 form and of the MQTT
// form (1,024 + 1,024 rows) against a QTableView form over QStandardItemModel doing the same
// checks and the same durable save (QXmlStreamWriter, then the atomic write). Ratios are ours
// over the baseline. At the end, the heap the largest form takes open, against QTableView and
// QStandardItemModel holding the same cells.
#include <QApplication>
#include <QFile>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_ratio.h"
#include "framework/services/atomicfile.h"
#include "framework/services/xmldoc.h"
#include "grid/core/column_grid.h"
#include "project/app_state.h"
#include "project/lang_texts.h"
#include "framework/system/sysutils.h"
#include "project/validators.h"
#include "tables/fbacnet_slave_set_access.h"
#include "tables/fiec61850_variables.h"
#include "tables/fknx_access.h"
#include "tables/fmqtt_set_topic.h"
#include "tables/fopc_ua_server_access.h"
#include "tables/freceivecan.h"
#include "tables/fs7_protocol_set_access.h"
#include "tables/fset_pdo_access.h"
#include "tables/fset_sdo_client_access.h"
#include "tables/fset_sdo_server_access.h"
#include "tables/fsnmp_trap_access.h"
#include "tables/ftls_server_known_cert.h"
#include "tables/ftransmitcan.h"
#include "tables/table_data.h"

#include <malloc.h>

namespace {

using TRows = std::vector<std::vector<QString>>;  // one vector of attribute values per row
struct TSections {
  QString Root;
  std::vector<QString> Names;
  std::vector<std::vector<QString>> Attributes;
  std::vector<TRows> Rows;
};

// The form with both tables full, saved once to give the file every run reads.
class TBenchForm {
public:
  TBenchForm()
  {
    TAppState &S = AppState();
    S.Reset();
    Load_Default_Texts();
    S.Project_Dir = FDir.path();
    S.File_S7_Protocol = FDir.path() + "/S7_Protocol.xml";
    Form = std::make_unique<TFS7_Protocol_Set_Access>(nullptr);
    Form->AfterConstruction();
    Form->Show();
    for (int G = 0; G < 2; ++G) {
      TZavStringGrid *Grid = Form->Grid(G);
      const bool W = G == 1;
      for (int R = 1; R <= 512; ++R) {
        const QStringList Row = {"Y", QStringLiteral("192.168.%1.%2").arg(R % 5).arg(1 + R % 2), "102", "S71500",
                                 "0", "1", "Int", "DB", QString::number(R), "Flags (M) (Merker)",
                                 QString::number(2 * R), "0", "100"};
        for (int C = 0; C < Row.size(); ++C)
          Grid->SetCells(C + 1, R, Row[C]);
        int C = s7cols::cPoll_Time + 1;
        if (W) {
          Grid->SetCells(C++, R, "Y");
          Grid->SetCells(C++, R, "N");
        }
        for (const QString &V : {QString::number(R), QStringLiteral("0"), QStringLiteral("Y"), QStringLiteral("N"),
                                 QStringLiteral("Value %1").arg(R)})
          Grid->SetCells(C++, R, V);
      }
    }
    if (!Form->Controllo_dati())
      std::fprintf(stderr, "the benchmark's rows do not pass the checks\n");
    Form->Save_Table();
  }
  ~TBenchForm()
  {
    Form.reset();
    AppState().Reset();
  }
  QString Path() const { return AppState().File_S7_Protocol; }

  QTemporaryDir FDir;
  std::unique_ptr<TFS7_Protocol_Set_Access> Form;
};

// Freed by main while the application still exists.
std::unique_ptr<TBenchForm> Bench_Form;

TBenchForm &Bench()
{
  if (!Bench_Form)
    Bench_Form = std::make_unique<TBenchForm>();
  return *Bench_Form;
}

// The rows of a table file into vectors: the elements at the rows' depth (under the sections,
// or under the root in tables without sections).
TSections Read_Floor(const QString &Path, bool Sectioned)
{
  TSections S;
  QFile F(Path);
  F.open(QIODevice::ReadOnly);
  QXmlStreamReader X(&F);
  const int Row_Depth = Sectioned ? 3 : 2;
  int Depth = 0;
  while (!X.atEnd()) {
    const QXmlStreamReader::TokenType T = X.readNext();
    if (T == QXmlStreamReader::StartElement) {
      ++Depth;
      if (Depth == 1)
        S.Root = X.name().toString();
      if (Depth == Row_Depth - 1) {
        S.Names.push_back(X.name().toString());
        S.Attributes.emplace_back();
        S.Rows.emplace_back();
      } else if (Depth == Row_Depth) {
        std::vector<QString> Row;
        const QXmlStreamAttributes A = X.attributes();
        Row.reserve(size_t(A.size()));
        if (S.Attributes.back().empty())
          for (const QXmlStreamAttribute &At : A)
            S.Attributes.back().push_back(At.name().toString());
        for (const QXmlStreamAttribute &At : A)
          Row.push_back(At.value().toString());
        S.Rows.back().push_back(std::move(Row));
      }
    } else if (T == QXmlStreamReader::EndElement) {
      --Depth;
    }
  }
  return S;
}

void Write_Floor(const QString &Path, const TSections &S, const QString &Version, bool Sectioned)
{
  QByteArray Out;
  QXmlStreamWriter X(&Out);
  X.writeStartElement(S.Root);
  for (size_t I = 0; I < S.Names.size(); ++I) {
    if (Sectioned)
      X.writeStartElement(S.Names[I]);
    for (const std::vector<QString> &Row : S.Rows[I]) {
      X.writeStartElement("row");
      for (size_t C = 0; C < Row.size(); ++C)
        X.writeAttribute(S.Attributes[I][C], Row[C]);
      X.writeEndElement();
    }
    if (Sectioned)
      X.writeEndElement();
  }
  X.writeEndElement();
  X.writeComment(Version);
  WriteFileAtomicOrRaise(Path, Out);
}

// ---------------------------------------------------------------------------------------------
// Every form, shown with all its data rows filled, and its OK.

// A form of the benchmark: how to make it, the text of a valid cell (grid, column, row), and the
// rows filled per grid (0: every data row).
struct TFormBench {
  const char *Name;
  std::function<std::unique_ptr<TTableForm>()> Make;
  std::function<QString(int Grid, const TColumnDesc &Column, int Row)> Cell;
  int Rows = 0;
};

template <class TForm>
std::unique_ptr<TTableForm> Make_Form()
{
  return std::make_unique<TForm>(nullptr);
}

QString S7_Cell(int Grid, const TColumnDesc &C, int R)
{
  using namespace s7cols;
  const bool W = Grid == 1;
  switch (C.Col) {
  case cEnable: return QStringLiteral("Y");
  case cPLC_Address: return QStringLiteral("192.168.%1.%2").arg(R % 5).arg(1 + R % 2);
  case cPLC_Port: return QStringLiteral("102");
  case cPLC_Type: return QStringLiteral("S71500");
  case cRack: return QStringLiteral("0");
  case cSlot: return QStringLiteral("1");
  case cData_Type: return QStringLiteral("Int");
  case cData_Identifier: return QStringLiteral("DB");
  case cDB_Number: return QString::number(R);
  case cPLC_Area: return QStringLiteral("Flags (M) (Merker)");
  case cPLC_Add: return QString::number(2 * R);
  case cPLC_Bit: return QStringLiteral("0");
  case cPoll_Time: return QStringLiteral("100");
  default: break;
  }
  const int Position = W ? cWrite_Position : cRead_Position;
  if (W && C.Col == cOn_Change)
    return QStringLiteral("Y");
  if (W && C.Col == cOn_CMD)
    return QStringLiteral("N");
  if (C.Col == Position)
    return QString::number(R);
  if (C.Col == Position + 1)
    return QStringLiteral("0");
  if (C.Col == Position + 2)
    return QStringLiteral("Y");
  if (C.Col == Position + 3)
    return QStringLiteral("N");
  return QStringLiteral("Value %1").arg(R);
}

QString MQTT_Cell(int, const TColumnDesc &C, int R)
{
  const QByteArray A = C.Attribute ? C.Attribute : "";
  if (A == "Topic")
    return QStringLiteral("plant/line%1/value%2").arg(R % 7).arg(R);
  if (A == "Retained" || A == "OnChange")
    return QStringLiteral("N");
  if (A == "QoS")
    return QString::number(R % 3);
  if (A == "DataType")
    return R % 2 ? QStringLiteral("Int") : QStringLiteral("Float");
  if (A == "Dimension")
    return QStringLiteral("4");
  if (A == "Position")
    return QString::number(R % 1000);
  if (A == "Template")
    return QStringLiteral("{\"v\":$VALUE$}");
  if (A == "OnTimer")
    return QStringLiteral("Y");
  if (A == "Time")
    return QStringLiteral("1000");
  if (A == "Mnemonic")
    return QStringLiteral("Value %1").arg(R);
  return QString();
}

QString KNX_Cell(int, const TColumnDesc &C, int R)
{
  static const QStringList Row = {"", "Y", "1.1.20", "1/2/3", "Write", "Normal", "None", "N", "N", "N", "Y", "Y",
                                  "1000", "", "No", "1", ""};
  if (C.Col == knxcols::cPosition)
    return QString::number(R % 1500);
  if (C.Col == knxcols::cMnemonic)
    return QStringLiteral("Value %1").arg(R);
  return Row.value(C.Col);
}

QString IEC_Cell(int, const TColumnDesc &C, int R)
{
  static const QStringList Row = {"", "Y", "", "Float", "4", "N", "", "", "None", "2.5", "N", "N", ""};
  if (C.Col == ieccols::cName || C.Col == ieccols::cMnemonic)
    return QStringLiteral("var%1").arg(R);
  if (C.Col == ieccols::cPosition)
    return QString::number(R * 4);
  return Row.value(C.Col);
}

QString Attribute(const TColumnDesc &C) { return QString::fromUtf8(C.Attribute ? C.Attribute : ""); }

// The K-th of a row's byte positions (K from 0), each row taking its own eight bytes.
QString Byte_Position(int R, int K, int Size) { return QString::number((R * 8 + K) % Size); }

QString TLS_Cell(int, const TColumnDesc &C, int R)
{
  if (C.Col == tlscols::cEnable)
    return QStringLiteral("Y");
  if (C.Col == tlscols::cCertificate)
    return QStringLiteral("-----BEGIN CERTIFICATE-----\nMIIB%1kTCCATigAwIBAgIU\n-----END CERTIFICATE-----").arg(R);
  return QStringLiteral("Server %1").arg(R);
}

QString OPC_UA_Cell(int, const TColumnDesc &C, int R)
{
  using namespace opcuacols;
  switch (C.Col) {
  case cEnable: return QStringLiteral("Y");
  case cType: return R % 2 ? QStringLiteral("Int32") : QStringLiteral("Float");
  case cPosition: return QString::number((R * 4) % 1500);
  case cLength: return QStringLiteral("4");
  case cName: return QStringLiteral("ns=1;s=var%1").arg(R);
  case cReadWrite: return QStringLiteral("Read/Write");
  default: return QStringLiteral("Value %1").arg(R);
  }
}

// The receive and transmit frames by attribute: 11-bit identifiers, eight bytes each.
QString CAN_Cell(int, const TColumnDesc &C, int R, int Size)
{
  const QString A = Attribute(C);
  if (A == QLatin1String("Enable") || A == QLatin1String("OnChange") || A == QLatin1String("OnTimer"))
    return QStringLiteral("Y");
  if (A == QLatin1String("OnCMD"))
    return QStringLiteral("N");
  if (A == QLatin1String("COBID"))
    return QString::number(R);
  if (A == QLatin1String("CAN_Type"))
    return QString::fromLatin1(CAN_Type_11_Bits);
  if (A == QLatin1String("Dim"))
    return QStringLiteral("8");
  if (A == QLatin1String("TimeOut") || A == QLatin1String("Time"))
    return QStringLiteral("100");
  if (A.startsWith(QLatin1String("Byte")))
    return Byte_Position(R, A.mid(4).toInt() - 1, Size);
  return QStringLiteral("Frame %1").arg(R);
}

QString SNMP_Cell(int Grid, const TColumnDesc &C, int R)
{
  const QString A = Attribute(C);
  if (A == QLatin1String("Enable") || A == QLatin1String("On_Change"))
    return QStringLiteral("Y");
  if (A == QLatin1String("On_Command") || A == QLatin1String("On_Timer"))
    return QStringLiteral("N");
  if (A == QLatin1String("Community_Name"))
    return QStringLiteral("public");
  if (A == QLatin1String("Type"))
    return QStringLiteral("Int");
  if (A == QLatin1String("Time"))
    return QStringLiteral("1000");
  if (A == QLatin1String("Position"))
    return QString::number((R * 2) % 1440);
  if (A == QLatin1String("Bit"))
    return QStringLiteral("0");
  if (A == QLatin1String("NumBits"))
    return QStringLiteral("16");
  // The MIB's object names: every enabled row of both tables its own.
  if (A == QLatin1String("Description"))
    return QStringLiteral("%1value%2").arg(Grid ? QLatin1Char('w') : QLatin1Char('r')).arg(R);
  if (A == QLatin1String("IP_Address"))
    return QStringLiteral("192.168.1.10");
  if (A == QLatin1String("Conversion"))
    return QStringLiteral("None");
  return QStringLiteral("Value %1").arg(R);
}

QString PDO_Cell(int, const TColumnDesc &C, int R)
{
  const QString A = Attribute(C);
  if (A == QLatin1String("COB-ID"))
    return QString::number(0x180 + R);
  if (A == QLatin1String("Dimension"))
    return QStringLiteral("8");
  if (A.startsWith(QLatin1String("Address_B")))
    return Byte_Position(R, A.mid(9).toInt() - 1, 1500);
  if (A == QLatin1String("TimeOut") || A == QLatin1String("Send_Time"))
    return QStringLiteral("100");
  if (A == QLatin1String("On_Change"))
    return QStringLiteral("Y");
  return QStringLiteral("PDO %1").arg(R);
}

// Both SDO forms; the server's objects lie in the manufacturer range.
QString SDO_Cell(int, const TColumnDesc &C, int R, bool Server)
{
  const QString A = Attribute(C);
  if (A == QLatin1String("Device_ID"))
    return QString::number(1 + R % 127);
  if (A == QLatin1String("Index"))
    return QString::number((Server ? 0x2000 : 0x1000) + R);
  if (A == QLatin1String("SubIndex"))
    return QString::number(R % 256);
  if (A == QLatin1String("NByte"))
    return QStringLiteral("4");
  if (A == QLatin1String("Poll_Time"))
    return QStringLiteral("100");
  if (A == QLatin1String("On_Change"))
    return QStringLiteral("Y");
  if (A.startsWith(QLatin1String("Address_B")))
    return Byte_Position(R, A.mid(9).toInt() - 1, 1500);
  return QStringLiteral("SDO %1").arg(R);
}

QString BACnet_Cell(int Grid, const TColumnDesc &C, int R)
{
  using namespace bacnetcols;
  switch (C.Col) {
  case cData_Type: return Grid ? QStringLiteral("Analog Out") : QStringLiteral("Analog Input");
  case cEng_Unit: return QString::number(62 + R % 3);
  case cPosition: return QString::number((R * 4) % 1496);
  case cStart_Bit: return QStringLiteral("0");
  case cLength: return QStringLiteral("4");
  case cSwap: return QStringLiteral("N");
  default: return QStringLiteral("Object %1").arg(R);
  }
}

// One line per form.
const std::vector<TFormBench> &Bench_Forms()
{
  static const std::vector<TFormBench> Forms = {
      {"S7", Make_Form<TFS7_Protocol_Set_Access>, S7_Cell},
      {"MQTT", Make_Form<TFMQTT_Set_Topic>, MQTT_Cell},
      {"KNX", Make_Form<TFKNXAccess>, KNX_Cell},
      {"IEC", Make_Form<TFIEC61850_Variables>, IEC_Cell},
      {"TLS", Make_Form<TFTLS_Server_Known_Cert>, TLS_Cell},
      {"OPC_UA", Make_Form<TFOPC_UA_Server_Access>, OPC_UA_Cell},
      {"CAN_Rx", Make_Form<TFReceiveCAN>, [](int G, const TColumnDesc &C, int R) { return CAN_Cell(G, C, R, 1500); }},
      {"CAN_Tx", Make_Form<TFTransmitCAN>, [](int G, const TColumnDesc &C, int R) { return CAN_Cell(G, C, R, 1800); }},
      {"SNMP", Make_Form<TFSNMP_Trap_Access>, SNMP_Cell},
      {"PDO", Make_Form<TFSet_PDO_Access>, PDO_Cell},
      {"SDO_Cl", Make_Form<TFSet_SDO_Client_Access>, [](int G, const TColumnDesc &C, int R) { return SDO_Cell(G, C, R, false); }},
      {"SDO_Sv", Make_Form<TFSet_SDO_Server_Access>, [](int G, const TColumnDesc &C, int R) { return SDO_Cell(G, C, R, true); }},
      // The gateway serves 2,000 objects over both tables together: OK refuses more.
      {"BACnet", Make_Form<TFBACnetSlaveSetAccess>, BACnet_Cell, BACnet_Rows / 2},
  };
  return Forms;
}

// A form of the list with its file written from every data row filled.
struct TFormUnderTest {
  explicit TFormUnderTest(const TFormBench &B)
  {
    Load_Default_Texts();
    AppState().Project_Dir = Dir.path();
    Form = B.Make();
    Form->AfterConstruction();
    const TTableFormDesc &D = Form->Desc();
    AppState().*D.File = Dir.path() + QStringLiteral("/%1.xml").arg(QString::fromLatin1(B.Name));
    Form->Show();
    for (int G = 0; G < Form->Grid_Count(); ++G) {
      TZavStringGrid *Grid = Form->Grid(G);
      Grid->BeginUpdate();
      for (const TColumnDesc &C : D.Grids[size_t(G)].Columns)
        if (C.Col > 0)
          for (int R = 1; R < Grid->RowCount() && (B.Rows == 0 || R <= B.Rows); ++R)
            Set_Table_Cell(Grid, C, R, B.Cell(G, C, R));
      Grid->EndUpdate();
    }
    if (!Form->Controllo_dati())
      std::fprintf(stderr, "the benchmark's %s rows do not pass the checks\n", B.Name);
    Form->Save_Table();
    Sectioned = D.Grids.front().Section != nullptr;
  }
  QString Path() const { return AppState().*Form->Desc().File; }

  QTemporaryDir Dir;
  std::unique_ptr<TTableForm> Form;
  bool Sectioned = true;
};

// Made at a form's first benchmark; freed by main while the application still exists.
std::vector<std::unique_ptr<TFormUnderTest>> Forms_Under_Test;

TFormUnderTest &Under_Test(size_t Index)
{
  if (Forms_Under_Test.size() <= Index)
    Forms_Under_Test.resize(Index + 1);
  if (!Forms_Under_Test[Index])
    Forms_Under_Test[Index] = std::make_unique<TFormUnderTest>(Bench_Forms()[Index]);
  return *Forms_Under_Test[Index];
}

// Showing: the reset of every grid, the position lists and the load of every row.
void BM_Open(benchmark::State &state, size_t Index)
{
  TFormUnderTest &B = Under_Test(Index);
  for (auto _ : state)
    B.Form->FormShow(nullptr);
  if (!B.Form->Load_Complete())
    state.SkipWithError("the file did not load completely");
}

void BM_Open_Floor(benchmark::State &state, size_t Index)
{
  TFormUnderTest &B = Under_Test(Index);
  for (auto _ : state)
    benchmark::DoNotOptimize(Read_Floor(B.Path(), B.Sectioned));
}

// OK: the checks of every row, then the save.
void BM_OK(benchmark::State &state, size_t Index)
{
  TFormUnderTest &B = Under_Test(Index);
  B.Form->FormShow(nullptr);
  for (auto _ : state) {
    if (!B.Form->Controllo_dati())
      state.SkipWithError("checks failed");
    B.Form->Save_Table();
  }
}

void BM_OK_Floor(benchmark::State &state, size_t Index)
{
  TFormUnderTest &B = Under_Test(Index);
  const TSections S = Read_Floor(B.Path(), B.Sectioned);
  for (auto _ : state)
    Write_Floor(B.Path() + ".floor", S, B.Form->Desc().Version, B.Sectioned);
}

std::string Bench_Name(const char *Kind, const TFormBench &F) { return std::string(Kind) + "_" + F.Name; }

const bool Forms_Registered = [] {
  for (size_t I = 0; I < Bench_Forms().size(); ++I) {
    const TFormBench &F = Bench_Forms()[I];
    benchmark::RegisterBenchmark(Bench_Name("BM_Open", F).c_str(), BM_Open, I)->Unit(benchmark::kMillisecond)->MinTime(1.0);
    benchmark::RegisterBenchmark(Bench_Name("BM_Open_Floor", F).c_str(), BM_Open_Floor, I)->Unit(benchmark::kMillisecond)->MinTime(1.0);
    benchmark::RegisterBenchmark(Bench_Name("BM_OK", F).c_str(), BM_OK, I)->Unit(benchmark::kMillisecond)->MinTime(1.0);
    benchmark::RegisterBenchmark(Bench_Name("BM_OK_Floor", F).c_str(), BM_OK_Floor, I)->Unit(benchmark::kMillisecond)->MinTime(1.0);
  }
  return true;
}();

// ---------------------------------------------------------------------------------------------
// OK against a QTableView form.

// The cells of a form's grids copied into one QStandardItemModel per grid, shown in QTableViews
// on tabs, with the same columns hidden.
class TViewForm {
public:
  TViewForm(TTableForm *Form) : FDesc(Form->Desc())
  {
    for (int I = 0; I < Form->Grid_Count(); ++I) {
      TZavStringGrid *G = Form->Grid(I);
      const TGridDesc &D = FDesc.Grids[size_t(I)];
      auto *M = new QStandardItemModel(D.Data_Rows + 1, D.Col_Count(), &FTabs);
      for (int R = 0; R <= D.Data_Rows; ++R)
        for (int C = 0; C < D.Col_Count(); ++C)
          M->setItem(R, C, new QStandardItem(G->Cells(C, R)));
      auto *V = new QTableView(&FTabs);
      V->setModel(M);
      for (const TColumnDesc &C : D.Columns)
        V->setColumnHidden(C.Col, C.Hidden);
      FTabs.addTab(V, QString::number(I));
      Models.push_back(M);
      Views.push_back(V);
    }
    FTabs.resize(1100, 400);
    FTabs.show();
  }
  QString Cell(int Grid, int Col, int Row) const { return Models[size_t(Grid)]->item(Row, Col)->text(); }
  bool Hidden(int Grid, int Col) const { return Views[size_t(Grid)]->isColumnHidden(Col); }
  bool Key_Blank(int Grid, int Row) const
  {
    return Trim(Cell(Grid, FDesc.Grids[size_t(Grid)].Key_Col, Row)).isEmpty();
  }
  // The check every form's OK makes first: nothing the file cannot hold in a saved cell.
  bool Holds_Forbidden(int Grid, int Row) const
  {
    for (const TColumnDesc &C : FDesc.Grids[size_t(Grid)].Columns)
      if (C.Attribute && XMLForbiddenCharIndex(Cell(Grid, C.Col, Row)) >= 0)
        return true;
    return false;
  }
  void Save(const QString &Path) const
  {
    QByteArray Out;
    QXmlStreamWriter X(&Out);
    X.writeStartElement(QString::fromUtf8(FDesc.Root));
    for (size_t I = 0; I < FDesc.Grids.size(); ++I) {
      const TGridDesc &D = FDesc.Grids[I];
      X.writeStartElement(QString::fromUtf8(D.Section));
      for (int R = 1; R <= D.Data_Rows && !Key_Blank(int(I), R); ++R) {
        X.writeStartElement(QStringLiteral("row"));
        for (const TColumnDesc &C : D.Columns)
          if (C.Attribute)
            X.writeAttribute(QString::fromUtf8(C.Attribute), Cell(int(I), C.Col, R));
        X.writeEndElement();
      }
      X.writeEndElement();
    }
    X.writeEndElement();
    X.writeComment(FDesc.Version);
    WriteFileAtomicOrRaise(Path, Out);
  }

  std::vector<QStandardItemModel *> Models;
  std::vector<QTableView *> Views;

private:
  const TTableFormDesc &FDesc;
  QTabWidget FTabs;
};

bool Out_Of(const QString &Text, int Min, int Max)
{
  const int N = StrToIntDef(Text, -1);
  return N < Min || N > Max;
}

// The S7 form's checks on the view form: false at the first failing row.
bool S7_View_Checks(const TViewForm &V)
{
  using namespace s7cols;
  struct TConnection {
    int IP1 = -1, IP2 = 0, IP3 = 0, IP4 = 0, Port = 0;
  };
  std::vector<TConnection> Connections(S7_Max_Connections);
  for (int G = 0; G < 2; ++G) {
    const bool W = G == 1;
    for (int R = 1; R <= 512; ++R) {
      if (V.Key_Blank(G, R))
        break;
      if (V.Holds_Forbidden(G, R))
        return false;
      if (Trim(V.Cell(G, cEnable, R)) != QLatin1String("Y"))
        continue;
      auto Blank = [&](int C) { return !V.Hidden(G, C) && Trim(V.Cell(G, C, R)).isEmpty(); };
      auto Range = [&](int C, int Min, int Max) { return !V.Hidden(G, C) && Out_Of(V.Cell(G, C, R), Min, Max); };
      uint8_t B1 = 0, B2 = 0, B3 = 0, B4 = 0;
      if (!V.Hidden(G, cPLC_Address) && Error_In_IP_Address(V.Cell(G, cPLC_Address, R), B1, B2, B3, B4))
        return false;
      if (Range(cPLC_Port, 0, 65535))
        return false;
      if (!V.Hidden(G, cPLC_Address)) {
        const int Port = StrToIntDef(V.Cell(G, cPLC_Port, R), -1);
        bool Found = false;
        for (TConnection &E : Connections) {
          if (E.IP1 == -1) {
            E = {B1, B2, B3, B4, Port};
            Found = true;
            break;
          }
          if (E.IP1 == B1 && E.IP2 == B2 && E.IP3 == B3 && E.IP4 == B4 && E.Port == Port) {
            Found = true;
            break;
          }
        }
        if (!Found)
          return false;
      }
      if (Blank(cPLC_Type) || Range(cRack, 0, 3) || Range(cSlot, 0, 31) || Blank(cData_Type) ||
          Blank(cData_Identifier) || Range(cDB_Number, 0, 65535) || Blank(cPLC_Area) || Range(cPLC_Add, 0, 65535) ||
          Blank(cPLC_Bit) || Range(cPoll_Time, W ? 0 : 1, 100000000) ||
          Range(W ? cWrite_Position : cRead_Position, 0, 1499) || Blank(W ? cWrite_Start_Bit : cRead_Start_Bit))
        return false;
    }
  }
  return true;
}

// The MQTT form's checks on the view form.
bool MQTT_View_Checks(const TViewForm &V)
{
  using namespace mqttcols;
  for (int G = 0; G < 2; ++G) {
    const bool Sub = G == 1;
    for (int R = 1; R <= 1024; ++R) {
      if (V.Key_Blank(G, R))
        break;
      if (V.Holds_Forbidden(G, R))
        return false;
      auto Shown = [&](int C) { return !V.Hidden(G, C); };
      const QString Type = UpperCase(Trim(V.Cell(G, cData_Type, R)));
      if (Shown(cData_Type) && Type.isEmpty())
        return false;
      if (Shown(cDimension) && Shown(cData_Type)) {
        const int D = StrToIntDef(V.Cell(G, cDimension, R), -1);
        if (Type == QLatin1String("INT") && D != 1 && D != 2 && D != 4 && D != 8)
          return false;
        if (Type == QLatin1String("FLOAT") && D != 4 && D != 8)
          return false;
        if (Type != QLatin1String("INT") && Type != QLatin1String("FLOAT") && D < 1)
          return false;
      }
      if (Shown(cPosition) && Out_Of(V.Cell(G, cPosition, R), 0, 1499))
        return false;
      QString IP1, IP2, IP3, IP4;
      if (Shown(cIP_Address) && !Split_IP_Address(Trim(V.Cell(G, cIP_Address, R)), IP1, IP2, IP3, IP4))
        return false;
      if (Sub && Shown(cPort) && Out_Of(V.Cell(G, cPort, R), 0, 65535))
        return false;
      for (int C : {Sub ? int(cSub_Input_Template) : int(cPub_Input_Template), Sub ? int(cSub_Template) : int(cPub_Template)})
        if (Shown(C) && Trim(V.Cell(G, C, R)).count(QLatin1Char('$')) % 2 != 0)
          return false;
      if (!Sub && Shown(cTime) && UpperCase(Trim(V.Cell(G, cOn_Timer, R))) == QLatin1String("Y") &&
          Out_Of(V.Cell(G, cTime, R), 1, 1000000000))
        return false;
    }
  }
  return true;
}

// The MQTT form with both tables full.
class TMQTTBench {
public:
  TMQTTBench()
  {
    // The application state is the S7 bench's too: only the MQTT file is set here.
    TAppState &S = AppState();
    Load_Default_Texts();
    S.File_MQTT_Set_Topic = FDir.path() + "/MQTT_Set_Topic.xml";
    Form = std::make_unique<TFMQTT_Set_Topic>(nullptr);
    Form->AfterConstruction();
    Form->Show();
    for (int G = 0; G < 2; ++G) {
      TZavStringGrid *Grid = Form->Grid(G);
      for (const TColumnDesc &C : Form->Desc().Grids[size_t(G)].Columns) {
        if (!C.Attribute)
          continue;
        const QByteArray A = C.Attribute;
        for (int R = 1; R <= 1024; ++R) {
          QString V;
          if (A == "Topic")
            V = QStringLiteral("plant/line%1/value%2").arg(R % 7).arg(R);
          else if (A == "Retained" || A == "OnChange")
            V = QStringLiteral("N");
          else if (A == "QoS")
            V = QString::number(R % 3);
          else if (A == "DataType")
            V = R % 2 ? QStringLiteral("Int") : QStringLiteral("Float");
          else if (A == "Dimension")
            V = QStringLiteral("4");
          else if (A == "Position")
            V = QString::number(R % 1000);
          else if (A == "Template")
            V = QStringLiteral("{\"v\":$VALUE$}");
          else if (A == "OnTimer")
            V = QStringLiteral("Y");
          else if (A == "Time")
            V = QStringLiteral("1000");
          else if (A == "Mnemonic")
            V = QStringLiteral("Value %1").arg(R);
          Grid->SetCells(C.Col, R, V);
        }
      }
    }
    if (!Form->Controllo_dati())
      std::fprintf(stderr, "the benchmark's MQTT rows do not pass the checks\n");
  }
  ~TMQTTBench() { Form.reset(); }
  QTemporaryDir FDir;
  std::unique_ptr<TFMQTT_Set_Topic> Form;
};

std::unique_ptr<TMQTTBench> MQTT_Bench;

TMQTTBench &MQTT()
{
  if (!MQTT_Bench)
    MQTT_Bench = std::make_unique<TMQTTBench>();
  return *MQTT_Bench;
}

void BM_S7_OK(benchmark::State &state)
{
  TBenchForm &B = Bench();
  B.Form->FormShow(nullptr);
  for (auto _ : state) {
    if (!B.Form->Controllo_dati())
      state.SkipWithError("checks failed");
    B.Form->Save_Table();
  }
}

void BM_S7_ViewOK(benchmark::State &state)
{
  TBenchForm &B = Bench();
  B.Form->FormShow(nullptr);
  const TViewForm V(B.Form.get());
  for (auto _ : state) {
    if (!S7_View_Checks(V))
      state.SkipWithError("checks failed");
    V.Save(B.Path() + ".view");
  }
}

void BM_MQTT_OK(benchmark::State &state)
{
  TMQTTBench &B = MQTT();
  for (auto _ : state) {
    if (!B.Form->Controllo_dati())
      state.SkipWithError("checks failed");
    B.Form->Save_Table();
  }
}

void BM_MQTT_ViewOK(benchmark::State &state)
{
  TMQTTBench &B = MQTT();
  const TViewForm V(B.Form.get());
  for (auto _ : state) {
    if (!MQTT_View_Checks(V))
      state.SkipWithError("checks failed");
    V.Save(AppState().File_MQTT_Set_Topic + ".view");
  }
}

BENCHMARK(BM_S7_OK)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_S7_ViewOK)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MQTT_OK)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_MQTT_ViewOK)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// ---------------------------------------------------------------------------------------------
// Memory: the largest form open with every row filled, against a QTableView over a
// QStandardItemModel per grid holding the same cells (deep copies, so that no text is shared with
// the form), both shown. Each is measured as the heap's growth from its making to its first
// painting, several times alternately in this process; the smallest growth of each counts.

size_t Heap_In_Use()
{
  const struct mallinfo2 M = mallinfo2();
  return M.uordblks + M.hblkhd;
}

struct TMemoryFigures {
  const char *Form = "";
  int Cells = 0;
  double Form_MB = 0;
  double View_MB = 0;
};

TMemoryFigures Memory_Comparison()
{
  // The largest form by the cells its grids hold.
  size_t Largest = 0;
  int Most = -1;
  for (size_t I = 0; I < Bench_Forms().size(); ++I) {
    TTableForm *F = Under_Test(I).Form.get();
    int Cells = 0;
    for (int G = 0; G < F->Grid_Count(); ++G)
      Cells += F->Grid(G)->RowCount() * F->Grid(G)->ColCount();
    if (Cells > Most) {
      Most = Cells;
      Largest = I;
    }
  }
  const TFormBench &B = Bench_Forms()[Largest];
  TFormUnderTest &U = Under_Test(Largest);
  U.Form->FormShow(nullptr);
  std::vector<std::vector<std::vector<QString>>> Cells;  // grid, row, column
  std::vector<std::vector<bool>> Hidden;
  for (int G = 0; G < U.Form->Grid_Count(); ++G) {
    TZavStringGrid *Grid = U.Form->Grid(G);
    Cells.emplace_back(size_t(Grid->RowCount()), std::vector<QString>(size_t(Grid->ColCount())));
    Hidden.emplace_back(size_t(Grid->ColCount()), false);
    for (int C = 0; C < Grid->ColCount(); ++C)
      Hidden.back()[size_t(C)] = Grid->IsHiddenColumn(C);
    for (int R = 0; R < Grid->RowCount(); ++R)
      for (int C = 0; C < Grid->ColCount(); ++C) {
        const QString S = Grid->Cells(C, R);
        Cells.back()[size_t(R)][size_t(C)] = QString(S.constData(), S.size());
      }
  }

  size_t Form_Growth = SIZE_MAX, View_Growth = SIZE_MAX;
  for (int Round = 0; Round < 4; ++Round) {
    {
      const size_t Before = Heap_In_Use();
      std::unique_ptr<TTableForm> F = B.Make();
      F->AfterConstruction();
      F->Show();
      F->FormShow(nullptr);
      QApplication::processEvents();
      Form_Growth = std::min(Form_Growth, Heap_In_Use() - Before);
    }
    QApplication::processEvents();
    {
      const size_t Before = Heap_In_Use();
      auto Tabs = std::make_unique<QTabWidget>();
      for (size_t G = 0; G < Cells.size(); ++G) {
        const int Rows = int(Cells[G].size()), Cols = int(Cells[G][0].size());
        auto *M = new QStandardItemModel(Rows - 1, Cols, Tabs.get());
        for (int C = 0; C < Cols; ++C)
          M->setHorizontalHeaderItem(C, new QStandardItem(QString(Cells[G][0][size_t(C)].constData(),
                                                                  Cells[G][0][size_t(C)].size())));
        for (int R = 1; R < Rows; ++R)
          for (int C = 0; C < Cols; ++C) {
            const QString &S = Cells[G][size_t(R)][size_t(C)];
            M->setItem(R - 1, C, new QStandardItem(QString(S.constData(), S.size())));
          }
        auto *V = new QTableView(Tabs.get());
        V->setModel(M);
        for (int C = 0; C < Cols; ++C)
          V->setColumnHidden(C, Hidden[G][size_t(C)]);
        Tabs->addTab(V, QString::number(G));
      }
      Tabs->resize(U.Form->ClientWidth(), U.Form->ClientHeight());
      Tabs->show();
      QApplication::processEvents();
      View_Growth = std::min(View_Growth, Heap_In_Use() - Before);
    }
    QApplication::processEvents();
  }
  return {B.Name, Most, double(Form_Growth) / 1048576.0, double(View_Growth) / 1048576.0};
}

}  // namespace

int main(int argc, char **argv)
{
  return RunOffscreenBenchmarks(argc, argv, [](const TRatioReporter &reporter) {
    for (const TFormBench &F : Bench_Forms()) {
      const double Open = reporter.Ratio(Bench_Name("BM_Open", F), Bench_Name("BM_Open_Floor", F));
      const double OK = reporter.Ratio(Bench_Name("BM_OK", F), Bench_Name("BM_OK_Floor", F));
      if (Open > 0 || OK > 0)
        std::printf("%-6s form shown full / QXmlStreamReader into vectors = %.2f, checks and save / QXmlStreamWriter "
                    "from vectors = %.2f (goal: at most 3)\n",
                    F.Name, Open, OK);
    }
    const double S7_OK = reporter.Ratio("BM_S7_OK", "BM_S7_ViewOK");
    const double MQTT_OK = reporter.Ratio("BM_MQTT_OK", "BM_MQTT_ViewOK");
    if (S7_OK > 0)
      std::printf("S7 form OK, 512 + 512 rows / QTableView form, same checks and save = %.2f (goal: at most 1.2)\n", S7_OK);
    if (MQTT_OK > 0)
      std::printf("MQTT form OK, 1,024 + 1,024 rows / QTableView form, same checks and save = %.2f (goal: at most 1.2)\n",
                  MQTT_OK);
    const TMemoryFigures M = Memory_Comparison();
    std::printf("%s form open full (%d cells): heap growth %.2f MB / QTableView + QStandardItemModel with the same "
                "cells %.2f MB = %.2f (goal: at most 2)\n",
                M.Form, M.Cells, M.Form_MB, M.View_MB, M.View_MB > 0 ? M.Form_MB / M.View_MB : 0.0);
    MQTT_Bench.reset();
    Bench_Form.reset();
    Forms_Under_Test.clear();
  });
}
