// Program entry of the configurator: the application, its 22 forms, the message loop.
#include "app/forms.h"
#include "framework/controls/forms.h"

#include <QApplication>

int main(int argc, char **argv)
{
  QApplication QtApp(argc, argv);
  Application->Initialize();
  Create_Forms();
  Application->Run();
  Destroy_Forms();
  return 0;
}
