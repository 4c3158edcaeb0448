#include "platform/win32/win32_runtime.hpp"

namespace varnsel::platform::win32 {

Win32Runtime::~Win32Runtime() {
    if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
}

Result<std::string> Win32Runtime::currentDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring path(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, path.data());
    if (length == 0 || length >= size)
        return Result<std::string>::failure(systemReason(GetLastError()));
    path.resize(length);
    return Result<std::string>::ok(narrow(path));
}

Result<Done> Win32Runtime::enterDirectory(std::string_view path) {
    if (!SetCurrentDirectoryW(wide(path).c_str()))
        return Result<Done>::failure(systemReason(GetLastError()));
    return Result<Done>::ok({});
}

Result<std::string> Win32Runtime::firstEntry(std::string_view pattern, int kinds) {
    if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
    kinds_ = kinds;
    lastPath_.assign(pattern);
    patternLength_ = pattern.size();
    lastAttributes_ = INVALID_FILE_ATTRIBUTES;
    WIN32_FIND_DATAW data;
    find_ = FindFirstFileW((wide(pattern) + L"*").c_str(), &data);
    if (find_ == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES)
            return Result<std::string>::ok("");
        return Result<std::string>::failure(systemReason(error));
    }
    return firstShown(data, true);
}

Result<std::string> Win32Runtime::nextEntry() {
    if (find_ == INVALID_HANDLE_VALUE) return Result<std::string>::ok("");
    WIN32_FIND_DATAW data;
    return firstShown(data, FindNextFileW(find_, &data) != FALSE);
}

// From the entry in `data` (when there is one) on: the first the enumeration
// returns, skipping hidden and system entries and directories not asked for;
// at the end the search closes.
Result<std::string> Win32Runtime::firstShown(WIN32_FIND_DATAW& data, bool present) {
    for (; present; present = FindNextFileW(find_, &data) != FALSE) {
        const DWORD a = data.dwFileAttributes;
        const bool hidden = (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        const bool unasked =
            (a & FILE_ATTRIBUTE_DIRECTORY) != 0 && (kinds_ & kIncludeDirectories) == 0;
        if (!hidden && !unasked) {
            std::string name = narrow(data.cFileName, wcslen(data.cFileName));
            lastPath_.resize(patternLength_);
            lastPath_ += name;
            lastAttributes_ = a;
            return Result<std::string>::ok(std::move(name));
        }
    }
    lastAttributes_ = INVALID_FILE_ATTRIBUTES;
    const DWORD error = GetLastError();
    FindClose(find_);
    find_ = INVALID_HANDLE_VALUE;
    if (error == ERROR_NO_MORE_FILES) return Result<std::string>::ok("");
    return Result<std::string>::failure(systemReason(error));
}

Result<int> Win32Runtime::attributes(std::string_view path) {
    if (lastAttributes_ != INVALID_FILE_ATTRIBUTES && path == lastPath_)
        return Result<int>::ok(static_cast<int>(lastAttributes_));
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Result<int>::failure(systemReason(GetLastError()));
    return Result<int>::ok(static_cast<int>(attributes));
}

Result<Done> Win32Runtime::startProgram(std::string_view program, std::string_view commandLine,
                                        int windowStyle) {
    const std::wstring application = wide(program);
    std::wstring line = wide(commandLine);  // CreateProcessW may write into it
    // Longer, the system would start the program with its line cut short.
    if (line.size() > kLongestCommandLine) {
        return Result<Done>::failure("the command line is " + std::to_string(line.size()) +
                                     " characters long, and Windows takes at most " +
                                     std::to_string(kLongestCommandLine));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = windowStyle == kNormalWindowWithFocus ? SW_SHOWNORMAL : SW_SHOW;
    PROCESS_INFORMATION process{};
    const auto directory = currentDirectory();
    const std::wstring workingDirectory = directory ? wide(*directory) : std::wstring();
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory ? workingDirectory.c_str() : nullptr, &startup, &process)) {
        return Result<Done>::failure(systemReason(GetLastError()));
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Result<Done>::ok({});
}

}  // namespace varnsel::platform::win32
