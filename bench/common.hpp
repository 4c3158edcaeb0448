// What the benchmarks share: game folders made under /tmp, a clock, medians.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace varnsel::bench {

inline double nowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Makes `folder` the working directory, or stops the benchmark.
inline void enter(const std::string& folder) {
    if (chdir(folder.c_str()) != 0) {
        std::perror(folder.c_str());
        std::exit(1);
    }
}

// A folder with `games` sub-directories and as many ordinary files, made
// once and kept for later runs.
inline std::string gameFolder(int games) {
    const std::string folder = "/tmp/varnsel-bench-" + std::to_string(games);
    const std::string done = folder + "/.complete";
    if (access(done.c_str(), F_OK) == 0) return folder;
    mkdir(folder.c_str(), 0755);
    for (int i = 0; i < games; ++i) {
        const std::string name =
            folder + "/Game " + std::to_string(i * 7919 % games) + (i % 3 ? " deluxe" : "");
        mkdir(name.c_str(), 0755);
        const int fd =
            open((folder + "/file" + std::to_string(i) + ".txt").c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0) close(fd);
    }
    close(open(done.c_str(), O_CREAT | O_WRONLY, 0644));
    return folder;
}

}  // namespace varnsel::bench
