// What the driver asks of the launcher from inside it: a hook DLL the
// driver hooks onto the launcher's thread, so that it runs there, on the
// window's own thread, where the system's colours are read and a font handle
// means something. The driver writes a command to the file that
// VARNSEL_PROBE names and posts "VarnselProbe"; the answer goes to the same
// file with ".out" added.
//   colours FACE TEXT    the user's face and button text colours, as SetSysColors
//   dpi N                a move to a monitor of N dpi, as the system makes it
//   fonts                each control's font: its id, then its height, or "dead"
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

HWND launcherWindow() {
    return FindWindowW(L"VarnselWindow", nullptr);
}

std::string colours(std::istream& in) {
    COLORREF values[2] = {};
    in >> values[0] >> values[1];
    const INT elements[2] = {COLOR_BTNFACE, COLOR_BTNTEXT};
    return SetSysColors(2, elements, values) ? "set" : "refused";
}

// As Windows 10 1703 on makes the move: the size is asked, then the window is
// told, with the size scaled linearly as the suggestion where it was not asked.
std::string dpi(std::istream& in) {
    UINT to = 96;
    in >> to;
    HWND window = launcherWindow();
    RECT outer;
    GetWindowRect(window, &outer);
    SIZE size{MulDiv(outer.right - outer.left, static_cast<int>(to), 96),
              MulDiv(outer.bottom - outer.top, static_cast<int>(to), 96)};
    const LRESULT asked =
        SendMessageW(window, 0x02E4 /* WM_GETDPISCALEDSIZE */, to, reinterpret_cast<LPARAM>(&size));
    std::ostringstream out;
    out << "asked " << asked << " " << size.cx << "x" << size.cy << "\n";
    RECT suggested{outer.left, outer.top, outer.left + size.cx, outer.top + size.cy};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    RECT client;
    GetClientRect(window, &client);
    out << "client " << client.right << "x" << client.bottom << "\n";
    return out.str();
}

BOOL CALLBACK fontOf(HWND control, LPARAM out) {
    auto& text = *reinterpret_cast<std::ostringstream*>(out);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (!font) return TRUE;
    LOGFONTW log{};
    text << GetDlgCtrlID(control) << " ";
    if (GetObjectW(font, sizeof(log), &log) == sizeof(log)) {
        text << log.lfHeight << "\n";
    } else {
        text << "dead\n";
    }
    return TRUE;
}

std::string fonts() {
    std::ostringstream out;
    EnumChildWindows(launcherWindow(), fontOf, reinterpret_cast<LPARAM>(&out));
    return out.str();
}

void answer(const std::wstring& file) {
    std::ifstream in(file.c_str());
    std::string command;
    in >> command;
    const std::string said = command == "colours" ? colours(in)
                             : command == "dpi"   ? dpi(in)
                             : command == "fonts" ? fonts()
                                                  : "unknown " + command;
    const std::wstring out = file + L".out";
    std::ofstream((out + L".part").c_str()) << said;
    MoveFileExW((out + L".part").c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK probe(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT asked = RegisterWindowMessageW(L"VarnselProbe");
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == asked) {
        message->message = WM_NULL;
        wchar_t file[MAX_PATH] = {};
        if (GetEnvironmentVariableW(L"VARNSEL_PROBE", file, MAX_PATH)) answer(file);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
