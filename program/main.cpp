// The program's start: frmVarnsel in the backend's window, on its system's
// run-time.
#include "app/start.hpp"

#ifdef _WIN32
#include "platform/win32/win32_engine.hpp"
#include "platform/win32/win32_runtime.hpp"
#include "platform/win32/win32_start.hpp"

int main() {
    namespace win32 = varnsel::platform::win32;
    win32::keepTheWorkingDirectoryOutOfTheDllSearch();  // before anything loads a DLL
    // The arguments come from the UTF-16 command line, not the ANSI argv.
    const std::vector<std::string> arguments = win32::programArguments();
    win32::Win32FormEngine window;
    win32::Win32Runtime runtime;
    return varnsel::startLauncher(window, runtime, arguments);
}
#else
#include "platform/posix/posix_runtime.hpp"
#include "platform/qt/qt_engine.hpp"

int main(int argc, char** argv) {
    varnsel::platform::qt::QtFormEngine window(argc, argv);
    varnsel::platform::posix::PosixRuntime runtime;
    return varnsel::startLauncher(window, runtime, window.arguments());
}
#endif
