// Checks VARNSEL.exe from outside, as a user and the emulator see it: it is
// started in a folder of games, driven with real keyboard and mouse input,
// its message boxes are found and dismissed, and what the stand-in emulator
// records of its launch is compared with the composed line. One behaviour a
// function, each on a launcher of its own started fresh, so that a failure
// names one behaviour and leaves the checks after it untouched.
//   varnsel_win32_driver VARNSEL.exe STANDIN.exe [SCREENSHOT.bmp [HOSTILE]]
// HOSTILE is a folder of names only the Linux side can make (tests/win32/drive).
#include "tests/win32/system_checks.hpp"

using namespace driving;

namespace {

const char* const kReport = "Frame skip value must be a number between 1 and 4!";

void theWindowIsAsTheTableDrawsIt(Session& s) {
    checkEqual(utf8(textOf(s.launcher.window)), std::string("Varnsel v0.1 "),
               "the title, to the character");
    RECT client;
    GetClientRect(s.launcher.window, &client);
    checkEqual(std::to_string(client.right) + "x" + std::to_string(client.bottom),
               std::string("769x505"), "the client area at 96 dpi");
    for (const ControlDef& def : kControls) {
        if (def.kind == varnsel::form::Kind::Timer) continue;
        HWND hwnd = s.control(def.name);
        RECT r;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, s.launcher.window, reinterpret_cast<POINT*>(&r), 2);
        int left = def.left, top = def.top;
        const auto container = varnsel::form::containerOf(
            varnsel::form::ControlId(static_cast<int>(&def - kControls.data())));
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
        if (captioned) {
            checkEqual(utf8(textOf(hwnd)), std::string(def.caption),
                       std::string(def.name) + " caption");
        }
    }
}

// The list's entries, top to bottom.
std::vector<std::string> entriesOf(HWND list) {
    std::vector<std::string> entries;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t item[MAX_PATH] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        entries.push_back(utf8(item));
    }
    return entries;
}

void theFolderAndItsGamesAreListed(Session& s) {
    checkEqual(s.caption("lblDir"), utf8(s.at.folder), "lblDir shows the working directory");
    HWND list = s.control("lstDirs");
    std::string listed;
    for (const std::string& entry : entriesOf(list)) listed += (listed.empty() ? "" : "|") + entry;
    checkEqual(listed, std::string("alpha|Beta|kof98|Metal Slug|Zeta"),
               "the games, sorted without regard to case, hidden left out");
    RECT inside;
    GetClientRect(list, &inside);
    checkEqual(3 * static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)),
               static_cast<int>(inside.bottom), "three whole rows fill the list");
}

void tabFollowsTheTabOrder(Session& s) {
    check(s.focusOn("chkScanlines"), "the focus starts on Scanlines");
    const char* order[] = {"lstDirs",    "cmdChoseGame", "cmdPlay",  "cmdQuit",
                           "chkVsync",   "chkFrameSkip", "chkVga",   "chkSkipCode",
                           "pctBrivane", "chkJoystick",  "chkModeX", "chkScanlines"};
    std::string visited, expected;
    for (const char* name : order) {
        key(VK_TAB);
        s.focusOn(name);
        visited += s.launcher.focused() + " ";
        expected += std::string(name) + " ";
    }
    checkEqual(visited, expected, "Tab visits the twelve controls and comes back");
    key(VK_TAB, true);
    check(s.focusOn("chkModeX"), "Shift+Tab goes back");
}

void enterAndEscapePressNothing(Session& s) {
    for (const char* name : {"chkScanlines", "lstDirs"}) {
        while (s.launcher.focused() != name) {
            const std::string before = s.launcher.focused();
            key(VK_TAB);
            waitFor([&] { return s.launcher.focused() != before; });
        }
        key(VK_RETURN);
        key(VK_ESCAPE);
    }
    // Nothing to wait for when nothing happens: a box would open within 500 ms.
    Box none;
    check(!answerBox(s.launcher, none, 500),
          "Enter and Escape on a check box or the list press no button");
    checkEqual(static_cast<int>(SendMessageW(s.control("chkScanlines"), BM_GETCHECK, 0, 0)), 0,
               "and tick nothing");
    check(s.launches() == 0, "and start nothing");
}

void choosingWithNothingSelectedIsReported(Session& s) {
    click(s.control("cmdChoseGame"));
    Box noChoice;
    check(answerBox(s.launcher, noChoice), "CHOSE GAME with nothing selected reports");
    checkEqual(noChoice.text, std::string("You must chose a game first!"), "that a game is needed");
    checkEqual(noChoice.title, std::string("Error"), "with the title Error");
    checkEqual(s.caption("lblGame"), std::string("NONE"), "and lblGame as it was");
}

void aBadFrameSkipValueIsReportedAndKeepsTheFocus(Session& s) {
    const Box critical = s.noChoice();
    check(s.showTheBox(), "ticking Frame Skip shows the box, with the focus");
    typeText("9");
    key(VK_RETURN);
    Box report;
    check(answerBox(s.launcher, report), "Enter with 9 reports");
    checkEqual(report.title, std::string("Frame skip value error"), "the report's title");
    checkEqual(report.text, std::string(kReport), "the report's text");
    check(report.icon != nullptr && report.icon != critical.icon,
          "the report shows the exclamation mark, not the critical icon");
    check(s.focusOn("txtFrameSkip"), "the focus stays in the box");

    key(VK_TAB);
    Box again;
    check(answerBox(s.launcher, again), "Tab away with 9 reports");
    check(s.focusOn("txtFrameSkip"), "and the focus comes back");
    const LRESULT selection = SendMessageW(s.box, EM_GETSEL, 0, 0);
    checkEqual(std::to_string(LOWORD(selection)) + "-" + std::to_string(HIWORD(selection)),
               std::string("0-1"), "with the text selected");
}

void theBoxTakesALongText(Session& s) {
    s.showTheBox();
    // Pasted, as a user would put a long text in.
    const std::wstring longText(40000, L'1');
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (longText.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), longText.c_str(), (longText.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(s.box, WM_PASTE, 0, 0);
    checkEqual(static_cast<int>(SendMessageW(s.box, WM_GETTEXTLENGTH, 0, 0)), 40000,
               "the box takes more than 32767 characters");
}

void aClickOnPlayWithABadValueStartsNothing(Session& s) {
    s.showTheBox();
    s.retype("9");
    click(s.control("cmdPlay"));
    Box fromPlay;
    check(answerBox(s.launcher, fromPlay), "a click on PLAY with 9 reports");
    // Nothing to wait for when nothing starts: an emulator would record within 500 ms.
    check(!waitFor([&] { return s.launches() > 0; }, 500), "and starts nothing");
    check(s.focusOn("txtFrameSkip"), "and the focus is back in the box");
}

void playStartsTheComposedLine(Session& s) {
    s.showTheBox();
    s.retype("2");
    check(s.choose(2, "kof98"), "CHOSE GAME shows the game");
    click(s.control("cmdPlay"));
    std::vector<Launch> launches;
    waitFor([&] { return !(launches = readLaunches(s.record)).empty(); }, 10000);
    if (launches.empty()) {
        Box unexpected;
        if (answerBox(s.launcher, unexpected, 1000))
            std::printf("       unexpected box: %s\n", unexpected.text.c_str());
    }
    checkEqual(launches.size(), std::size_t{1}, "PLAY starts one emulator");
    if (launches.empty()) return;
    const std::string path = utf8(s.at.folder) + "\\Neorage.exe";
    checkEqual(launches[0].line, "\"" + path + "\" kof98    -f2   ",
               "the raw command line is the composed one");
    checkEqual(launches[0].image, path,
               "the program started is the emulator, not the decoy at the blank");
    checkEqual(launches[0].argv.size() > 1 ? launches[0].argv[1] : std::string(),
               std::string("kof98"), "its first argument is the game");
    checkEqual(launches[0].cwd, utf8(s.at.folder), "in the working directory");
}

void aGameWithABlankArrivesAsOneArgument(Session& s) {
    // Unticked as a screen reader's default action does it, by BM_CLICK
    // rather than by the mouse, with a good value in the box: the options
    // are all off. Posted, so that a box it opens cannot hold the driver.
    s.showTheBox();
    s.retype("2");
    PostMessageW(s.control("chkFrameSkip"), BM_CLICK, 0, 0);
    check(waitFor([&] { return !IsWindowVisible(s.box); }), "and the box hides, as for a click");
    s.choose(3, "Metal Slug");
    click(s.control("cmdPlay"));
    std::vector<Launch> launches;
    waitFor([&] { return !(launches = readLaunches(s.record)).empty(); }, 10000);
    checkEqual(launches.size(), std::size_t{1}, "PLAY on \"Metal Slug\" starts the emulator");
    if (launches.empty()) return;
    const std::string path = utf8(s.at.folder) + "\\Neorage.exe";
    checkEqual(launches[0].line, "\"" + path + "\" \"Metal Slug\"       ",
               "the game with a blank is quoted on the raw line");
    checkEqual(launches[0].argv.size(), std::size_t{2}, "the C run-time reads two arguments");
    checkEqual(launches[0].argv.back(), std::string("Metal Slug"), "the second is the game, whole");
}

// What the label shows once it has painted, and stays so.
Pixels painted(HWND label) {
    Pixels last = capture(label);
    waitFor([&] {
        Pixels now = capture(label);
        const bool same = now.bits == last.bits;
        last = std::move(now);
        return same;
    });
    return last;
}

void aNewCaptionIsDrawnAsTheLabelDrawsIt(Session& s) {
    HWND game = s.control("lblGame");
    const Pixels before = painted(game);
    SetWindowTextW(game, L"Super-long-hyphenated-game-name-beyond-the-label");
    waitFor([&] { return capture(game).bits != before.bits; });
    const Pixels afterChange = painted(game);
    RedrawWindow(game, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    // Nothing to wait for if the repaint draws it alike: one that draws it
    // otherwise shows within 1.5 s.
    waitFor([&] { return capture(game).bits != afterChange.bits; }, 1500);
    check(painted(game).bits == afterChange.bits,
          "a new caption shows right away as it does after a repaint");
}

void aCaptionWiderThanTheScreenShowsWhollyInItsTooltip(Session& s) {
    HWND game = s.control("lblGame");
    const std::string name(210, 'A');
    SetWindowTextW(game, wide(name).c_str());
    pointAt(game);
    HWND tip = nullptr;
    check(waitFor([&] { return (tip = shownTooltip(s.launcher)) != nullptr; }),
          "resting on a cut-off Game Selected shows a tooltip");
    if (!tip) return;
    waitFor([&] { return !textOf(tip).empty(); });
    if (!s.at.tooltipShot.empty()) screenshot(GetDesktopWindow(), s.at.tooltipShot);
    RECT r;
    GetWindowRect(tip, &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(tip, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT inside;
    check(IntersectRect(&inside, &r, &monitor.rcWork) && EqualRect(&inside, &r),
          "wholly on the screen: " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
              std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));
    std::string shown = utf8(textOf(tip));
    shown.erase(
        std::remove_if(shown.begin(), shown.end(), [](char c) { return c == '\n' || c == '\r'; }),
        shown.end());
    checkEqual(shown, name, "with the whole name, on lines of its own");
}

void aLineLongerThanWindowsTakesIsReported(Session& s) {
    PostMessageW(s.control("chkFrameSkip"), BM_CLICK, 0, 0);
    s.focusOn("txtFrameSkip");
    SetWindowTextW(s.box, (L"2." + std::wstring(40000, L'0')).c_str());  // a valid 2
    const DWORD pressed = GetTickCount();
    click(s.control("cmdPlay"));
    Box tooLong;
    check(answerBox(s.launcher, tooLong, 20000), "PLAY with a 40 000-character value reports");
    std::printf("       after %lu ms\n", GetTickCount() - pressed);
    check(
        tooLong.text.find("characters long, and Windows takes at most 32766") != std::string::npos,
        "that the line is longer than Windows takes: " + tooLong.text);
    // Nothing to wait for when nothing starts: an emulator would record within 500 ms.
    check(!waitFor([&] { return s.launches() > 0; }, 500), "and starts nothing cut short");
}

void aMissingEmulatorIsReported(Session& s) {
    DeleteFileW((s.at.folder + L"\\Neorage.exe").c_str());
    click(s.control("cmdPlay"));
    Box failure;
    check(answerBox(s.launcher, failure), "a missing emulator is reported");
    checkEqual(failure.title, std::string("Error"), "with the title Error");
    const std::string prefix =
        "The emulator \"" + utf8(s.at.folder) + "\\Neorage.exe\" cannot be started: ";
    checkEqual(failure.text.substr(0, prefix.size()), prefix, "naming the program");
    check(failure.text.size() > prefix.size(), "and the system's reason");
    check(failure.icon != nullptr && failure.icon == s.noChoice().icon,
          "with the critical icon, as for a missing choice");
    std::printf("       the message: %s\n", failure.text.c_str());
    DWORD_PTR answer = 0;
    check(IsWindow(s.launcher.window) && SendMessageTimeoutW(s.launcher.window, WM_NULL, 0, 0,
                                                             SMTO_ABORTIFHUNG, 2000, &answer) != 0,
          "and the window keeps working");
}

void quitEndsTheLauncher(Session& s) {
    click(s.control("cmdQuit"));
    check(WaitForSingleObject(s.launcher.process.hProcess, 5000) == WAIT_OBJECT_0,
          "the quit button ends the launcher");
}

void anArgumentNamesTheFolderToOpen(Session& s) {
    const std::wstring empty = s.at.base + L"\\Empty";
    CreateDirectoryW(empty.c_str(), nullptr);
    finish(s.launcher);  // its window could come back over the other's and take the clicks
    Launcher second;
    check(start(second, s.at.program, s.at.base, empty),
          "the launcher opens on the folder its argument names");
    checkEqual(utf8(textOf(second.control("lblDir"))), utf8(empty), "and shows that folder");
    checkEqual(static_cast<int>(SendMessageW(second.control("lstDirs"), LB_GETCOUNT, 0, 0)), 0,
               "with its list empty (where it was started there are two folders)");
    click(second.control("cmdChoseGame"));
    Box noGames;
    check(answerBox(second, noGames), "CHOSE GAME reports that there is nothing to choose");
    checkEqual(noGames.text, std::string("There are no games to play in this directory!"),
               "in these words");
    click(second.control("cmdPlay"));  // no emulator in that folder: the critical icon
    Box noEmulator;
    answerBox(second, noEmulator);
    check(noGames.icon != nullptr && noGames.icon != noEmulator.icon,
          "with the exclamation mark, not the critical icon");
    PostMessageW(second.window, WM_CLOSE, 0, 0);
    check(WaitForSingleObject(second.process.hProcess, 5000) == WAIT_OBJECT_0,
          "the title bar's close ends the launcher");
    finish(second);
}

void aFolderThatIsNotThereIsReported(Session& s) {
    Launcher third;
    const std::wstring nowhere = s.at.base + L"\\Nowhere";
    Box cannotOpen;
    check(run(third, s.at.program, s.at.base, nowhere) && answerBox(third, cannotOpen, 20000),
          "an argument naming no folder is reported");
    const std::string opening = "The directory \"" + utf8(nowhere) + "\" cannot be opened: ";
    checkEqual(cannotOpen.text.substr(0, opening.size()), opening, "naming the folder");
    checkEqual(cannotOpen.title, std::string("Error"), "with the title Error");
    DWORD status = 0;
    check(WaitForSingleObject(third.process.hProcess, 5000) == WAIT_OBJECT_0 &&
              GetExitCodeProcess(third.process.hProcess, &status) && status != 0,
          "and the launcher ends with a status that says so");
    finish(third);
}

// The sub-directories the enumeration returns, as it spells them, sorted.
std::vector<std::string> subDirectories(const std::wstring& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
            names.push_back(utf8(name));
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

void everyNameTheEnumerationReturnsIsListedAndLaunchedAsSpelt(Session& s) {
    if (s.at.hostile.empty()) return;
    const std::vector<std::string> enumerated = subDirectories(s.at.hostile);
    CopyFileW(s.at.standin.c_str(), (s.at.hostile + L"\\Neorage.exe").c_str(), FALSE);
    finish(s.launcher);  // its window could come back over the other's and take the clicks
    Launcher launcher;
    check(start(launcher, s.at.program, s.at.base, s.at.hostile),
          "the launcher opens on a folder of names Windows cannot make");
    HWND list = launcher.control("lstDirs");
    const std::vector<std::string> listed = entriesOf(list);
    std::vector<std::string> sorted = listed;
    std::sort(sorted.begin(), sorted.end());
    std::string all;
    for (const std::string& name : enumerated) all += "[" + name + "]";
    check(sorted == enumerated, "every sub-directory the enumeration returns is listed: " + all);
    std::vector<std::string> played;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        SendMessageW(list, LB_SETCURSEL, i, 0);
        click(launcher.control("cmdChoseGame"));
        waitFor([&] { return utf8(textOf(launcher.control("lblGame"))) == listed[i]; });
        click(launcher.control("cmdPlay"));
        waitFor([&] { return readLaunches(s.record).size() > i; }, 10000);
    }
    for (const Launch& launch : readLaunches(s.record))
        played.push_back(launch.argv.size() == 2 ? launch.argv[1] : "(" + launch.line + ")");
    std::sort(played.begin(), played.end());
    std::string got;
    for (const std::string& name : played) got += "[" + name + "]";
    checkEqual(got, all, "and PLAY passes each as the enumeration spelt it, one argument");
    finish(launcher);
}

// A games folder with a blank in its path (and a decoy program at the blank)
// and five games and a hidden folder.
bool prepare(Folders& at) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    at.base = std::wstring(temp) + L"varnsel-driver-" + std::to_wstring(GetCurrentProcessId());
    at.folder = at.base + L"\\My Games";
    CreateDirectoryW(at.base.c_str(), nullptr);
    CreateDirectoryW(at.folder.c_str(), nullptr);
    for (const wchar_t* game : {L"kof98", L"Metal Slug", L"alpha", L"Zeta", L"Beta", L"secret"})
        CreateDirectoryW((at.folder + L"\\" + game).c_str(), nullptr);
    SetFileAttributesW((at.folder + L"\\secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
    if (!CopyFileW(at.standin.c_str(), (at.base + L"\\My.exe").c_str(), FALSE)) {
        std::printf("cannot copy the stand-in %s: %lu\n", utf8(at.standin).c_str(), GetLastError());
        return false;
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: driver VARNSEL.exe STANDIN.exe [SCREENSHOT.bmp [HOSTILE]]\n");
        return 2;
    }
    Folders at{windowsPath(argv[1]), windowsPath(argv[2]), {}, {}, {}, {}};
    if (argc > 3) {
        at.tooltipShot = windowsPath(argv[3]);
        at.tooltipShot.insert(at.tooltipShot.rfind(L'.'), L"-tooltip");
    }
    if (argc > 4) at.hostile = windowsPath(argv[4]);
    if (!prepare(at)) return 1;
    at.probeFile = at.base + L"\\probe.txt";
    SetEnvironmentVariableW(L"VARNSEL_PROBE", at.probeFile.c_str());

    const std::pair<const char*, void (*)(Session&)> checks[] = {
        {"the window", theWindowIsAsTheTableDrawsIt},
        {"the list", theFolderAndItsGamesAreListed},
        {"Tab", tabFollowsTheTabOrder},
        {"Enter and Escape", enterAndEscapePressNothing},
        {"CHOSE GAME without a game", choosingWithNothingSelectedIsReported},
        {"a bad frame-skip value", aBadFrameSkipValueIsReportedAndKeepsTheFocus},
        {"a long text", theBoxTakesALongText},
        {"PLAY with a bad value", aClickOnPlayWithABadValueStartsNothing},
        {"a launch", playStartsTheComposedLine},
        {"a game with a blank", aGameWithABlankArrivesAsOneArgument},
        {"a new caption", aNewCaptionIsDrawnAsTheLabelDrawsIt},
        {"a tooltip wider than the screen", aCaptionWiderThanTheScreenShowsWhollyInItsTooltip},
        {"a line too long", aLineLongerThanWindowsTakesIsReported},
        {"a missing emulator", aMissingEmulatorIsReported},
        {"quit", quitEndsTheLauncher},
        {"the folder argument", anArgumentNamesTheFolderToOpen},
        {"a folder not there", aFolderThatIsNotThereIsReported},
        {"names Windows cannot make", everyNameTheEnumerationReturnsIsListedAndLaunchedAsSpelt},
        {"a start the system refuses", aStartTheSystemRefusesIsSaidInPlainWords},
        {"a drive's root", aDriveRootOpensAsThatRoot},
        {"another dpi", aMoveToAnotherDpiKeepsTheLayoutExact},
        {"a dark scheme", aDarkSchemeLeavesEveryCaptionReadable},
        {"a system library", aSystemLibraryComesFromTheSystemFolder},
        {"planted DLLs", noDllComesFromTheGamesFolderOrBesideTheProgram},
    };
    int number = 0;
    for (const auto& [name, run] : checks) {
        std::printf("--- %s\n", name);
        Session s{at, {}, {}, nullptr};
        if (check(s.open(++number), "a fresh launcher's window opens") && number == 1 && argc > 3)
            screenshot(s.launcher.window, windowsPath(argv[3]));
        if (s.launcher.window) run(s);
        finish(s.launcher);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
