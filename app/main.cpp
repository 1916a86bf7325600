// Program entry of the configurator.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Quillomark"));
  window.resize(694, 440);
  window.show();
  return app.exec();
}
