// The program's start: the form engine, with frmVarnsel as its window.
#include "app/start.hpp"

#ifdef _WIN32
#include "platform/win32/win32_engine.hpp"
#else
#include "platform/qt/qt_engine.hpp"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    varnsel::platform::win32::Win32FormEngine engine;
    // The arguments as the system has them, in UTF-16, not the ANSI argv.
    const std::vector<std::string> arguments = engine.arguments();
#else
    // Qt takes its own options out of argc and argv; the rest are exact bytes.
    varnsel::platform::qt::QtFormEngine engine(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
#endif
    return varnsel::startLauncher(engine, arguments);
}
