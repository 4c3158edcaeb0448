// The inside of the Win32 engine: its window, its controls by their rows in
// the window table, and one small function per message.
#pragma once

#include "platform/win32/win32_text.hpp"
// After windows.h, which they build on.
#include <commctrl.h>
#include <oleacc.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "form/window_definition.hpp"
#include "platform/engine_core.hpp"
#include "platform/label_layout.hpp"
#include "platform/win32/win32_engine.hpp"

namespace varnsel::platform::win32 {

inline constexpr int kFirstId = 100;  // clear of IDOK and IDCANCEL
inline constexpr UINT kPump = WM_APP + 1;
inline constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE, Windows 10 1703
inline constexpr wchar_t kWindowClass[] = L"VarnselWindow";
inline constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;  // the window's
inline constexpr wchar_t kPictureClass[] = L"VarnselPicture";

// A control's child-window id and timer id, from its row in the table.
inline int idOf(ControlId control) {
    return kFirstId + control.index;
}

// A message to a control, with the control's own handling at hand.
struct Message {
    ControlId control;
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    WNDPROC own;
    LRESULT standard() const { return CallWindowProcW(own, hwnd, message, wParam, lParam); }
};

struct Win32FormEngine::Impl {
    Impl();
    ~Impl();

    // Building (win32_window.cpp).
    void build();
    static std::vector<ControlId> frontToBack();
    void make(ControlId control);
    RECT placeOf(ControlId control) const;
    void setFont(ControlId control, bool redraw);
    void layout();
    void makeFonts();
    SIZE outerSizeAt(int atDpi) const;
    void fitClientArea();
    int scale(int twips) const { return MulDiv(twips, dpi, 1440); }

    HWND hwnd(ControlId control) const { return hwnds[static_cast<std::size_t>(control.index)]; }
    std::optional<ControlId> controlOf(HWND hwnd) const;
    void setTimer(ControlId timer, bool on);
    void settleList();

    // What a screen reader reads (win32_accessibility.cpp).
    void annotate();
    // The descriptions a value label gives the controls it describes.
    void describe(ControlId label, std::string_view caption);

    // Input and focus (win32_input.cpp).
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void subclass(ControlId control);
    static LRESULT onDestroyControl(const Message& m);
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onTimer(WPARAM id);
    LRESULT onActivate(WPARAM wParam);
    static void onCreateFrame(HWND hwnd, LPARAM lParam);
    LRESULT onDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT onGetDpiScaledSize(WPARAM wParam, LPARAM lParam);
    LRESULT onSysColorChange();
    LRESULT onDestroy();
    LRESULT onSetFocus(const Message& m);
    LRESULT onButtonDown(const Message& m);
    LRESULT onButtonUp(const Message& m);
    LRESULT onKeyDown(const Message& m);
    LRESULT onChar(const Message& m);
    LRESULT onGetObject(const Message& m);
    void tab(bool back);
    int messageLoop();

    // Painting (win32_paint.cpp).
    void loadPictures();
    static LRESULT CALLBACK pictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT onControlColour(HDC dc);
    static LRESULT onPaint(const Message& m);
    static LRESULT onSetText(const Message& m);
    static LRESULT onEraseBackground(const Message& m);
    static LabelLayout labelLayout(HWND label, HDC dc, const std::string& text);
    LRESULT onNotify(LPARAM lParam);
    LRESULT keepTooltipOnItsMonitor();
    void makeTooltip();
    void sizeTooltip();
    void relayToTooltip(const Message& m);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window = nullptr;
    EngineCore core{{
        .schedulePump = [this] { PostMessageW(window, kPump, 0, 0); },
        .hasFocus = [this](ControlId control) { return GetFocus() == hwnd(control); },
        .giveFocus = [this](ControlId control) { SetFocus(hwnd(control)); },
        .shown =
            [this](ControlId control) {
                HWND h = hwnd(control);
                return h && IsWindowVisible(h) && IsWindowEnabled(h);
            },
    }};
    std::array<HWND, form::kControlCount> hwnds{};
    // Each control's own window procedure, which its messages go on to.
    std::array<WNDPROC, form::kControlCount> ownProcs{};
    std::array<HBITMAP, form::kControlCount> pictures{};
    std::array<HFONT, 4> fonts{};
    int dpi = 96;
    bool built = false;
    bool annotated = false;
    bool comStarted = false;
    HMODULE ole32 = nullptr;  // loaded for a screen reader's first ask
    IAccPropServices* accessibility = nullptr;
    HWND tooltip = nullptr;
    std::wstring tooltipText;  // what the tooltip shows while it shows
};

std::wstring windowText(HWND hwnd);

}  // namespace varnsel::platform::win32
