#pragma once
// The platform's application object, which must exist before any form or control and must
// go before the program's static objects do. The program's main and the test main hold one
// for their whole run; nothing above the framework names the platform's own classes.
#include <memory>

class QApplication;

class TPlatformApplication {
public:
  // argc and argv must outlive the object (the platform keeps them).
  TPlatformApplication(int &argc, char **argv);
  ~TPlatformApplication();
  TPlatformApplication(const TPlatformApplication &) = delete;
  TPlatformApplication &operator=(const TPlatformApplication &) = delete;

private:
  std::unique_ptr<QApplication> FApp;
};
