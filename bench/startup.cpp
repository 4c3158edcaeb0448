// Start-up and memory: process start to the window shown and painted, and
// the peak resident memory then, for the launcher in a folder of games and
// for a bare Qt program showing one empty window of the same size. Each is
// started afresh many times, interleaved; medians and ratios are printed.
//   bench_startup            the comparison (1 000 games for time, 100 000 for memory)
#include <spawn.h>
#include <sys/wait.h>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <fstream>

#include "app/frmVarnsel.hpp"
#include "bench/common.hpp"
#include "platform/qt/qt_engine.hpp"
#include "platform/qt/qt_engine_impl.hpp"

extern char** environ;

using namespace varnsel;

namespace {

long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

// Reports once the first frame of `window` has been painted, then ends.
class FirstFrame : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] {  // after the whole frame, children included
                std::printf("%.3f %ld\n", bench::nowMs(), peakResidentKb());
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

int child(int argc, char** argv, const char* mode, const char* folder) {
    FirstFrame watcher;
    if (std::strcmp(mode, "bare") == 0 || std::strcmp(mode, "label") == 0) {
        QApplication app(argc, argv);
        QWidget window;
        window.resize(769, 505);
        // The floor any window with text pays: the font system's start.
        QLabel label(QStringLiteral("Games in this directory:"), &window);
        if (std::strcmp(mode, "bare") == 0) label.hide();
        window.installEventFilter(&watcher);
        window.show();
        return app.exec();
    }
    bench::enter(folder);
    platform::qt::QtFormEngine engine(argc, argv);
    frmVarnsel form(engine);
    engine.open(form);
    engine.impl().window->installEventFilter(&watcher);
    return QApplication::exec();
}

struct Sample {
    double ms;
    long kb;
};

Sample run(const char* self, const char* mode, const std::string& folder) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {0, 0};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const char* args[] = {self, "--child", mode, folder.c_str(), nullptr};
    pid_t pid = 0;
    const double start = bench::nowMs();
    posix_spawn(&pid, self, &actions, nullptr, const_cast<char**>(args), environ);
    close(pipeFds[1]);
    char buffer[128] = {};
    std::size_t got = 0;
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buffer + got, sizeof(buffer) - 1 - got)) > 0)
        got += static_cast<std::size_t>(n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    double frame = 0;
    long kb = 0;
    std::sscanf(buffer, "%lf %ld", &frame, &kb);
    return {frame - start, kb};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--child") == 0) {
        int childArgc = 1;
        return child(childArgc, argv, argv[2], argv[3]);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const int runs = 21;
    const std::string thousand = bench::gameFolder(1000);
    const std::string hundredThousand = bench::gameFolder(100000);
    run(argv[0], "bare", thousand);  // warm the caches alike
    run(argv[0], "launcher", thousand);
    std::vector<double> bare, label, ours, bareKb, oursKb;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(run(argv[0], "bare", thousand).ms);
        label.push_back(run(argv[0], "label", thousand).ms);
        ours.push_back(run(argv[0], "launcher", thousand).ms);
    }
    for (int i = 0; i < 5; ++i) {
        bareKb.push_back(static_cast<double>(run(argv[0], "bare", hundredThousand).kb));
        oursKb.push_back(static_cast<double>(run(argv[0], "launcher", hundredThousand).kb));
    }
    const double b = bench::median(bare), o = bench::median(ours);
    const double l = bench::median(label);
    std::printf(
        "start-up to first frame, 1 000 games: varnsel %.2f ms, bare window %.2f ms, ratio %.3f\n",
        o, b, o / b);
    std::printf(
        "  for reference, the bare window with one label: %.2f ms; varnsel against it: ratio "
        "%.3f\n",
        l, o / l);
    const double bm = bench::median(bareKb) / 1024, om = bench::median(oursKb) / 1024;
    std::printf(
        "peak resident memory, 100 000 games: varnsel %.1f MB, bare window %.1f MB, difference "
        "%+.1f MB\n",
        om, bm, om - bm);
    return 0;
}
