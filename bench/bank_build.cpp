// The configuration-bank build of a large project against a durable write of the bytes it
// produces. The project holds a full S7 access table (1,024 enabled rows) and MQTT topic tables
// whose image nearly fills bank 3. The ratio printed at the end is the build's time over the
// write's; loading the project files alone shows the floor under the build's reading.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <malloc.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "framework/services/atomicfile.h"
#include "framework/services/xmldoc.h"
#include "project/app_state.h"
#include "project/banks.h"

namespace {

constexpr int kS7RowsPerSection = 512;  // the form's limit per section: 1,024 entries in all
constexpr int kPublishRows = 210;
constexpr int kSubscribeRows = 210;

QByteArray ParGenXml()
{
  QByteArray x = "<Par_Gen>\n";
  auto el = [&](const char *name, const QByteArray &text) {
    x += QByteArray("  <") + name + ">" + text + "</" + name + ">\n";
  };
  const char *octets[] = {"S7_Protocol_IP", "S7_Protocol_SM", "S7_Protocol_GAT", "Ethernet_IP", "Ethernet_SM",
                          "Ethernet_GAT", "Ethernet_DNS"};
  for (const char *o : octets)
    for (int i = 1; i <= 4; ++i)
      el((QByteArray(o) + QByteArray::number(i)).constData(), QByteArray::number(10 * i));
  el("S7_Protocol_EN_GAT", "1");
  el("Ethernet_EN_GAT", "1");
  el("Ethernet_EN_DNS", "1");
  el("MQTT_Server_URL", "broker.plant.example");
  el("MQTT_Server_Port", "8883");
  el("MQTT_Client_ID", "gateway-line-4");
  el("MQTT_Keep_Alive", "60");
  el("MQTT_Clean_Session", "1");
  el("MQTT_WillFlag", "1");
  el("MQTT_Will_Topic_Name", "plant/line4/status");
  el("MQTT_Will_Message", "offline");
  el("MQTT_Will_Retained", "1");
  el("MQTT_Will_QoS", "1");
  el("MQTT_Username", "line4");
  el("MQTT_Password", "secret");
  el("MQTT_ASync_Send_Time", "10");
  el("NTP_Server_URL", "pool.ntp.example");
  el("NTP_Poll_Time", "3600");
  el("TLS_Enable", "1");
  el("TLS_En_Server_Auth", "1");
  el("TLS_Server_Auth_Certificate", QByteArray(1200, 'C'));
  x += "</Par_Gen>\n<!--SW_VERSION = 1.000-->\n";
  return x;
}

QByteArray S7Xml()
{
  QByteArray x = "<S7_Protocol>";
  for (int s = 0; s < 2; ++s) {
    const bool write = s == 1;
    x += write ? "<S7_Protocol_Write>" : "<S7_Protocol_Read>";
    for (int r = 0; r < kS7RowsPerSection; ++r) {
      const QByteArray n = QByteArray::number(r);
      x += "<row Enable=\"Y\" PLC_Address=\"192.168." + QByteArray::number(r / 250) + "." +
           QByteArray::number(r % 250 + 1) +
           "\" PLC_Port=\"102\" PLC_Type=\"S71500\" Rack=\"0\" Slot=\"1\" Data_Type=\"Int\" "
           "Data_Identifier=\"DB\" DB_Number=\"" + n + "\" PLC_Area=\"Flags (M) (Merker)\" PLC_Add=\"" +
           QByteArray::number(2 * r) + "\" PLC_Bit=\"0\" PollTime=\"100\"";
      if (write)
        x += " OnChange=\"Y\" OnCMD=\"N\"";
      x += " Position=\"" + QByteArray::number(2 * r) + "\" Bit=\"0\" Swap=\"Y\" SwapWord=\"N\" Mnemonic=\"Value " +
           n + "\"/>";
    }
    x += write ? "</S7_Protocol_Write>" : "</S7_Protocol_Read>";
  }
  x += "</S7_Protocol><!--SW_VERSION = 1.003-->";
  return x;
}

QByteArray MqttXml()
{
  const QByteArray tmpl = "{&quot;plant&quot;:&quot;line 4&quot;,&quot;value&quot;:$VALUE$,&quot;unit&quot;:&quot;"
                          + QByteArray(150, 'u') + "&quot;}";
  QByteArray x = "<MQTT_Set_Topic><MQTT_Publish>";
  for (int r = 0; r < kPublishRows; ++r)
    x += "<row Topic=\"plant/line4/machine/publish/value" + QByteArray::number(r) +
         "\" Retained=\"N\" QoS=\"1\" DataType=\"Int\" Dimension=\"2\" Position=\"" + QByteArray::number(2 * r) +
         "\" IPAddress=\"\" InputTemplate=\"\" Template=\"" + tmpl +
         "\" OnChange=\"Y\" OnTimer=\"Y\" Time=\"1000\" Mnemonic=\"Publish value " + QByteArray::number(r) + "\"/>";
  x += "</MQTT_Publish><MQTT_Subscribe>";
  for (int r = 0; r < kSubscribeRows; ++r)
    x += "<row Topic=\"plant/line4/machine/subscribe/value" + QByteArray::number(r) +
         "\" Retained=\"N\" QoS=\"0\" DataType=\"String\" Dimension=\"20\" Position=\"" +
         QByteArray::number(600 + 20 * r) + "\" IPAddress=\"\" Port=\"\" EthType=\"\" InputTemplate=\"\" Template=\"" +
         tmpl + "\" Mnemonic=\"Subscribe value " + QByteArray::number(r) + "\"/>";
  x += "</MQTT_Subscribe></MQTT_Set_Topic><!--SW_VERSION = 1.000-->";
  return x;
}

// A project folder with the three files, the application state pointed at it.
class TBenchProject {
public:
  TBenchProject()
  {
    TAppState &s = AppState();
    s.Reset();
    s.Project_Dir = FDir.path();
    s.File_ParGen = Path("ParGen.xml");
    s.File_S7_Protocol = Path("S7_Protocol.xml");
    s.File_MQTT_Set_Topic = Path("MQTT_Set_Topic.xml");
    WriteFileAtomicOrRaise(s.File_ParGen, ParGenXml());
    WriteFileAtomicOrRaise(s.File_S7_Protocol, S7Xml());
    WriteFileAtomicOrRaise(s.File_MQTT_Set_Topic, MqttXml());
    QDir().mkpath(Path("bin"));
    Builder.XML1 = &XML1;
  }
  ~TBenchProject() { AppState().Reset(); }
  QString Path(const QString &Name) const { return FDir.path() + "/" + Name; }

  QTemporaryDir FDir;
  TXMLDocument XML1;
  TBankBuilder Builder;
};

// Mean times of the runs, for the ratios printed at the end.
double Build_Ms = 0;
double Write_Ms = 0;

TBenchProject &Project()
{
  static TBenchProject p;
  return p;
}

// The build and the durable write of its files, alternating in one loop so that both meet
// the same disk (the time of an fsync varies with what else the machine writes). The build is
// Compile_Banks, which reads the project files and lays out the three images; the write is
// Write_Bank_Files, which writes them with WriteFileAtomic (write, fsync, rename).
void BM_BuildAgainstDurableWrite(benchmark::State &state)
{
  using Clock = std::chrono::steady_clock;
  TBenchProject &p = Project();
  Clock::duration build{}, write{};
  for (auto _ : state) {
    const Clock::time_point t0 = Clock::now();
    p.Builder.Compile_Banks();
    const Clock::time_point t1 = Clock::now();
    QString error;
    if (!p.Builder.Write_Bank_Files(&error))
      state.SkipWithError(error.toStdString().c_str());
    build += t1 - t0;
    write += Clock::now() - t1;
  }
  const double b = std::chrono::duration<double, std::milli>(build).count() / double(state.iterations());
  const double w = std::chrono::duration<double, std::milli>(write).count() / double(state.iterations());
  state.counters["build_ms"] = b;
  state.counters["write_ms"] = w;
  state.counters["S7_entries"] = p.Builder.Bank_Buffer_1[GP::S7_Entry_Count] |
                                 p.Builder.Bank_Buffer_1[GP::S7_Entry_Count + 1] << 8;
  state.counters["bank3_bytes"] = p.Builder.Bank_Length_3;
  Build_Ms = b;
  Write_Ms = w;
}

// The build alone, without the disk.
void BM_CompileBanks(benchmark::State &state)
{
  TBenchProject &p = Project();
  for (auto _ : state)
    p.Builder.Compile_Banks();
}

// pugixml's own parse of the three project files from memory, the floor under the build's
// reading.
void BM_PugixmlParse(benchmark::State &state)
{
  Project();
  const TAppState &s = AppState();
  std::vector<QByteArray> files;
  for (const QString &f : {s.File_ParGen, s.File_S7_Protocol, s.File_MQTT_Set_Topic}) {
    QFile file(f);
    file.open(QIODevice::ReadOnly);
    files.push_back(file.readAll());
  }
  pugi::xml_document doc;
  for (auto _ : state)
    for (const QByteArray &bytes : files)
      benchmark::DoNotOptimize(doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                                               pugi::parse_default | pugi::parse_comments, pugi::encoding_utf8));
}

BENCHMARK(BM_BuildAgainstDurableWrite)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_CompileBanks)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PugixmlParse)->Unit(benchmark::kMillisecond)->MinTime(2.0);

class TTimes : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &Runs) override
  {
    for (const Run &r : Runs)
      if (r.run_type == Run::RT_Iteration)
        Ms[r.run_name.function_name] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(Runs);
  }
  std::map<std::string, double> Ms;  // in the unit of the run: milliseconds here
};

}  // namespace

int main(int argc, char **argv)
{
  // Freed memory stays with the process, as in a program that has run for a while; otherwise
  // each run pays for page faults that depend on where the allocator last trimmed its heap,
  // which varies with the order of the runs more than with the work measured.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  TTimes times;
  benchmark::RunSpecifiedBenchmarks(&times);
  if (Write_Ms > 0) {
    std::printf("Bank build / durable write of its bytes = %.2f (goal: at most 2)\n", Build_Ms / Write_Ms);
    std::printf("Bank build and write / durable write alone = %.2f\n", (Build_Ms + Write_Ms) / Write_Ms);
  }
  const double compile = times.Ms["BM_CompileBanks"], parse = times.Ms["BM_PugixmlParse"];
  if (compile > 0 && parse > 0)
    std::printf("Bank build without the disk / pugixml's parse of its files = %.2f\n", compile / parse);
  benchmark::Shutdown();
  return 0;
}
