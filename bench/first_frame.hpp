// Starting a program afresh and timing it from outside: to its first frame
// painted (with the peak resident memory then), or to its end.
#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <fcntl.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/frmVarnsel.hpp"
#include "bench/common.hpp"
#include "platform/posix/posix_runtime.hpp"
#include "platform/qt/qt_engine.hpp"
#include "platform/qt/qt_engine_impl.hpp"

extern char** environ;

namespace varnsel::bench {

inline long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

// In the started program: prints the clock and the peak memory once the
// first frame of the window it watches has been painted, then ends.
class FirstFrame : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] {  // after the whole frame, children included
                std::printf("%.3f %ld\n", nowMs(), peakResidentKb());
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

// The launcher in `folder`, up to its first frame.
inline int launcherToFirstFrame(int argc, char** argv, const std::string& folder) {
    FirstFrame watcher;
    enter(folder);
    platform::qt::QtFormEngine engine(argc, argv);
    platform::posix::PosixRuntime runtime;
    frmVarnsel form(engine, runtime);
    engine.open(form);
    insideOf(engine).window->installEventFilter(&watcher);
    return QApplication::exec();
}

struct Sample {
    double ms;  // from the start to the first frame, or to the end
    long kb;    // peak resident memory at the first frame
};

// Starts `args` (args[0] the program) with its output read back: a program
// that prints "clock kb" is timed to that clock, any other to its end.
inline Sample timeProgram(const std::vector<std::string>& args) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {0, 0};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const double start = nowMs();
    posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    close(pipeFds[1]);
    char buffer[256] = {};
    std::size_t got = 0;
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buffer + got, sizeof(buffer) - 1 - got)) > 0)
        got += static_cast<std::size_t>(n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    const double end = nowMs();
    posix_spawn_file_actions_destroy(&actions);
    double frame = 0;
    long kb = 0;
    if (std::sscanf(buffer, "%lf %ld", &frame, &kb) == 2) return {frame - start, kb};
    return {end - start, 0};
}

}  // namespace varnsel::bench
