// A stand-in for the emulator: it records what it was started with, its
// arguments and its working directory, exactly as bytes, and exits. Tests read
// the record to see the launch from the emulator's side.
//
// The record is appended to the file named by NEORAGE_STANDIN_RECORD, or to
// neorage-standin.log in the temporary directory, in one write so that
// records of emulators started together never interleave:
//   start <pid>
//   session <sid>             (the session it runs in)
//   cwd <length> <bytes>
//   arg <length> <bytes>      (one line an argument, argv[0] first)
//   clock <milliseconds>      (CLOCK_MONOTONIC at start, with NEORAGE_STANDIN_CLOCK)
//   end
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

void field(std::string& out, const char* tag, const std::string& bytes) {
    out += tag;
    out += ' ';
    out += std::to_string(bytes.size());
    out += ' ';
    out += bytes;
    out += '\n';
}

std::string workingDirectory() {
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) buffer.resize(buffer.size() * 2);
    return buffer.data();
}

}  // namespace

int main(int argc, char** argv) {
    // Read first of all, for the launch benchmark: when the emulator ran.
    timespec started{};
    clock_gettime(CLOCK_MONOTONIC, &started);
    std::string record = "start " + std::to_string(getpid()) + "\n";
    record += "session " + std::to_string(getsid(0)) + "\n";
    field(record, "cwd", workingDirectory());
    for (int i = 0; i < argc; ++i) field(record, "arg", argv[i]);
    if (std::getenv("NEORAGE_STANDIN_CLOCK")) {
        record += "clock " + std::to_string(started.tv_sec * 1000.0 + started.tv_nsec / 1e6) + "\n";
    }
    record += "end\n";

    const char* path = std::getenv("NEORAGE_STANDIN_RECORD");
    std::string fallback;
    if (!path || !*path) {
        const char* tmp = std::getenv("TMPDIR");
        fallback = std::string(tmp && *tmp ? tmp : "/tmp") + "/neorage-standin.log";
        path = fallback.c_str();
    }
    const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return 1;
    const bool written =
        write(fd, record.data(), record.size()) == static_cast<ssize_t>(record.size());
    close(fd);
    // Stay a moment where asked, so that a test can see the emulator running
    // after the launcher returned.
    if (const char* linger = std::getenv("NEORAGE_STANDIN_LINGER_MS"))
        usleep(1000u * std::strtoul(linger, nullptr, 10));
    return written ? 0 : 1;
}
