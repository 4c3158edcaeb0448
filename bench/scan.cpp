// The scan and list at 1 000, 10 000 and 100 000 games, through the real Qt
// list, side by side with `find DIR -mindepth 1 -maxdepth 1 -type d` on the
// same tree. Prints medians, their ratio, and how each grows from 10 000 to
// 100 000.
#include <spawn.h>
#include <sys/wait.h>
#include <QApplication>

#include <map>

#include "app/frmVarnsel.hpp"
#include "bench/common.hpp"
#include "platform/qt/qt_engine.hpp"
#include "platform/qt/qt_engine_impl.hpp"

extern char** environ;

using namespace varnsel;

namespace {

// The window object, timing from Load (where the scan starts).
class Timed : public platform::FormHandler {
public:
    explicit Timed(platform::FormEngine& engine) : form(engine) {}
    void onEvent(platform::ControlName control, platform::EventKind kind,
                 std::int16_t key) override {
        if (kind == platform::EventKind::Load) loadStarted = bench::nowMs();
        form.onEvent(control, kind, key);
    }
    frmVarnsel form;
    double loadStarted = 0;
};

double launcherMs(int& argc, char** argv, const std::string& folder, int games) {
    bench::enter(folder);
    platform::qt::QtFormEngine engine(argc, argv);
    Timed timed(engine);
    engine.open(timed);  // the scan, then the one sort; the list then holds all
    const double elapsed = bench::nowMs() - timed.loadStarted;
    if (engine.impl().games->count() != games)
        std::fprintf(stderr, "scan: the list holds %d, not %d\n", engine.impl().games->count(),
                     games);
    return elapsed;
}

double findMs(const std::string& folder) {
    const char* args[] = {"find", folder.c_str(), "-mindepth", "1",    "-maxdepth",
                          "1",    "-type",        "d",         nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const double start = bench::nowMs();
    pid_t pid = 0;
    posix_spawnp(&pid, "find", &actions, nullptr, const_cast<char**>(args), environ);
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return bench::nowMs() - start;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = 9;
    std::map<int, std::pair<double, double>> results;
    std::printf("%8s %14s %12s %8s\n", "games", "varnsel ms", "find ms", "ratio");
    for (int games : {1000, 10000, 100000}) {
        // The directory an extra dot-entry ".complete" holds is a file.
        const std::string folder = bench::gameFolder(games);
        launcherMs(argc, argv, folder, games);  // warm the caches alike
        findMs(folder);
        std::vector<double> ours, theirs;
        for (int i = 0; i < runs; ++i) {  // interleaved, so drift hits both
            ours.push_back(launcherMs(argc, argv, folder, games));
            theirs.push_back(findMs(folder));
        }
        results[games] = {bench::median(ours), bench::median(theirs)};
        std::printf("%8d %14.2f %12.2f %8.3f\n", games, results[games].first, results[games].second,
                    results[games].first / results[games].second);
    }
    const double ourGrowth = results[100000].first / results[10000].first;
    const double findGrowth = results[100000].second / results[10000].second;
    std::printf("growth 10 000 -> 100 000: varnsel %.2fx, find %.2fx, ratio %.3f\n", ourGrowth,
                findGrowth, ourGrowth / findGrowth);
    return 0;
}
