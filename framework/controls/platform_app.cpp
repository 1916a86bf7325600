#include "framework/controls/platform_app.h"

#include <QApplication>

TPlatformApplication::TPlatformApplication(int &argc, char **argv) : FApp(std::make_unique<QApplication>(argc, argv)) {}

// Leaving the platform's application runs its post routines, which free the forms still alive.
TPlatformApplication::~TPlatformApplication() = default;
