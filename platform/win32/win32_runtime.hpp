// The run-time on Windows: the working directory, the enumeration,
// attributes and the start of a program. Names go to UTF-16 and back exactly.
// This header holds no Windows type, so the program's start can name it
// without including windows.h.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/runtime.hpp"

namespace varnsel::platform::win32 {

class Win32Runtime : public Runtime {
public:
    Win32Runtime();
    ~Win32Runtime() override;
    Win32Runtime(const Win32Runtime&) = delete;
    Win32Runtime& operator=(const Win32Runtime&) = delete;

    char pathSeparator() const override { return '\\'; }
    Result<std::string> currentDirectory() override;
    Result<Done> enterDirectory(std::string_view path) override;
    // Entries marked hidden or system are not returned.
    Result<std::string> firstEntry(std::string_view pattern, int kinds) override;
    Result<std::string> nextEntry() override;
    // The entry the enumeration returned last is answered from its find data:
    // asked again, its path could name another file (a trailing dot or blank
    // dropped, a device), and each ask costs a system call.
    Result<int> attributes(std::string_view path) override;
    // CreateProcessW of exactly `program`, which inherits the working
    // directory; a line longer than the system takes is refused, never
    // started cut.
    Result<Done> startProgram(std::string_view program, std::string_view commandLine,
                              int windowStyle) override;

private:
    struct Enumeration;
    std::unique_ptr<Enumeration> enumeration_;
};

}  // namespace varnsel::platform::win32
