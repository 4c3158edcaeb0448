// The plain Win32 peer of the launcher's start, for bench_wine_startup: the
// same window as a Win32 programmer writes it first, from stock controls and
// without a manifest. Every control of the window table at its place, with
// its caption and font, the two pictures as bitmap statics, the arrow's
// timer, and a sorted list box filled with LB_ADDSTRING from one
// FindFirstFileW loop, the attributes taken from the find data. With --label
// only a window with one label, what any window pays; with --unsorted the
// floor, the least a window that lists the games can pay: the same
// enumeration, then an unsorted list box filled in one pass, in the
// enumeration's order, with its storage made first and its drawing held
// off. Built a second time with the launcher's manifest, it shows what the
// common controls 6 cost the same window.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "form/window_definition.hpp"

namespace {

namespace form = varnsel::form;
using form::Kind;

HWND arrow = nullptr;
bool sorted = true;

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && arrow) ShowWindow(arrow, IsWindowVisible(arrow) ? SW_HIDE : SW_SHOW);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::wstring wide(std::string_view text) {
    std::wstring out(text.size(), L'\0');
    out.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()))));
    return out;
}

HWND child(const form::ControlDef& c, int dx, int dy, HWND parent) {
    DWORD style = WS_CHILD | (c.visible ? WS_VISIBLE : 0), extended = 0;
    const wchar_t* cls = L"STATIC";
    switch (c.kind) {
        case Kind::PictureBox:
            style |= SS_BITMAP, extended = WS_EX_CLIENTEDGE;
            break;
        case Kind::Image:
            style |= SS_BITMAP;
            break;
        case Kind::ListBox:
            cls = L"LISTBOX", style |= WS_VSCROLL | (sorted ? LBS_SORT : 0) | LBS_NOTIFY,
            extended = WS_EX_CLIENTEDGE;
            break;
        case Kind::Frame:
            cls = L"BUTTON", style |= BS_GROUPBOX;
            break;
        case Kind::CheckBox:
            cls = L"BUTTON", style |= BS_AUTOCHECKBOX | WS_TABSTOP;
            break;
        case Kind::TextBox:
            cls = L"EDIT", style |= ES_AUTOHSCROLL | WS_TABSTOP, extended = WS_EX_CLIENTEDGE;
            break;
        case Kind::CommandButton:
            cls = L"BUTTON", style |= BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP;
            break;
        case Kind::Label:
            style |= c.look.align == form::Align::Centre ? SS_CENTER | WS_BORDER : SS_LEFT;
            break;
        case Kind::Timer:
            return nullptr;
    }
    HWND hwnd = CreateWindowExW(extended, cls, wide(c.caption).c_str(), style, (c.left + dx) / 15,
                                (c.top + dy) / 15, c.width / 15, c.height / 15, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (c.font != form::FontId::None) {
        const form::FontDef f = form::fontDef(c.font);
        HFONT font = f.face.empty()
                         ? static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))
                         : CreateFontW(-MulDiv(static_cast<int>(f.points * 10), 96, 720), 0, 0, 0,
                                       f.weight, 0, 0, 0, static_cast<DWORD>(f.charset), 0, 0, 0, 0,
                                       wide(f.face).c_str());
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (c.picture != form::Picture::None) {
        const int id = c.picture == form::Picture::Illustration ? 1 : 2;
        SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(LoadImageW(
                         GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
    }
    return hwnd;
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
    RECT size{0, 0, form::kWindow.clientWidth / 15, form::kWindow.clientHeight / 15};
    AdjustWindowRect(&size, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window =
        CreateWindowExW(0, L"Peer", wide(form::kWindow.caption).c_str(), WS_OVERLAPPEDWINDOW,
                        CW_USEDEFAULT, CW_USEDEFAULT, size.right - size.left,
                        size.bottom - size.top, nullptr, nullptr, instance, nullptr);
    if (std::wcscmp(arguments, L"--label") == 0) {
        child(form::def("lblListDirs"), 0, 0, window);
    } else {
        sorted = std::wcscmp(arguments, L"--unsorted") != 0;
        HWND list = nullptr, directory = nullptr;
        for (const form::ControlDef& c : form::kControls) {
            const bool framed = !c.container.empty();
            HWND hwnd = child(c, framed ? form::def("fraOptions").left : 0,
                              framed ? form::def("fraOptions").top : 0, window);
            if (c.kind == Kind::ListBox) list = hwnd;
            if (c.kind == Kind::Image) arrow = hwnd;
            if (c.name == "lblDir") directory = hwnd;
        }
        wchar_t path[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, path);
        SetWindowTextW(directory, path);
        std::vector<std::wstring> names;  // the floor's, kept until the enumeration ends
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW(L"*", &found);
        for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
            const DWORD a = found.dwFileAttributes;
            if (!(a & FILE_ATTRIBUTE_DIRECTORY) ||
                (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) ||
                std::wcscmp(found.cFileName, L".") == 0 || std::wcscmp(found.cFileName, L"..") == 0)
                continue;
            if (sorted) {
                SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
            } else {
                names.emplace_back(found.cFileName);
            }
        }
        if (find != INVALID_HANDLE_VALUE) FindClose(find);
        // The floor fills its list in one pass, its storage made first and its
        // drawing held off.
        if (!sorted) {
            SendMessageW(list, LB_INITSTORAGE, names.size(), 0);
            SendMessageW(list, WM_SETREDRAW, FALSE, 0);
            for (const std::wstring& name : names)
                SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        }
        SetTimer(window, 1, 600, nullptr);
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
