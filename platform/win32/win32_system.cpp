#include "platform/win32/win32_system.hpp"

#include "platform/argv_split.hpp"
#include "platform/win32/win32_start.hpp"

namespace varnsel::platform::win32 {

HMODULE systemLibrary(const wchar_t* name) {
    std::wstring path(GetSystemDirectoryW(nullptr, 0), L'\0');  // its length with the null
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0 || length >= path.size()) return nullptr;
    path.resize(length);
    if (path.back() != L'\\') path += L'\\';
    path += name;
    // With a full path the system searches nowhere, on every version.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void keepTheWorkingDirectoryOutOfTheDllSearch() {
    // From Windows 8, and 7 and Vista with their loader update, the search can
    // be the system folder alone, the program's folder left out too.
    using SetDefaultDllDirectories = BOOL WINAPI(DWORD);
    const auto searchOnly = systemFunction<SetDefaultDllDirectories>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (searchOnly) searchOnly(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}

// Read here by the rules CommandLineToArgvW reads them with, which would
// load shell32.dll, and all it loads, at every start for that alone.
std::vector<std::string> programArguments() {
    const std::string line = narrow(GetCommandLineW());
    // The program's own name: in quotes to the next quote, else to a blank.
    const bool quoted = line.starts_with('"');
    std::size_t end = quoted ? line.find('"', 1) : line.find_first_of(" \t");
    end = end == std::string::npos ? line.size() : end + (quoted ? 1 : 0);
    std::vector<std::string> arguments = splitCommandLine("", std::string_view(line).substr(end));
    arguments.erase(arguments.begin());
    for (std::string& argument : arguments) {
        // `"C:\"` arrives as `C:"`: the rules read `\"` as a quote. A path
        // never holds a quote, so this one was the separator before the
        // closing quote.
        if (argument.ends_with('"')) argument.back() = '\\';
    }
    return arguments;
}

}  // namespace varnsel::platform::win32
