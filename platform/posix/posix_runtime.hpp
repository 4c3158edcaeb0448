// The run-time operations on a POSIX system: the working directory, the
// enumeration, attributes and the start of a program. Names are carried as
// the exact bytes the file system gave, valid UTF-8 or not.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/form_engine.hpp"

namespace varnsel::platform::posix {

class PosixRuntime {
public:
    PosixRuntime();
    ~PosixRuntime();
    PosixRuntime(const PosixRuntime&) = delete;
    PosixRuntime& operator=(const PosixRuntime&) = delete;

    static constexpr char kSeparator = '/';

    Result<std::string> currentDirectory();
    Result<Done> enterDirectory(std::string_view path);
    // Dot-names other than "." and ".." count as hidden and are not returned.
    Result<std::string> firstEntry(std::string_view pattern, int kinds);
    Result<std::string> nextEntry();
    // A symbolic link to a directory counts as a directory.
    Result<int> attributes(std::string_view path);
    // posix_spawn of exactly `program`: no shell, no PATH search, detached in
    // a session of its own, reaped by the kernel.
    Result<Done> startProgram(std::string_view program, std::string_view commandLine);

private:
    struct Enumeration;
    std::unique_ptr<Enumeration> enumeration_;
};

}  // namespace varnsel::platform::posix
