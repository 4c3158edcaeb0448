// The run-time operations on Windows: the working directory, the enumeration,
// attributes, message boxes and the start of a program; and the conversions
// of text and errors the window code shares. Names go to UTF-16 and back
// exactly, lone surrogates included.
#pragma once

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/form_engine.hpp"

namespace varnsel::platform::win32 {

std::wstring wide(std::string_view text);
std::string narrow(const wchar_t* text, std::size_t length);
std::string narrow(const std::wstring& text);
// The system's own words for an error.
std::string systemReason(DWORD error);

class Win32Runtime {
public:
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
    void messageBox(HWND owner, std::string_view message, MessageIcon icon, std::string_view title);
    // CreateProcessW of exactly `program`, in the working directory.
    Result<Done> startProgram(std::string_view program, std::string_view commandLine,
                              int windowStyle);

private:
    Result<std::string> firstShown(WIN32_FIND_DATAW& data, bool present);

    HANDLE find_ = INVALID_HANDLE_VALUE;
    int kinds_ = 0;
};

}  // namespace varnsel::platform::win32
