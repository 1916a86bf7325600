// The baseline of the start-up benchmark (see startup.sh): a bare Qt Widgets window of the
// main window's client size with a push button wherever the main window shows a windowed
// control, read from the layout file startup_app writes.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTextStream>
#include <QWidget>

#include "startup_probe.h"

int main(int argc, char **argv)
{
  if (argc < 2)
    return 2;
  QApplication app(argc, argv);
  QFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::ReadOnly))
    return 2;
  QTextStream in(&file);
  int w = 0, h = 0;
  in >> w >> h;
  in.readLine();
  QWidget window;
  window.resize(w, h);
  while (!in.atEnd()) {
    int x = 0, y = 0, bw = 0, bh = 0;
    in >> x >> y >> bw >> bh;
    const QString caption = in.readLine().mid(1);
    if (bw > 0 && bh > 0)
      (new QPushButton(caption, &window))->setGeometry(x, y, bw, bh);
  }
  TStartupProbe probe;
  window.show();
  return app.exec();
}
