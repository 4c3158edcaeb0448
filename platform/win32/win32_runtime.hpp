// The run-time operations on Windows: the working directory, the enumeration,
// attributes and the start of a program. Names go to UTF-16 and back exactly.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/form_engine.hpp"
#include "platform/win32/win32_text.hpp"

namespace varnsel::platform::win32 {

// The longest command line CreateProcessW takes, without its closing null.
inline constexpr std::size_t kLongestCommandLine = 32766;

class Win32Runtime {
public:
    static constexpr char kSeparator = '\\';

    Win32Runtime() = default;
    ~Win32Runtime();
    Win32Runtime(const Win32Runtime&) = delete;
    Win32Runtime& operator=(const Win32Runtime&) = delete;

    Result<std::string> currentDirectory();
    Result<Done> enterDirectory(std::string_view path);
    // Entries marked hidden or system are not returned.
    Result<std::string> firstEntry(std::string_view pattern, int kinds);
    Result<std::string> nextEntry();
    Result<int> attributes(std::string_view path);
    // CreateProcessW of exactly `program`, in the working directory; a line
    // longer than the system takes is refused, never started cut.
    Result<Done> startProgram(std::string_view program, std::string_view commandLine,
                              int windowStyle);

private:
    Result<std::string> firstShown(WIN32_FIND_DATAW& data, bool present);

    HANDLE find_ = INVALID_HANDLE_VALUE;
    int kinds_ = 0;
    // The entry the enumeration returned last, by the path the scan asks for
    // (the pattern, then its name), with its attributes from the find data:
    // asked again, that path could name another file (a trailing dot or blank
    // dropped, a device) and would cost a system call each.
    std::string lastPath_;
    std::size_t patternLength_ = 0;
    DWORD lastAttributes_ = INVALID_FILE_ATTRIBUTES;
};

}  // namespace varnsel::platform::win32
