// Checks VARNSEL.exe from outside, as a user and the emulator see it: it is
// started in a folder of games, driven with real keyboard and mouse input
// (SendInput), its message boxes are found and dismissed, and what the
// stand-in emulator records of its launch is compared with the composed line.
//   varnsel_win32_driver VARNSEL.exe STANDIN.exe [SCREENSHOT.bmp]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/form/window_definition.hpp"
#include "tools/standin/record.hpp"

namespace {

using varnsel::form::ControlDef;
using varnsel::form::kControls;

int passed = 0;
int failed = 0;

void check(bool ok, const std::string& what) {
    (ok ? passed : failed)++;
    std::printf("%s %s\n", ok ? "ok    " : "FAILED", what.c_str());
    std::fflush(stdout);
}

template <class T>
void checkEqual(const T& actual, const T& expected, const std::string& what) {
    std::ostringstream text;
    text << what;
    if (!(actual == expected))
        text << "\n         got      [" << actual << "]\n         expected [" << expected << "]";
    check(actual == expected, text.str());
}

std::string utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring wide(std::string_view text) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::wstring textOf(HWND hwnd) {
    wchar_t buffer[1024] = {};
    SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

bool waitFor(const std::function<bool()>& condition, int milliseconds = 5000) {
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (condition()) return true;
        Sleep(20);
    }
    return condition();
}

int indexOf(std::string_view name) {
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
bool run(Launcher& launcher, const std::wstring& program, const std::wstring& folder,
         const std::wstring& argument = L"") {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring line = L"\"" + program + L"\"";
    if (!argument.empty()) line += L" \"" + argument + L"\"";
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &launcher.process)) {
        std::printf("cannot start the launcher: %lu\n", GetLastError());
        return false;
    }
    launcher.thread = launcher.process.dwThreadId;
    return true;
}

// Starts VARNSEL.exe as `run` does and waits for its window.
bool start(Launcher& launcher, const std::wstring& program, const std::wstring& folder,
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
    Sleep(300);
    return true;
}

// What the window shows, as a 24-bit bitmap file, to look at.
// What a window shows on the screen, as 24-bit rows bottom-up.
struct Pixels {
    BITMAPINFOHEADER header{};
    std::string bits;
};

Pixels capture(HWND window) {
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
void screenshot(HWND window, const std::wstring& path) {
    const Pixels pixels = capture(window);
    const auto headers = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(headers + pixels.bits.size()), 0, 0, headers};
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&pixels.header), sizeof(BITMAPINFOHEADER));
    out.write(pixels.bits.data(), static_cast<std::streamsize>(pixels.bits.size()));
}

void key(WORD vk, bool shift = false) {
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
    Sleep(60);
}

void typeText(const char* text) {
    for (const char* c = text; *c; ++c) {
        const SHORT vk = VkKeyScanW(static_cast<wchar_t>(*c));
        key(LOBYTE(vk), (HIBYTE(vk) & 1) != 0);
    }
}

void click(HWND hwnd, int dx = -1, int dy = -1) {
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
    Sleep(120);
}

struct Box {
    std::string title, text;
    HICON icon = nullptr;  // handles are per process: compared between boxes only
};

BOOL CALLBACK findBox(HWND hwnd, LPARAM out) {
    wchar_t cls[64];
    GetClassNameW(hwnd, cls, 64);
    if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The box's icon: its one static control that shows an icon.
BOOL CALLBACK findIcon(HWND child, LPARAM out) {
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

// Waits for a message box of the launcher, writes down what it says, presses OK.
bool answerBox(const Launcher& launcher, Box& box, int milliseconds = 5000) {
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
    HICON icon = nullptr;
    EnumChildWindows(found, findIcon, reinterpret_cast<LPARAM>(&icon));
    box.icon = icon;
    PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(found, IDOK)));
    waitFor([&] { return !IsWindow(found); });
    return true;
}

using varnsel::standin::Launch;
using varnsel::standin::readLaunches;

}  // namespace

// A path the build gave in its Unix form reads, under Wine, through drive Z:.
std::wstring windowsPath(std::wstring path) {
    if (path.empty() || path[0] != L'/') return path;
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
    return L"Z:" + path;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: driver VARNSEL.exe STANDIN.exe\n");
        return 2;
    }
    const std::wstring program = windowsPath(argv[1]);
    const std::wstring standin = windowsPath(argv[2]);

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base =
        std::wstring(temp) + L"varnsel-driver-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring folder = base + L"\\My Games";
    CreateDirectoryW(base.c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* game : {L"kof98", L"Metal Slug", L"alpha", L"Zeta", L"Beta", L"secret"}) {
        CreateDirectoryW((folder + L"\\" + game).c_str(), nullptr);
    }
    SetFileAttributesW((folder + L"\\secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
    if (!CopyFileW(standin.c_str(), (folder + L"\\Neorage.exe").c_str(), FALSE)) {
        std::printf("cannot copy the stand-in %s: %lu\n", utf8(standin).c_str(), GetLastError());
        return 1;
    }
    CopyFileW(standin.c_str(), (base + L"\\My.exe").c_str(), FALSE);  // the decoy at the blank
    const std::wstring record = base + L"\\launches.log";
    DeleteFileW(record.c_str());
    SetEnvironmentVariableW(L"NEORAGE_STANDIN_RECORD", record.c_str());

    Launcher launcher;
    check(start(launcher, program, folder), "the window opens");
    if (!launcher.window) return 1;
    if (argc > 3) screenshot(launcher.window, windowsPath(argv[3]));

    // --- The window --------------------------------------------------------
    checkEqual(utf8(textOf(launcher.window)), std::string("Varnsel v0.1 "),
               "the title, to the character");
    RECT client;
    GetClientRect(launcher.window, &client);
    checkEqual(std::to_string(client.right) + "x" + std::to_string(client.bottom),
               std::string("769x505"), "the client area at 96 dpi");
    for (const ControlDef& def : kControls) {
        if (def.kind == varnsel::form::Kind::Timer) continue;
        HWND hwnd = launcher.control(def.name);
        RECT r;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, launcher.window, reinterpret_cast<POINT*>(&r), 2);
        int left = def.left, top = def.top;
        const auto container =
            varnsel::form::containerOf({static_cast<int>(&def - kControls.data())});
        if (container != varnsel::form::kForm) {
            left += varnsel::form::def(container).left;
            top += varnsel::form::def(container).top;
        }
        std::ostringstream got, want;
        got << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top;
        want << left / 15 << "," << top / 15 << " " << def.width / 15 << "x" << def.height / 15;
        checkEqual(got.str(), want.str(), std::string(def.name) + " where the table puts it");
        const bool captioned = def.kind != varnsel::form::Kind::ListBox &&
                               def.kind != varnsel::form::Kind::PictureBox &&
                               def.kind != varnsel::form::Kind::Image && def.name != "lblDir";
        if (captioned)
            checkEqual(utf8(textOf(hwnd)), std::string(def.caption),
                       std::string(def.name) + " caption");
    }
    checkEqual(utf8(textOf(launcher.control("lblDir"))), utf8(folder),
               "lblDir shows the working directory");
    HWND list = launcher.control("lstDirs");
    std::string listed;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t item[256] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        listed += (i ? "|" : "") + utf8(item);
    }
    checkEqual(listed, std::string("alpha|Beta|kof98|Metal Slug|Zeta"),
               "the games, sorted without regard to case, hidden left out");
    RECT inside;
    GetClientRect(list, &inside);
    checkEqual(3 * static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)),
               static_cast<int>(inside.bottom), "three whole rows fill the list");

    // --- The keyboard ------------------------------------------------------
    checkEqual(launcher.focused(), std::string("chkScanlines"), "the focus starts on Scanlines");
    const char* order[] = {"lstDirs",    "cmdChoseGame", "cmdPlay",  "cmdQuit",
                           "chkVsync",   "chkFrameSkip", "chkVga",   "chkSkipCode",
                           "pctBrivane", "chkJoystick",  "chkModeX", "chkScanlines"};
    std::string visited, expected;
    for (const char* name : order) {
        key(VK_TAB);
        visited += launcher.focused() + " ";
        expected += std::string(name) + " ";
    }
    checkEqual(visited, expected, "Tab visits the twelve controls and comes back");
    key(VK_TAB, true);
    checkEqual(launcher.focused(), std::string("chkModeX"), "Shift+Tab goes back");

    for (const char* name : {"chkScanlines", "lstDirs"}) {
        while (launcher.focused() != name) key(VK_TAB);
        key(VK_RETURN);
        key(VK_ESCAPE);
    }
    Box none;
    check(!answerBox(launcher, none, 500),
          "Enter and Escape on a check box or the list press no button");
    checkEqual(static_cast<int>(SendMessageW(launcher.control("chkScanlines"), BM_GETCHECK, 0, 0)),
               0, "and tick nothing");
    check(readLaunches(record).empty(), "and start nothing");

    click(launcher.control("cmdChoseGame"));
    Box noChoice;
    check(answerBox(launcher, noChoice), "CHOSE GAME with nothing selected reports");
    checkEqual(noChoice.text, std::string("You must chose a game first!"), "that a game is needed");
    checkEqual(noChoice.title, std::string("Error"), "with the title Error");
    checkEqual(utf8(textOf(launcher.control("lblGame"))), std::string("NONE"),
               "and lblGame as it was");

    // --- The frame-skip box ------------------------------------------------
    HWND box = launcher.control("txtFrameSkip");
    click(launcher.control("chkFrameSkip"), 30);
    waitFor([&] { return IsWindowVisible(box) && launcher.focused() == "txtFrameSkip"; });
    check(IsWindowVisible(box) != FALSE, "ticking Frame Skip shows the box");
    checkEqual(launcher.focused(), std::string("txtFrameSkip"), "with the focus");
    typeText("9");
    key(VK_RETURN);
    Box report;
    check(answerBox(launcher, report), "Enter with 9 reports");
    checkEqual(report.title, std::string("Frame skip value error"), "the report's title");
    checkEqual(report.text, std::string("Frame skip value must be a number between 1 and 4!"),
               "the report's text");
    check(report.icon != nullptr, "the report shows an icon");
    waitFor([&] { return launcher.focused() == "txtFrameSkip"; });
    checkEqual(launcher.focused(), std::string("txtFrameSkip"), "the focus stays in the box");

    key(VK_TAB);
    Box again;
    check(answerBox(launcher, again), "Tab away with 9 reports");
    waitFor([&] { return launcher.focused() == "txtFrameSkip"; });
    checkEqual(launcher.focused(), std::string("txtFrameSkip"), "and the focus comes back");
    const LRESULT selection = SendMessageW(box, EM_GETSEL, 0, 0);
    checkEqual(std::to_string(LOWORD(selection)) + "-" + std::to_string(HIWORD(selection)),
               std::string("0-1"), "with the text selected");
    // Pasted, as a user would put a long text in.
    const std::wstring longText(40000, L'1');
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (longText.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), longText.c_str(), (longText.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(box, WM_PASTE, 0, 0);
    checkEqual(static_cast<int>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0)), 40000,
               "the box takes more than 32767 characters");
    SendMessageW(box, EM_SETSEL, 0, -1);
    typeText("9");
    SendMessageW(box, EM_SETSEL, 0, -1);

    click(launcher.control("cmdPlay"));
    Box fromPlay;
    check(answerBox(launcher, fromPlay), "a click on PLAY with 9 reports");
    Sleep(300);
    check(readLaunches(record).empty(), "and starts nothing");
    waitFor([&] { return launcher.focused() == "txtFrameSkip"; });

    // --- A launch ----------------------------------------------------------
    SendMessageW(box, EM_SETSEL, 0, -1);
    typeText("2");
    SendMessageW(list, LB_SETCURSEL, 2, 0);  // kof98
    click(launcher.control("cmdChoseGame"));
    waitFor([&] { return utf8(textOf(launcher.control("lblGame"))) == "kof98"; });
    checkEqual(utf8(textOf(launcher.control("lblGame"))), std::string("kof98"),
               "CHOSE GAME shows the game");
    click(launcher.control("cmdPlay"));
    std::vector<Launch> launches;
    waitFor([&] { return !(launches = readLaunches(record)).empty(); }, 10000);
    if (launches.empty()) {
        Box unexpected;
        if (answerBox(launcher, unexpected, 1000))
            std::printf("       unexpected box: %s\n", unexpected.text.c_str());
    }
    checkEqual(launches.size(), std::size_t{1}, "PLAY starts one emulator");
    if (!launches.empty()) {
        const std::string path = utf8(folder) + "\\Neorage.exe";
        checkEqual(launches[0].line, "\"" + path + "\" kof98    -f2   ",
                   "the raw command line is the composed one");
        checkEqual(launches[0].image, path,
                   "the program started is the emulator, not the decoy at the blank");
        checkEqual(launches[0].argv.size() > 1 ? launches[0].argv[1] : std::string(),
                   std::string("kof98"), "its first argument is the game");
        checkEqual(launches[0].cwd, utf8(folder), "in the working directory");
    }

    // --- A game with a blank, as one argument -------------------------------
    // Unticked as a screen reader's default action does it, by BM_CLICK
    // rather than by the mouse: the options are all off.
    SendMessageW(launcher.control("chkFrameSkip"), BM_CLICK, 0, 0);
    check(waitFor([&] { return !IsWindowVisible(box); }), "and the box hides, as for a click");
    SendMessageW(list, LB_SETCURSEL, 3, 0);  // Metal Slug
    click(launcher.control("cmdChoseGame"));
    waitFor([&] { return utf8(textOf(launcher.control("lblGame"))) == "Metal Slug"; });
    click(launcher.control("cmdPlay"));
    waitFor([&] { return (launches = readLaunches(record)).size() >= 2; }, 10000);
    checkEqual(launches.size(), std::size_t{2}, "PLAY on \"Metal Slug\" starts the emulator");
    if (launches.size() >= 2) {
        const std::string path = utf8(folder) + "\\Neorage.exe";
        checkEqual(launches[1].line, "\"" + path + "\" \"Metal Slug\"       ",
                   "the game with a blank is quoted on the raw line");
        checkEqual(launches[1].argv.size(), std::size_t{2}, "the C run-time reads two arguments");
        checkEqual(launches[1].argv.back(), std::string("Metal Slug"),
                   "the second is the game, whole");
    }

    // --- A caption drawn as the label draws it, from the first paint -------
    HWND game = launcher.control("lblGame");
    SetWindowTextW(game, L"Super-long-hyphenated-game-name-beyond-the-label");
    Sleep(300);
    const Pixels afterChange = capture(game);
    RedrawWindow(game, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Sleep(300);
    check(capture(game).bits == afterChange.bits,
          "a new caption shows right away as it does after a repaint");

    // --- A command line longer than Windows takes ---------------------------
    SendMessageW(launcher.control("chkFrameSkip"), BM_CLICK, 0, 0);
    waitFor([&] { return launcher.focused() == "txtFrameSkip"; });
    SetWindowTextW(box, (L"2." + std::wstring(40000, L'0')).c_str());  // a valid 2
    click(launcher.control("cmdPlay"));
    Box tooLong;
    check(answerBox(launcher, tooLong), "PLAY with a 40 000-character value reports");
    check(tooLong.text.find("characters long, and Windows takes at most 32766") !=
              std::string::npos,
          "that the line is longer than Windows takes: " + tooLong.text);
    Sleep(300);
    checkEqual(readLaunches(record).size(), std::size_t{2}, "and starts nothing cut short");
    SendMessageW(launcher.control("chkFrameSkip"), BM_CLICK, 0, 0);
    waitFor([&] { return !IsWindowVisible(box); });

    // --- A missing emulator ------------------------------------------------
    DeleteFileW((folder + L"\\Neorage.exe").c_str());
    click(launcher.control("cmdPlay"));
    Box failure;
    check(answerBox(launcher, failure), "a missing emulator is reported");
    checkEqual(failure.title, std::string("Error"), "with the title Error");
    const std::string prefix =
        "The emulator \"" + utf8(folder) + "\\Neorage.exe\" cannot be started: ";
    checkEqual(failure.text.substr(0, prefix.size()), prefix, "naming the program");
    check(failure.text.size() > prefix.size(), "and the system's reason");
    check(failure.icon != nullptr && failure.icon != report.icon,
          "with an icon of its own, not the report's exclamation mark");
    check(failure.icon == noChoice.icon, "the critical icon, as for a missing choice");
    std::printf("       the message: %s\n", failure.text.c_str());
    DWORD_PTR answer = 0;
    check(IsWindow(launcher.window) && SendMessageTimeoutW(launcher.window, WM_NULL, 0, 0,
                                                           SMTO_ABORTIFHUNG, 2000, &answer) != 0,
          "and the window keeps working");

    // --- Quit --------------------------------------------------------------
    click(launcher.control("cmdQuit"));
    check(WaitForSingleObject(launcher.process.hProcess, 5000) == WAIT_OBJECT_0,
          "the quit button ends the launcher");
    CloseHandle(launcher.process.hProcess);
    CloseHandle(launcher.process.hThread);

    // --- Opened on a folder without games, closed by its title bar ---------
    const std::wstring empty = base + L"\\Empty";
    CreateDirectoryW(empty.c_str(), nullptr);
    Launcher second;
    check(start(second, program, base, empty),
          "the launcher opens on the folder its argument names");
    checkEqual(utf8(textOf(second.control("lblDir"))), utf8(empty), "and shows that folder");
    checkEqual(static_cast<int>(SendMessageW(second.control("lstDirs"), LB_GETCOUNT, 0, 0)), 0,
               "with its list empty (where it was started there are two folders)");
    click(second.control("cmdChoseGame"));
    Box noGames;
    check(answerBox(second, noGames), "CHOSE GAME reports that there is nothing to choose");
    checkEqual(noGames.text, std::string("There are no games to play in this directory!"),
               "in these words");
    check(noGames.icon != nullptr && noGames.icon != noChoice.icon,
          "with the exclamation mark, not the critical icon");
    PostMessageW(second.window, WM_CLOSE, 0, 0);
    check(WaitForSingleObject(second.process.hProcess, 5000) == WAIT_OBJECT_0,
          "the title bar's close ends the launcher");
    CloseHandle(second.process.hProcess);
    CloseHandle(second.process.hThread);

    // --- A folder that is not there -----------------------------------------
    Launcher third;
    const std::wstring nowhere = base + L"\\Nowhere";
    Box cannotOpen;
    check(run(third, program, base, nowhere) && answerBox(third, cannotOpen, 20000),
          "an argument naming no folder is reported");
    const std::string opening = "The directory \"" + utf8(nowhere) + "\" cannot be opened: ";
    checkEqual(cannotOpen.text.substr(0, opening.size()), opening, "naming the folder");
    checkEqual(cannotOpen.title, std::string("Error"), "with the title Error");
    DWORD status = 0;
    check(WaitForSingleObject(third.process.hProcess, 5000) == WAIT_OBJECT_0 &&
              GetExitCodeProcess(third.process.hProcess, &status) && status != 0,
          "and the launcher ends with a status that says so");
    CloseHandle(third.process.hProcess);
    CloseHandle(third.process.hThread);

    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
