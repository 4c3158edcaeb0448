// The program's start: the form engine, with frmVarnsel as its window.
#include "app/start.hpp"

#ifdef _WIN32
#include "platform/win32/win32_engine.hpp"
using Engine = varnsel::platform::win32::Win32FormEngine;
#else
#include "platform/qt/qt_engine.hpp"
using Engine = varnsel::platform::qt::QtFormEngine;
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The arguments come from the UTF-16 command line, not the ANSI argv.
    (void)argc;
    (void)argv;
    Engine engine;
#else
    Engine engine(argc, argv);
#endif
    return varnsel::startLauncher(engine, engine.arguments());
}
