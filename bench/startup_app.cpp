// The program's start-up road up to its idle, painted main window (see startup.sh). With
// QM_STARTUP_LAYOUT set, first writes the main window's client size and its shown windowed
// controls (the buttons) to that file, for the bare Qt program to build the same window.
#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

#include "app/forms.h"
#include "startup_probe.h"
#include "framework/controls/forms.h"
#include "framework/stdctrls/stdctrls.h"

namespace {

void WriteLayout(const QString &Path)
{
  TCustomForm *Main = Application->MainForm();
  QFile file(Path);
  if (!Main || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    std::exit(2);
  QTextStream out(&file);
  out << Main->ClientWidth() << ' ' << Main->ClientHeight() << '\n';
  for (int i = 0; i < Main->ControlCount(); ++i) {
    auto *c = dynamic_cast<TWinControl *>(Main->Controls(i));
    if (c && c->Visible())
      out << c->Left() << ' ' << c->Top() << ' ' << c->Width() << ' ' << c->Height() << ' ' << c->Caption() << '\n';
  }
}

}  // namespace

int main(int argc, char **argv)
{
  QApplication QtApp(argc, argv);
  Application->Initialize();
  Create_Forms();
  if (const char *layout = std::getenv("QM_STARTUP_LAYOUT")) {
    WriteLayout(QString::fromLocal8Bit(layout));
    return 0;
  }
  TStartupProbe probe;
  probe.OnIdle = [] { std::fprintf(stderr, "label measurements %d\n", TCustomLabel::Measurements()); };
  Application->Run();
  return 1;
}
