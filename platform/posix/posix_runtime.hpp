// The run-time operations on a POSIX system: the working directory, the
// enumeration, attributes and the start of a program. Names are carried as
// the exact bytes the file system gave, valid UTF-8 or not.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/runtime.hpp"

namespace varnsel::platform::posix {

class PosixRuntime : public Runtime {
public:
    PosixRuntime();
    ~PosixRuntime() override;
    PosixRuntime(const PosixRuntime&) = delete;
    PosixRuntime& operator=(const PosixRuntime&) = delete;

    char pathSeparator() const override { return '/'; }
    Result<std::string> currentDirectory() override;
    Result<Done> enterDirectory(std::string_view path) override;
    // Dot-names other than "." and ".." count as hidden and are not returned.
    Result<std::string> firstEntry(std::string_view pattern, int kinds) override;
    Result<std::string> nextEntry() override;
    // A symbolic link to a directory counts as a directory.
    Result<int> attributes(std::string_view path) override;
    // posix_spawn of exactly `program`: no shell, no PATH search, detached in
    // a session of its own, reaped by the kernel. A POSIX window takes no
    // style from its starter.
    Result<Done> startProgram(std::string_view program, std::string_view commandLine,
                              int windowStyle) override;

private:
    struct Enumeration;
    std::unique_ptr<Enumeration> enumeration_;
};

}  // namespace varnsel::platform::posix
