// A DLL planted where no DLL of the launcher should come from (the games
// folder, beside the program), under the name of one the launcher or the
// system loads at run time. Loaded, it writes its own path to the file
// VARNSEL_PLANTED_RECORD names, and refuses to stay.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t record[MAX_PATH] = {}, path[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"VARNSEL_PLANTED_RECORD", record, MAX_PATH)) return FALSE;
    GetModuleFileNameW(self, path, MAX_PATH);
    HANDLE file = CreateFileW(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, path, static_cast<DWORD>(lstrlenW(path) * sizeof(wchar_t)), &written,
                  nullptr);
        WriteFile(file, L"\n", sizeof(wchar_t), &written, nullptr);
        CloseHandle(file);
    }
    return FALSE;  // the load fails, and the program goes on as without it
}
