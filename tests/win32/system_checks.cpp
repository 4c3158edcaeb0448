// What Wine would hide of Windows as it is, each made to show: DLLs planted
// where none may come from, the user's colours set before the start and
// changed while the launcher runs, starts the system refuses, a move to
// another dpi, a drive's root as the folder to open.
#include "tests/win32/system_checks.hpp"

#include "platform/win32/win32_system.hpp"

namespace driving {
namespace {

std::wstring driverFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\'));
}

std::wstring systemFolder() {
    wchar_t path[MAX_PATH] = {};
    GetSystemDirectoryW(path, MAX_PATH);
    return path;
}

std::string contentsOf(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The planted DLL's record of where it was loaded from: nothing, or the
// paths, UTF-16 a line.
std::string plantedLoads(const std::wstring& record) {
    const std::string bytes = contentsOf(record);
    return utf8(std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2));
}

// The libraries the launcher, or the system on its behalf, loads once it
// runs: each planted under its name where it must never come from.
const wchar_t* const kLoadedAtRunTime[] = {L"shcore.dll",  L"oleacc.dll",  L"uxtheme.dll",
                                           L"imm32.dll",   L"msctf.dll",   L"oleaut32.dll",
                                           L"propsys.dll", L"version.dll", L"windowscodecs.dll",
                                           L"dwmapi.dll",  L"msimg32.dll", L"actxprxy.dll"};

}  // namespace

// The one way the launcher loads a DLL, checked here where Wine's own
// GetDpiForWindow keeps the launcher from ever needing shcore.dll: a DLL of
// that name beside the program is not the one it gets.
void aSystemLibraryComesFromTheSystemFolder(Session& s) {
    const std::wstring planted = driverFolder() + L"\\shcore.dll";
    const std::wstring record = s.at.base + L"\\planted-here.log";
    DeleteFileW(record.c_str());
    SetEnvironmentVariableW(L"VARNSEL_PLANTED_RECORD", record.c_str());
    CopyFileW((driverFolder() + L"\\planted.dll").c_str(), planted.c_str(), FALSE);
    HMODULE loaded = varnsel::platform::win32::systemLibrary(L"shcore.dll");
    wchar_t path[MAX_PATH] = {};
    if (loaded) GetModuleFileNameW(loaded, path, MAX_PATH);
    checkEqual(utf8(path), utf8(systemFolder() + L"\\shcore.dll"),
               "a DLL the launcher asks for is the system folder's");
    checkEqual(plantedLoads(record), std::string(), "never the one beside the program");
    if (loaded) FreeLibrary(loaded);
    DeleteFileW(planted.c_str());
}

void noDllComesFromTheGamesFolderOrBesideTheProgram(Session& s) {
    finish(s.launcher);
    const std::wstring besides = s.at.base + L"\\Planted";
    CreateDirectoryW(besides.c_str(), nullptr);
    const std::wstring program = besides + L"\\VARNSEL.exe";
    CopyFileW(s.at.program.c_str(), program.c_str(), FALSE);
    const std::wstring planted = driverFolder() + L"\\planted.dll";
    for (const wchar_t* name : kLoadedAtRunTime) {
        CopyFileW(planted.c_str(), (besides + L"\\" + name).c_str(), FALSE);
        CopyFileW(planted.c_str(), (s.at.folder + L"\\" + name).c_str(), FALSE);
    }
    const std::wstring record = s.at.base + L"\\planted.log";
    DeleteFileW(record.c_str());
    SetEnvironmentVariableW(L"VARNSEL_PLANTED_RECORD", record.c_str());
    Launcher launcher;
    if (check(start(launcher, program, s.at.folder),
              "the launcher starts with DLLs planted beside it and in the games folder")) {
        // What loads a library once it runs: a screen reader's first ask, a
        // tooltip, a start of the emulator, its failure's message box.
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(launcher.control("lstDirs"), WM_GETOBJECT, 0, OBJID_CLIENT,
                            SMTO_ABORTIFHUNG, 5000, &answer);
        SetWindowTextW(launcher.control("lblGame"), std::wstring(80, L'W').c_str());
        pointAt(launcher.control("lblGame"));
        waitFor([&] { return shownTooltip(launcher) != nullptr; });
        DeleteFileW((s.at.folder + L"\\Neorage.exe").c_str());
        click(launcher.control("cmdPlay"));
        Box failure;
        answerBox(launcher, failure);
    }
    checkEqual(plantedLoads(record), std::string(),
               "no DLL planted in the games folder or beside the program is loaded");
    finish(launcher);
    for (const wchar_t* name : kLoadedAtRunTime) {
        DeleteFileW((besides + L"\\" + name).c_str());
        DeleteFileW((s.at.folder + L"\\" + name).c_str());
    }
    DeleteFileW(program.c_str());
    RemoveDirectoryW(besides.c_str());
}

void aStartTheSystemRefusesIsSaidInPlainWords(Session& s) {
    const std::wstring emulator = s.at.folder + L"\\Neorage.exe";
    const std::string prefix = "The emulator \"" + utf8(emulator) + "\" cannot be started: it is ";
    const struct {
        const char* what;
        const char* contents;  // a folder where there are none
        const char* words;
    } cases[] = {{"a text file", "Neorage is in another folder.\r\n", "not a program"},
                 {"an empty file", "", "an empty file, not a program"},
                 {"a folder", nullptr, "a folder, not a program"}};
    for (const auto& c : cases) {
        DeleteFileW(emulator.c_str());
        RemoveDirectoryW(emulator.c_str());
        if (c.contents) {
            std::ofstream(emulator.c_str(), std::ios::binary) << c.contents;
        } else {
            CreateDirectoryW(emulator.c_str(), nullptr);
        }
        click(s.control("cmdPlay"));
        Box refused;
        check(answerBox(s.launcher, refused),
              std::string("Neorage.exe as ") + c.what + " is reported");
        check(refused.text.rfind(prefix, 0) == 0 &&
                  refused.text.find(c.words) != std::string::npos &&
                  refused.text.find('%') == std::string::npos,
              std::string("in plain words, naming the program, no insert left: ") + refused.text);
    }
    RemoveDirectoryW(emulator.c_str());
    checkEqual(s.noChoice().text, std::string("You must chose a game first!"),
               "and the launcher answers after");
}

void aDriveRootOpensAsThatRoot(Session& s) {
    finish(s.launcher);
    Launcher launcher;
    // Quoted as a shortcut quotes it: "C:\" reads as C:" by the argument rules.
    check(start(launcher, s.at.program, s.at.base, L"C:\\"),
          "the launcher opens on the root its quoted argument names");
    checkEqual(utf8(textOf(launcher.control("lblDir"))), std::string("C:\\"),
               "and shows that root");
    finish(launcher);
}

// What the probe inside the launcher answers to `command`.
std::string ask(const Session& s, const Launcher& launcher, const std::string& command) {
    const std::wstring out = s.at.probeFile + L".out";
    DeleteFileW(out.c_str());
    std::ofstream(s.at.probeFile.c_str()) << command;
    static HMODULE probe = LoadLibraryW((driverFolder() + L"\\probe.dll").c_str());
    const auto proc =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "probe")));
    HHOOK hook = proc ? SetWindowsHookExW(WH_GETMESSAGE, proc, probe, launcher.thread) : nullptr;
    if (!hook) return "no hook";
    PostMessageW(launcher.window, RegisterWindowMessageW(L"VarnselProbe"), 0, 0);
    const bool answered =
        waitFor([&] { return GetFileAttributesW(out.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
    UnhookWindowsHookEx(hook);
    return answered ? contentsOf(out) : "no answer";
}

void aMoveToAnotherDpiKeepsTheLayoutExact(Session& s) {
    // 120 dpi, so that the window still fits the screen: a window is never
    // made larger than the screen allows.
    const std::string moved = ask(s, s.launcher, "dpi 120");
    check(moved.rfind("asked 1 ", 0) == 0, "the size a move to 120 dpi suggests is the launcher's");
    check(moved.find("client 961x631") != std::string::npos,
          "the client area is 11535 x 7575 twips at 120 dpi: " + moved);
    RECT list;
    GetWindowRect(s.control("lstDirs"), &list);
    MapWindowPoints(nullptr, s.launcher.window, reinterpret_cast<POINT*>(&list), 2);
    checkEqual(std::to_string(list.left) + "," + std::to_string(list.top), std::string("610,60"),
               "the list where the table puts it at 120 dpi");
    std::istringstream fonts(ask(s, s.launcher, "fonts"));
    int withFont = 0, inBold = 0;
    for (const ControlDef& def : kControls) {
        withFont += def.font != varnsel::form::FontId::None;
        inBold += def.font == varnsel::form::FontId::SystemBold;
    }
    int id = 0, live = 0, bold = 0;
    std::string height;
    while (fonts >> id >> height) {
        const std::size_t row = static_cast<std::size_t>(id - 100);
        if (height == "dead") continue;
        ++live;
        if (row < kControls.size() && kControls[row].font == varnsel::form::FontId::SystemBold &&
            height == "-16")
            ++bold;
    }
    checkEqual(live, withFont, "every control with a font holds a live one");
    checkEqual(bold, inBold, "System bold at 9.75 pt of 120 dpi");
    check(ask(s, s.launcher, "dpi 96").find("client 769x505") != std::string::npos,
          "and back at 96 dpi, 769 x 505 again");
}

namespace {

// A colour scheme set in the prefix before a launcher starts, as a user sets
// one, with theming off, as High Contrast turns it off; the settings before
// it come back after.
class Scheme {
public:
    Scheme(const wchar_t* face, const wchar_t* text) {
        keep(L"Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", L"ThemeActive", L"0");
        // Wine keeps the colours of a running session, its theme's among
        // them, in a key of its own, read before the user's.
        for (const wchar_t* colours :
             {L"Control Panel\\Colors",
              L"Software\\Wine\\Temporary System Parameters\\Control Panel\\Colors"}) {
            keep(colours, L"ButtonFace", face);
            keep(colours, L"ButtonText", text);
        }
    }
    ~Scheme() {
        for (const Kept& k : kept_) {
            HKEY key = nullptr;
            RegCreateKeyExW(HKEY_CURRENT_USER, k.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr);
            if (k.had) {
                set(key, k.name, k.value);
            } else {
                RegDeleteValueW(key, k.name.c_str());
            }
            RegCloseKey(key);
        }
    }

private:
    struct Kept {
        std::wstring key, name, value;
        bool had;
    };
    static void set(HKEY key, const std::wstring& name, const std::wstring& value) {
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    void keep(const wchar_t* path, const wchar_t* name, const wchar_t* value) {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key, nullptr);
        wchar_t old[256] = {};
        DWORD size = sizeof(old);
        const bool had = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                                          &size) == ERROR_SUCCESS;
        kept_.push_back({path, name, old, had});
        set(key, name, value);
        RegCloseKey(key);
    }
    std::vector<Kept> kept_;
};

// How many of the pixels of a capture are `colour`, within `area` of it.
int pixelsOf(const Pixels& p, COLORREF colour, RECT area = {0, 0, 1 << 30, 1 << 30}) {
    const int width = p.header.biWidth, height = p.header.biHeight;
    const int stride = (width * 3 + 3) & ~3;
    int count = 0;
    for (int y = std::max<int>(0, area.top); y < std::min<int>(area.bottom, height); ++y) {
        const char* row = p.bits.data() + static_cast<std::size_t>((height - 1 - y) * stride);
        for (int x = std::max<int>(0, area.left); x < std::min<int>(area.right, width); ++x) {
            const auto* px = reinterpret_cast<const unsigned char*>(row + 3 * x);
            count += RGB(px[2], px[1], px[0]) == colour;
        }
    }
    return count;
}

// Every caption on the face colour in the text colour, the frame's "Options"
// included, and the arrow's grey in the face colour.
void everyCaptionIsReadable(const Launcher& launcher, COLORREF face, COLORREF text,
                            const std::string& when) {
    using varnsel::form::Kind;
    for (const ControlDef& def : kControls) {
        const bool captioned = def.kind == Kind::CheckBox || def.kind == Kind::Frame ||
                               def.kind == Kind::Label || def.kind == Kind::CommandButton;
        HWND hwnd = launcher.control(def.name);
        if (def.kind == Kind::Image) {
            Pixels arrow;
            waitFor([&] {
                arrow = capture(hwnd);
                return pixelsOf(arrow, RGB(192, 192, 192)) == 0 && pixelsOf(arrow, face) > 7000;
            });
            check(pixelsOf(arrow, RGB(192, 192, 192)) == 0 && pixelsOf(arrow, face) > 7000,
                  "the arrow's grey is the face colour " + when);
        }
        if (!captioned) continue;
        // The caption alone: the frame's is its top line, with the check
        // boxes below; a check box's is right of its box; a button's within
        // its edges.
        RECT caption{0, 0, 1 << 30, 1 << 30};
        if (def.kind == Kind::Frame) caption.bottom = 15;
        if (def.kind == Kind::CheckBox) caption.left = 20;
        if (def.kind == Kind::CommandButton)
            caption = {4, 4, def.width / 15 - 4, def.height / 15 - 4};
        int shown = 0;
        waitFor([&] { return (shown = pixelsOf(capture(hwnd), text, caption)) > 10; });
        check(shown > 10, std::string(def.name) + "'s caption is drawn in the text colour " + when +
                              " (" + std::to_string(shown) + " pixels)");
    }
}

}  // namespace

void aDarkSchemeLeavesEveryCaptionReadable(Session& s) {
    finish(s.launcher);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
    Launcher launcher;
    {
        // Yellow on black, a High Contrast scheme's, and no colour of the
        // controls' edges.
        const Scheme dark(L"0 0 0", L"255 255 0");
        if (!check(start(launcher, s.at.program, s.at.folder),
                   "the launcher starts under a dark scheme"))
            return;
    }
    screenshot(launcher.window, s.at.base + L"\\dark.bmp");
    everyCaptionIsReadable(launcher, RGB(0, 0, 0), RGB(255, 255, 0),
                           "under a dark scheme set before the start");
    const COLORREF navy = RGB(0, 0, 128), cyan = RGB(0, 255, 255);
    checkEqual(ask(s, launcher, "colours " + std::to_string(navy) + " " + std::to_string(cyan)),
               std::string("set"), "the scheme changes while the launcher runs");
    everyCaptionIsReadable(launcher, navy, cyan, "after the scheme changed while it runs");
    ask(s, launcher, "colours " + std::to_string(face) + " " + std::to_string(text));
    finish(launcher);
}

}  // namespace driving
