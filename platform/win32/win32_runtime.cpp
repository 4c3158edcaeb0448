#include "platform/win32/win32_runtime.hpp"

#include "platform/refusal.hpp"
#include "platform/win32/win32_text.hpp"

namespace varnsel::platform::win32 {
namespace {

// The longest command line CreateProcessW takes, without its closing null.
constexpr std::size_t kLongestCommandLine = 32766;

// What is wrong with a program the system refused, in plain words where the
// system's are not, with its own reason, its insert filled, kept beside them.
// Read from the file itself: the reasons differ between versions of Windows
// (and Wine), a folder's among them.
std::string startFailure(const std::wstring& path, DWORD error) {
    const std::string own = systemReason(error, narrow(path));
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return own;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return refusal(kAFolder, own);
    char start[2] = {};
    DWORD read = 0;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return own;
    const bool known = ReadFile(file, start, sizeof(start), &read, nullptr) != FALSE;
    CloseHandle(file);
    if (!known) return own;
    if (read == 0) return refusal(kAnEmptyFile, own);
    if (read < 2 || start[0] != 'M' || start[1] != 'Z')
        return refusal("not a program, but a file of another kind", own);
    if (error == ERROR_BAD_EXE_FORMAT || error == ERROR_EXE_MACHINE_TYPE_MISMATCH) {
        return refusal(
            "a program this Windows cannot start: one for DOS, for 16-bit Windows, or for "
            "another processor",
            own);
    }
    return own;
}

}  // namespace

// The running search, and the entry it returned last by the path the scan
// asks for (the pattern, then its name), with its attributes.
struct Win32Runtime::Enumeration {
    ~Enumeration() { close(); }
    void close() {
        if (find != INVALID_HANDLE_VALUE) FindClose(find);
        find = INVALID_HANDLE_VALUE;
    }
    Result<std::string> firstShown(WIN32_FIND_DATAW& data, bool present);

    HANDLE find = INVALID_HANDLE_VALUE;
    int kinds = 0;
    std::string lastPath;
    std::size_t patternLength = 0;
    DWORD lastAttributes = INVALID_FILE_ATTRIBUTES;
};

Win32Runtime::Win32Runtime() : enumeration_(std::make_unique<Enumeration>()) {}
Win32Runtime::~Win32Runtime() = default;

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
    Enumeration& e = *enumeration_;
    e.close();
    e.kinds = kinds;
    e.lastPath.assign(pattern);
    e.patternLength = pattern.size();
    e.lastAttributes = INVALID_FILE_ATTRIBUTES;
    WIN32_FIND_DATAW data;
    e.find = FindFirstFileW((wide(pattern) + L"*").c_str(), &data);
    if (e.find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES)
            return Result<std::string>::ok("");
        return Result<std::string>::failure(systemReason(error));
    }
    return e.firstShown(data, true);
}

Result<std::string> Win32Runtime::nextEntry() {
    Enumeration& e = *enumeration_;
    if (e.find == INVALID_HANDLE_VALUE) return Result<std::string>::ok("");
    WIN32_FIND_DATAW data;
    return e.firstShown(data, FindNextFileW(e.find, &data) != FALSE);
}

// From the entry in `data` (when there is one) on: the first the enumeration
// returns, skipping hidden and system entries and directories not asked for;
// at the end the search closes.
Result<std::string> Win32Runtime::Enumeration::firstShown(WIN32_FIND_DATAW& data, bool present) {
    for (; present; present = FindNextFileW(find, &data) != FALSE) {
        const DWORD a = data.dwFileAttributes;
        const bool hidden = (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        const bool unasked =
            (a & FILE_ATTRIBUTE_DIRECTORY) != 0 && (kinds & kIncludeDirectories) == 0;
        if (!hidden && !unasked) {
            std::string name = narrow(data.cFileName, wcslen(data.cFileName));
            lastPath.resize(patternLength);
            lastPath += name;
            lastAttributes = a;
            return Result<std::string>::ok(std::move(name));
        }
    }
    lastAttributes = INVALID_FILE_ATTRIBUTES;
    const DWORD error = GetLastError();
    close();
    if (error == ERROR_NO_MORE_FILES) return Result<std::string>::ok("");
    return Result<std::string>::failure(systemReason(error));
}

Result<int> Win32Runtime::attributes(std::string_view path) {
    const Enumeration& e = *enumeration_;
    if (e.lastAttributes != INVALID_FILE_ATTRIBUTES && path == e.lastPath)
        return Result<int>::ok(static_cast<int>(e.lastAttributes));
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
    if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return Result<Done>::failure(startFailure(application, GetLastError()));
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Result<Done>::ok({});
}

}  // namespace varnsel::platform::win32
