// The program's start: the form engine, with frmVarnsel as its window.
#include "app/frmVarnsel.hpp"

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
#else
    varnsel::platform::qt::QtFormEngine engine(argc, argv);
#endif
    varnsel::frmVarnsel form(engine);
    return engine.run(form);
}
