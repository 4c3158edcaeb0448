// The plain Win32 peer of the launcher's start, for bench_wine: the window a
// Win32 programmer writes first, from stock controls. A sorted list box filled
// with LB_ADDSTRING from one FindFirstFileW loop, the attributes taken from
// the find data; with --label only a window with one label, what any window
// pays.
#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND child(const wchar_t* cls, const wchar_t* text, DWORD style, RECT r, HWND parent) {
    return CreateWindowExW(style & WS_VSCROLL ? WS_EX_CLIENTEDGE : 0, cls, text,
                           WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right, r.bottom, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Peer";
    RegisterClassW(&windowClass);
    RECT size{0, 0, 769, 505};
    AdjustWindowRect(&size, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowExW(0, L"Peer", L"Varnsel v0.1 ", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, size.right - size.left, size.bottom - size.top,
                                  nullptr, nullptr, instance, nullptr);
    child(L"STATIC", L"Games in this directory:", 0, {488, 24, 161, 25}, window);
    if (std::wcscmp(arguments, L"--label") != 0) {
        HWND list = child(L"LISTBOX", nullptr, WS_VSCROLL | LBS_SORT | LBS_NOTIFY | LBS_HASSTRINGS,
                          {488, 48, 169, 52}, window);
        wchar_t directory[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, directory);
        child(L"STATIC", directory, 0, {152, 432, 241, 25}, window);
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW(L"*", &found);
        for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
            const DWORD a = found.dwFileAttributes;
            if ((a & FILE_ATTRIBUTE_DIRECTORY) &&
                !(a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
                std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0)
                SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
        }
        if (find != INVALID_HANDLE_VALUE) FindClose(find);
    }
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
