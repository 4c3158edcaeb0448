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
std::string systemReason(DWORD error);

}  // namespace varnsel::platform::win32
