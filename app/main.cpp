// Program entry of the configurator: the application, its 22 forms, the message loop.
#include "app/forms.h"
#include "framework/controls/forms.h"
#include "framework/controls/platform_app.h"

int main(int argc, char **argv)
{
  TPlatformApplication Platform(argc, argv);
  Application->Initialize();
  Create_Forms();
  Application->Run();
  Destroy_Forms();
  return 0;
}
