#include "platform/win32/win32_runtime.hpp"

#include "platform/wtf8.hpp"

namespace varnsel::platform::win32 {

std::wstring wide(std::string_view text) {
    const std::u16string utf16 = toUtf16(text);
    return {utf16.begin(), utf16.end()};
}

std::string narrow(const wchar_t* text, std::size_t length) {
    return fromUtf16({reinterpret_cast<const char16_t*>(text), length});
}

std::string narrow(const std::wstring& text) {
    return narrow(text.data(), text.size());
}

std::string systemReason(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(error);
    LocalFree(buffer);
    // Without the trailing line break.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return narrow(text);
}

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
            return Result<std::string>::ok(narrow(data.cFileName, wcslen(data.cFileName)));
        }
    }
    const DWORD error = GetLastError();
    FindClose(find_);
    find_ = INVALID_HANDLE_VALUE;
    if (error == ERROR_NO_MORE_FILES) return Result<std::string>::ok("");
    return Result<std::string>::failure(systemReason(error));
}

Result<int> Win32Runtime::attributes(std::string_view path) {
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Result<int>::failure(systemReason(GetLastError()));
    return Result<int>::ok(static_cast<int>(attributes));
}

void Win32Runtime::messageBox(HWND owner, std::string_view message, MessageIcon icon,
                              std::string_view title) {
    // The icon's number is the message box style that shows it.
    MessageBoxW(owner, wide(message).c_str(), wide(title).c_str(), MB_OK | static_cast<UINT>(icon));
}

Result<Done> Win32Runtime::startProgram(std::string_view program, std::string_view commandLine,
                                        int windowStyle) {
    const std::wstring application = wide(program);
    std::wstring line = wide(commandLine);  // CreateProcessW may write into it
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
