// What the stand-in emulators wrote of each start, read back: the one reader
// of their record for the Qt tests, the Windows driver and the benchmarks.
// A record is "start PID", then fields "TAG LENGTH BYTES" (cwd, arg, and on
// Windows line and image), numbers "session N" and "clock MS", and "end".
#pragma once

#include <fstream>
#include <string>
#include <vector>

namespace varnsel::standin {

struct Launch {
    long pid = 0;
    long session = 0;
    double clock = -1;  // milliseconds, when asked for
    std::string cwd, line, image;
    std::vector<std::string> argv;
};

// `path` is a std::string, or on Windows a std::wstring.
template <class Path>
std::vector<Launch> readLaunches(const Path& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::vector<Launch> launches;
    std::string tag;
    while (in >> tag) {
        if (tag == "start") {
            launches.emplace_back();
            in >> launches.back().pid;
        } else if (launches.empty() || tag == "end") {
            continue;
        } else if (tag == "session") {
            in >> launches.back().session;
        } else if (tag == "clock") {
            in >> launches.back().clock;
        } else {
            std::size_t length = 0;
            in >> length;
            in.get();  // the blank
            std::string bytes(length, '\0');
            in.read(bytes.data(), static_cast<std::streamsize>(length));
            Launch& l = launches.back();
            (tag == "cwd"     ? l.cwd
             : tag == "line"  ? l.line
             : tag == "image" ? l.image
                              : l.argv.emplace_back()) = bytes;
        }
    }
    return launches;
}

}  // namespace varnsel::standin
