// Scanning and listing 1 000, 10 000 and 100 000 games, side by side in one
// run with the floor program (bench_floor: readdir, strdup, qsort with
// strcasecmp) and with `find DIR -mindepth 1 -maxdepth 1 -type d`. Each is
// started afresh, interleaved with the others, and measured in the folder of
// games and in an empty one; what the games cost is the difference of the
// medians. The launcher is timed to its first frame painted.
#include <map>

#include "bench/first_frame.hpp"

using namespace varnsel;

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--child") {
        int childArgc = 1;
        return bench::launcherToFirstFrame(childArgc, argv, argv[2]);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string floor = std::string(BENCH_FLOOR);
    const int runs = 15;
    const std::string empty = bench::gameFolder(0);
    struct Costs {
        double launcher, floor, find;
    };
    const auto medians = [&](const std::string& folder, int runs) {
        std::vector<double> launcher, floorMs, findMs;
        for (int i = 0; i < runs; ++i) {  // interleaved, so drift hits all three
            launcher.push_back(bench::timeProgram({argv[0], "--child", folder}).ms);
            floorMs.push_back(bench::timeProgram({floor, folder}).ms);
            findMs.push_back(bench::timeProgram(
                                 {"find", folder, "-mindepth", "1", "-maxdepth", "1", "-type", "d"})
                                 .ms);
        }
        return Costs{bench::median(launcher), bench::median(floorMs), bench::median(findMs)};
    };
    std::printf("%8s %12s %12s %8s %12s %8s\n", "games", "floor ms", "varnsel ms", "ratio",
                "find ms", "ratio");
    for (int games : {1000, 10000, 100000}) {
        const std::string folder = bench::gameFolder(games);
        medians(folder, 1);  // warm the caches alike
        const Costs base = medians(empty, runs);
        const Costs full = medians(folder, runs);
        const double launcher = full.launcher - base.launcher;
        const double floorCost = full.floor - base.floor;
        const double findCost = full.find - base.find;
        std::printf("%8d %12.2f %12.2f %8.3f %12.2f %8.3f\n", games, floorCost, launcher,
                    launcher / floorCost, findCost, launcher / findCost);
    }
    std::printf("(each: its time in the folder of games less its time in an empty folder)\n");
    return 0;
}
