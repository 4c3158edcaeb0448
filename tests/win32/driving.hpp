// What the Windows driver does to VARNSEL.exe and reads back: starting it,
// real keyboard and mouse input (SendInput), its message boxes, its pixels,
// and what the stand-in emulator recorded. Every wait is for a condition,
// bounded; input returns at once and the caller waits for what it does.
#pragma once

#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "form/window_definition.hpp"
#include "tools/standin/record.hpp"

namespace driving {

using varnsel::form::ControlDef;
using varnsel::form::kControls;

inline int passed = 0;
inline int failed = 0;

inline bool check(bool ok, const std::string& what) {
    (ok ? passed : failed)++;
    std::printf("%s %s\n", ok ? "ok    " : "FAILED", what.c_str());
    std::fflush(stdout);
    return ok;
}

template <class T>
void checkEqual(const T& actual, const T& expected, const std::string& what) {
    std::ostringstream text;
    text << what;
    if (!(actual == expected))
        text << "\n         got      [" << actual << "]\n         expected [" << expected << "]";
    check(actual == expected, text.str());
}

inline std::string utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    return out;
}

inline std::wstring wide(std::string_view text) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

inline std::wstring textOf(HWND hwnd) {
    wchar_t buffer[1024] = {};
    SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

inline bool waitFor(const std::function<bool()>& condition, int milliseconds = 5000) {
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (condition()) return true;
        Sleep(20);
    }
    return condition();
}

inline int indexOf(std::string_view name) {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

struct Launcher {
    HWND window = nullptr;
    DWORD thread = 0;
    PROCESS_INFORMATION process{};

    HWND control(std::string_view name) const { return GetDlgItem(window, 100 + indexOf(name)); }
    std::string focused() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(thread, &info);
        const int id = GetDlgCtrlID(info.hwndFocus);
        return id >= 100 && id < 100 + static_cast<int>(kControls.size())
                   ? std::string(kControls[static_cast<std::size_t>(id - 100)].name)
                   : "(none)";
    }
};

// Starts VARNSEL.exe in `folder`, with `argument` unless it is empty.
inline bool run(Launcher& launcher, const std::wstring& program, const std::wstring& folder,
                const std::wstring& argument = L"") {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring line = L"\"" + program + L"\"";
    if (!argument.empty()) line += L" \"" + argument + L"\"";
    const auto create = [&] {
        return CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &startup, &launcher.process) != FALSE;
    };
    // Wine now and then fails a start with an internal error of its own, one
    // start in some dozens; a start the launcher itself fails fails again.
    bool started = create();
    if (!started && GetLastError() == ERROR_INTERNAL_ERROR) {
        std::printf("       Wine's internal error at the start: started again\n");
        started = create();
    }
    if (!started) {
        std::printf("cannot start the launcher: %lu\n", GetLastError());
        return false;
    }
    launcher.thread = launcher.process.dwThreadId;
    return true;
}

// Starts VARNSEL.exe as `run` does and waits for its window.
inline bool start(Launcher& launcher, const std::wstring& program, const std::wstring& folder,
                  const std::wstring& argument = L"") {
    if (!run(launcher, program, folder, argument)) return false;
    WaitForInputIdle(launcher.process.hProcess, 10000);
    const DWORD id = launcher.process.dwProcessId;
    waitFor(
        [&] {
            HWND found = nullptr;
            while ((found = FindWindowExW(nullptr, found, L"VarnselWindow", nullptr))) {
                DWORD owner = 0;
                GetWindowThreadProcessId(found, &owner);
                if (owner == id && IsWindowVisible(found)) break;
            }
            return (launcher.window = found) != nullptr;
        },
        20000);
    if (!launcher.window) return false;
    launcher.thread = GetWindowThreadProcessId(launcher.window, nullptr);
    SetForegroundWindow(launcher.window);
    return waitFor([&] { return GetForegroundWindow() == launcher.window; });
}

// Ends the launcher if it still runs, and lets go of it.
inline void finish(Launcher& launcher) {
    if (!launcher.process.hProcess) return;
    if (WaitForSingleObject(launcher.process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(launcher.process.hProcess, 0);
        WaitForSingleObject(launcher.process.hProcess, 10000);
    }
    CloseHandle(launcher.process.hProcess);
    CloseHandle(launcher.process.hThread);
    launcher = Launcher{};
}

// What a window shows on the screen, as 24-bit rows bottom-up.
struct Pixels {
    BITMAPINFOHEADER header{};
    std::string bits;
};

inline Pixels capture(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto size = static_cast<std::size_t>(((width * 3 + 3) & ~3) * height);
    Pixels pixels{info.bmiHeader, std::string(static_cast<const char*>(bits), size)};
    SelectObject(memory, old);
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// What the window shows, as a 24-bit bitmap file, to look at.
inline void screenshot(HWND window, const std::wstring& path) {
    const Pixels pixels = capture(window);
    const auto headers = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(headers + pixels.bits.size()), 0, 0, headers};
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&pixels.header), sizeof(BITMAPINFOHEADER));
    out.write(pixels.bits.data(), static_cast<std::streamsize>(pixels.bits.size()));
}

inline void key(WORD vk, bool shift = false) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD code, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = code;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    if (shift) add(VK_SHIFT, false);
    add(vk, false);
    add(vk, true);
    if (shift) add(VK_SHIFT, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline void typeText(const char* text) {
    for (const char* c = text; *c; ++c) {
        const SHORT vk = VkKeyScanW(static_cast<wchar_t>(*c));
        key(LOBYTE(vk), (HIBYTE(vk) & 1) != 0);
    }
}

// Rests the pointer on the middle of `hwnd`.
inline void pointAt(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (r.left + r.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = (r.top + r.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(INPUT));
}

inline void click(HWND hwnd, int dx = -1, int dy = -1) {
    RECT r;
    GetClientRect(hwnd, &r);
    POINT p{dx >= 0 ? dx : r.right / 2, dy >= 0 ? dy : r.bottom / 2};
    ClientToScreen(hwnd, &p);
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int h = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = p.x * 65535 / w;
        i.mi.dy = p.y * 65535 / h;
    }
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, in, sizeof(INPUT));
}

struct Box {
    std::string title, text;
    HICON icon = nullptr;  // handles are per process: compared between boxes only
};

inline BOOL CALLBACK findBox(HWND hwnd, LPARAM out) {
    wchar_t cls[64];
    GetClassNameW(hwnd, cls, 64);
    if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The box's icon: its one static control that shows an icon.
inline BOOL CALLBACK findIcon(HWND child, LPARAM out) {
    wchar_t cls[32];
    GetClassNameW(child, cls, 32);
    if (lstrcmpiW(cls, L"Static") == 0 &&
        (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON*>(out) =
            reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

inline BOOL CALLBACK findTooltip(HWND hwnd, LPARAM out) {
    wchar_t cls[64];
    GetClassNameW(hwnd, cls, 64);
    if (lstrcmpiW(cls, TOOLTIPS_CLASSW) != 0 || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
}

// The launcher's tooltip while it shows.
inline HWND shownTooltip(const Launcher& launcher) {
    HWND found = nullptr;
    EnumThreadWindows(launcher.thread, findTooltip, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Waits for a message box of the launcher, writes down what it says, presses OK.
inline bool answerBox(const Launcher& launcher, Box& box, int milliseconds = 5000) {
    HWND found = nullptr;
    waitFor(
        [&] {
            found = nullptr;
            EnumThreadWindows(launcher.thread, findBox, reinterpret_cast<LPARAM>(&found));
            return found != nullptr;
        },
        milliseconds);
    if (!found) return false;
    box.title = utf8(textOf(found));
    box.text = utf8(textOf(GetDlgItem(found, 0xFFFF)));
    // Every box of the launcher's has an icon: read once it is there.
    HICON icon = nullptr;
    waitFor(
        [&] {
            EnumChildWindows(found, findIcon, reinterpret_cast<LPARAM>(&icon));
            return icon != nullptr;
        },
        2000);
    box.icon = icon;
    PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(found, IDOK)));
    waitFor([&] { return !IsWindow(found); });
    return true;
}

using varnsel::standin::Launch;
using varnsel::standin::readLaunches;

// A path the build gave in its Unix form reads, under Wine, through drive Z:.
inline std::wstring windowsPath(std::wstring path) {
    if (path.empty() || path[0] != L'/') return path;
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
    return L"Z:" + path;
}

// The folders every check runs in, made once.
struct Folders {
    std::wstring program, standin, base, folder;
    std::wstring tooltipShot;  // where a screenshot of the tooltip goes, if anywhere
    std::wstring hostile;      // a folder of names Windows cannot make, if any
    std::wstring probeFile;    // what the probe inside the launcher is asked, and answers
};

// One check's launcher, started fresh in the games folder with the emulator
// in place and a record of its own: no game chosen, every box clear, the
// focus on Scanlines.
struct Session {
    const Folders& at;
    std::wstring record;
    Launcher launcher;
    HWND box = nullptr;  // the frame-skip box

    bool open(int number) {
        CopyFileW(at.standin.c_str(), (at.folder + L"\\Neorage.exe").c_str(), FALSE);
        record = at.base + L"\\launches-" + std::to_wstring(number) + L".log";
        DeleteFileW(record.c_str());
        SetEnvironmentVariableW(L"NEORAGE_STANDIN_RECORD", record.c_str());
        if (!start(launcher, at.program, at.folder)) return false;
        box = control("txtFrameSkip");
        return true;
    }
    HWND control(std::string_view name) const { return launcher.control(name); }
    std::string caption(std::string_view name) const { return utf8(textOf(control(name))); }
    std::size_t launches() const { return readLaunches(record).size(); }
    bool focusOn(const char* name) {
        return waitFor([&] { return launcher.focused() == name; });
    }
    // Ticks Frame Skip with a click and waits for its box to take the focus.
    bool showTheBox() {
        click(control("chkFrameSkip"), 30);
        return waitFor([&] { return IsWindowVisible(box) != FALSE; }) && focusOn("txtFrameSkip");
    }
    // Types into the focused box, replacing its text, and waits until it shows.
    void retype(const char* text) {
        SendMessageW(box, EM_SETSEL, 0, -1);
        typeText(text);
        waitFor([&] { return utf8(textOf(box)) == text; });
    }
    // Chooses the list's entry `index` with CHOSE GAME and waits for its name.
    bool choose(int index, const std::string& game) {
        SendMessageW(control("lstDirs"), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        click(control("cmdChoseGame"));
        return waitFor([&] { return caption("lblGame") == game; });
    }
    // The box CHOSE GAME gives with nothing selected: the critical icon.
    Box noChoice() {
        Box box;
        click(control("cmdChoseGame"));
        answerBox(launcher, box);
        return box;
    }
};

}  // namespace driving
