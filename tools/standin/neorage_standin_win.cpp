// The Windows stand-in for the emulator: it records the raw command line it
// was given, its arguments as the C runtime split them, the file it runs
// from and its working directory, and exits. Tests read the record.
//
// Appended, in one write, to the file named by NEORAGE_STANDIN_RECORD:
//   start <pid>
//   line <length> <bytes>     (GetCommandLineW, as UTF-8)
//   image <length> <bytes>    (the program file)
//   cwd <length> <bytes>
//   arg <length> <bytes>      (one line an argument, argv[0] first)
//   end
#include <windows.h>

#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

void field(std::string& out, const char* tag, const std::string& bytes) {
    out += std::string(tag) + ' ' + std::to_string(bytes.size()) + ' ' + bytes + '\n';
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    wchar_t image[MAX_PATH * 4];
    GetModuleFileNameW(nullptr, image, MAX_PATH * 4);
    wchar_t cwd[MAX_PATH * 4];
    GetCurrentDirectoryW(MAX_PATH * 4, cwd);

    std::string record = "start " + std::to_string(GetCurrentProcessId()) + "\n";
    field(record, "line", utf8(GetCommandLineW()));
    field(record, "image", utf8(image));
    field(record, "cwd", utf8(cwd));
    for (int i = 0; i < argc; ++i) field(record, "arg", utf8(argv[i]));
    record += "end\n";

    wchar_t path[MAX_PATH * 4];
    if (!GetEnvironmentVariableW(L"NEORAGE_STANDIN_RECORD", path, MAX_PATH * 4)) return 1;
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return written == record.size() ? 0 : 1;
}
