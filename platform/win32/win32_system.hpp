// A DLL the program asks for at run time, from the system folder alone.
#pragma once

#include "platform/win32/win32_text.hpp"

namespace varnsel::platform::win32 {

// Loads `name` by its full path in the system folder: never through the
// search, whose first places are the program's folder and, on XP, which
// ignores LOAD_LIBRARY_SEARCH_SYSTEM32, the working directory.
HMODULE systemLibrary(const wchar_t* name);

// A function of a system DLL that is not on every Windows the program runs
// on, or null.
template <class Function>
Function* systemFunction(HMODULE library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// A function of user32, which every window has loaded, or null.
template <class Function>
Function* userFunction(const char* name) {
    return systemFunction<Function>(GetModuleHandleW(L"user32.dll"), name);
}

}  // namespace varnsel::platform::win32
