// Text between the logic's UTF-8 and the Windows API's UTF-16, exactly, lone
// surrogates included; and the system's own words for an error.
#pragma once

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace varnsel::platform::win32 {

std::wstring wide(std::string_view text);
std::string narrow(const wchar_t* text, std::size_t length);
std::string narrow(const std::wstring& text);
// The system's words for `error`, with the program or file it names in place
// of each of its inserts ("it" where there is none to name).
std::string systemReason(DWORD error, std::string_view insert = {});

}  // namespace varnsel::platform::win32
