// The run-time as the launcher's logic sees it: the working directory, the
// enumeration of a directory, a file's attributes and the start of a program.
// Each system gives one (POSIX, Win32); the tests give a fake file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace varnsel::platform {

// The outcome of an operation the user's surroundings can make fail (a
// missing directory, a refused start): the value, or the system's reason.
template <class T>
class Result {
public:
    static Result ok(T value) { return Result(std::move(value), {}); }
    static Result failure(std::string reason) { return Result(std::nullopt, std::move(reason)); }

    explicit operator bool() const { return value_.has_value(); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    const std::string& reason() const { return reason_; }

private:
    Result(std::optional<T> value, std::string reason)
        : value_(std::move(value)), reason_(std::move(reason)) {}
    std::optional<T> value_;
    std::string reason_;
};

struct Done {};

// The directory bit of a file's attributes.
inline constexpr int kDirectoryAttribute = 16;
// The enumeration mask that adds directories to the ordinary entries.
inline constexpr int kIncludeDirectories = 16;
// Window style for a started program: a normal window with the focus.
inline constexpr int kNormalWindowWithFocus = 1;

class Runtime {
public:
    virtual ~Runtime() = default;

    // "\" on Windows, "/" elsewhere.
    virtual char pathSeparator() const = 0;
    // No trailing separator except at a root.
    virtual Result<std::string> currentDirectory() = 0;
    // Makes `path` the working directory.
    virtual Result<Done> enterDirectory(std::string_view path) = 0;
    // Starts an enumeration; a pattern ending in the separator matches every
    // entry of that directory. "" when there is no (further) entry.
    virtual Result<std::string> firstEntry(std::string_view pattern, int kinds) = 0;
    // The next entry of the running enumeration.
    virtual Result<std::string> nextEntry() = 0;
    virtual Result<int> attributes(std::string_view path) = 0;
    // Starts exactly `program` (no search, no shell) with `commandLine`, whose
    // front is that program, in the working directory; does not wait.
    virtual Result<Done> startProgram(std::string_view program, std::string_view commandLine,
                                      int windowStyle) = 0;
};

}  // namespace varnsel::platform
