// "PLAY" to the stand-in emulator running its first instruction, median of
// 200, and how long the PLAY handler itself takes to return.
#include <fcntl.h>
#include <sys/stat.h>
#include <QApplication>

#include <fstream>
#include <sstream>

#include "app/frmVarnsel.hpp"
#include "bench/common.hpp"
#include "platform/posix/posix_runtime.hpp"
#include "platform/qt/qt_engine.hpp"
#include "tools/standin/record.hpp"

using namespace varnsel;

namespace {

// The stand-in's clock readings, one a launch, in the order they were written.
std::vector<double> clocks(const std::string& record) {
    std::vector<double> out;
    for (const standin::Launch& launch : standin::readLaunches(record)) out.push_back(launch.clock);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string folder = "/tmp/varnsel-bench-launch";
    mkdir(folder.c_str(), 0755);
    const std::string emulator = folder + "/Neorage.exe";
    std::ifstream source(NEORAGE_STANDIN, std::ios::binary);
    std::ofstream(emulator, std::ios::binary) << source.rdbuf();
    chmod(emulator.c_str(), 0755);
    const std::string record = folder + "/launches.log";
    unlink(record.c_str());
    setenv("NEORAGE_STANDIN_RECORD", record.c_str(), 1);
    setenv("NEORAGE_STANDIN_CLOCK", "1", 1);

    bench::enter(folder);
    platform::qt::QtFormEngine engine(argc, argv);
    platform::posix::PosixRuntime runtime;
    frmVarnsel form(engine, runtime);
    engine.open(form);
    std::vector<double> toEmulator, handler;
    for (int i = 0; i < 200; ++i) {
        const double start = bench::nowMs();
        form.cmdPlay_Click();
        handler.push_back(bench::nowMs() - start);
        std::vector<double> seen;
        while ((seen = clocks(record)).size() < static_cast<std::size_t>(i + 1)) usleep(200);
        toEmulator.push_back(seen.back() - start);
        usleep(2000);  // let the emulator finish, so launches do not overlap
    }
    std::printf("PLAY to the emulator's first instruction: median %.3f ms (of 200)\n",
                bench::median(toEmulator));
    std::printf("PLAY's handler returns after: median %.3f ms\n", bench::median(handler));
    return 0;
}
