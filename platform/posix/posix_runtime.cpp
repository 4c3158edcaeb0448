#include "platform/posix/posix_runtime.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/argv_split.hpp"
#include "platform/refusal.hpp"

extern char** environ;

namespace varnsel::platform::posix {
namespace {

std::string reason(int error) {
    return std::strerror(error);
}

// A name that begins with "." is hidden, but for "." and "..", which the
// enumeration returns like any other entry.
bool isHidden(std::string_view name) {
    return name.starts_with('.') && name != "." && name != "..";
}

int attributesOf(const struct stat& st, std::string_view name) {
    constexpr int kHiddenAttribute = 2;
    return (S_ISDIR(st.st_mode) ? kDirectoryAttribute : 0) | (isHidden(name) ? kHiddenAttribute : 0);
}

std::string_view baseName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

// The open directory of the running enumeration, and the type of the entry it
// returned last: readdir usually knows whether an entry is a directory, so
// the attribute read that follows needs no system call of its own.
struct PosixRuntime::Enumeration {
    DIR* handle = nullptr;
    int kinds = 0;
    std::string lastPath;
    std::size_t prefix = 0;   // lastPath's directory part
    int lastAttributes = -1;  // -1: not known from the entry (a link, say)

    ~Enumeration() {
        if (handle) closedir(handle);
    }
};

PosixRuntime::PosixRuntime() {
    // Started programs are reaped by the kernel: none is left a zombie and
    // the launcher never waits. Each child gets the default back.
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    action.sa_flags = SA_NOCLDWAIT;
    sigemptyset(&action.sa_mask);
    sigaction(SIGCHLD, &action, nullptr);
}

PosixRuntime::~PosixRuntime() = default;

Result<std::string> PosixRuntime::currentDirectory() {
    std::vector<char> buffer(256);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return Result<std::string>::failure(reason(errno));
        buffer.resize(buffer.size() * 2);
    }
    return Result<std::string>::ok(buffer.data());
}

Result<Done> PosixRuntime::enterDirectory(std::string_view path) {
    if (chdir(std::string(path).c_str()) != 0) return Result<Done>::failure(reason(errno));
    return Result<Done>::ok({});
}

Result<std::string> PosixRuntime::firstEntry(std::string_view pattern, int kinds) {
    enumeration_ = std::make_unique<Enumeration>();
    enumeration_->kinds = kinds;
    std::string directory(pattern);
    enumeration_->lastPath = directory;
    enumeration_->prefix = directory.size() - baseName(directory).size();
    enumeration_->handle = opendir(directory.empty() ? "." : directory.c_str());
    if (!enumeration_->handle) {
        const int error = errno;
        enumeration_.reset();
        return Result<std::string>::failure(reason(error));
    }
    return nextEntry();
}

Result<std::string> PosixRuntime::nextEntry() {
    if (!enumeration_) return Result<std::string>::ok("");
    Enumeration& e = *enumeration_;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(e.handle);
        if (!entry) {
            const int error = errno;
            enumeration_.reset();
            if (error != 0) return Result<std::string>::failure(reason(error));
            return Result<std::string>::ok("");
        }
        if (isHidden(entry->d_name)) continue;
        e.lastPath.resize(e.prefix);
        e.lastPath += entry->d_name;
        switch (entry->d_type) {
            case DT_DIR:
                e.lastAttributes = kDirectoryAttribute;
                break;
            case DT_LNK:
            case DT_UNKNOWN:
                e.lastAttributes = -1;
                break;
            default:
                e.lastAttributes = 0;
                break;
        }
        if ((e.kinds & kIncludeDirectories) == 0) {
            const auto found = attributes(e.lastPath);
            if (found && (*found & kDirectoryAttribute) != 0) continue;
        }
        return Result<std::string>::ok(entry->d_name);
    }
}

Result<int> PosixRuntime::attributes(std::string_view path) {
    if (enumeration_ && enumeration_->lastAttributes >= 0 && path == enumeration_->lastPath) {
        return Result<int>::ok(enumeration_->lastAttributes);
    }
    struct stat st {};
    if (stat(std::string(path).c_str(), &st) != 0) return Result<int>::failure(reason(errno));
    return Result<int>::ok(attributesOf(st, baseName(path)));
}

namespace {

// What is wrong with a program the system refused, in plain words where the
// system's are not, with its own reason kept beside them.
std::string startFailure(const std::string& path, int error) {
    const std::string own = reason(error);
    struct stat st {};
    if (error == EACCES && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return refusal(kAFolder, own);
    if (error != ENOEXEC) return own;
    char start[2] = {};
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t read = file < 0 ? -1 : ::read(file, start, sizeof(start));
    if (file >= 0) close(file);
    if (read == 0) return refusal(kAnEmptyFile, own);
    if (read == 2 && start[0] == 'M' && start[1] == 'Z') {
        return refusal(
            "a Windows program, which Linux starts only through Wine's binfmt support, the "
            "wine-binfmt package",
            own);
    }
    return refusal(
        "not a program this system can start; a script needs a first line that names its "
        "interpreter, such as #!/bin/sh",
        own);
}

}  // namespace

Result<Done> PosixRuntime::startProgram(std::string_view program, std::string_view commandLine,
                                        int) {
    const std::vector<std::string> args = splitCommandLine(program, commandLine);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const std::string path(program);
    const int error = posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) return Result<Done>::failure(startFailure(path, error));
    return Result<Done>::ok({});
}

}  // namespace varnsel::platform::posix
