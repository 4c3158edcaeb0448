// Building the Win32 window from the window table: its class, fonts at the
// monitor's dpi, and the controls made at their places in their stacking
// order.
#include <cstddef>

#include "platform/win32/resources.h"
#include "platform/win32/win32_impl.hpp"
#include "platform/win32/win32_system.hpp"

namespace varnsel::platform::win32 {
namespace {

using form::Kind;

int systemDpi() {
    if (const auto getDpiForSystem = userFunction<UINT WINAPI()>("GetDpiForSystem"))
        return static_cast<int>(getDpiForSystem());
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The dpi of the monitor the window is on, where the system tells it apart:
// asked of the window from Windows 10 1607 on, of its monitor from 8.1 on
// (shcore.dll, which XP and 7 lack), else the system's.
int windowDpi(HWND hwnd) {
    if (const auto getDpiForWindow = userFunction<UINT WINAPI(HWND)>("GetDpiForWindow"))
        return static_cast<int>(getDpiForWindow(hwnd));
    if (HMODULE shcore = systemLibrary(L"shcore.dll")) {
        using GetDpiForMonitor = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
        const auto get = systemFunction<GetDpiForMonitor>(shcore, "GetDpiForMonitor");
        UINT x = 0, y = 0;
        const bool known = get && SUCCEEDED(get(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST),
                                                0 /* the effective dpi */, &x, &y));
        FreeLibrary(shcore);
        if (known && y > 0) return static_cast<int>(y);
    }
    return systemDpi();
}

// The font messages are written in. The structure grew in Vista, and XP
// refuses its new size: asked with the full size, then with the one XP knows.
LOGFONTW messageFont() {
    NONCLIENTMETRICSW metrics{};
    for (const UINT size : {static_cast<UINT>(sizeof(metrics)),
                            static_cast<UINT>(offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth))}) {
        metrics.cbSize = size;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, size, &metrics, 0))
            return metrics.lfMessageFont;
    }
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    return font;
}

// The outer size of a window whose client area has `client`'s size at `dpi`.
SIZE outerSize(RECT client, DWORD style, int dpi) {
    using AdjustForDpi = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    if (const auto adjust = userFunction<AdjustForDpi>("AdjustWindowRectExForDpi")) {
        adjust(&client, style, FALSE, 0, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&client, style, FALSE, 0);
    }
    return {client.right - client.left, client.bottom - client.top};
}

// The window class and the style of each kind of control; the table's look
// adds a border and the alignment.
struct Made {
    const wchar_t* windowClass;
    DWORD style;
};

Made kindOf(const form::ControlDef& def, const wchar_t* pictureClass) {
    switch (def.kind) {
        case Kind::PictureBox:
        case Kind::Image:
            return {pictureClass, 0};
        case Kind::ListBox:
            return {L"LISTBOX", LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL};
        case Kind::Frame:
            return {L"BUTTON", BS_GROUPBOX};
        case Kind::CheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | BS_MULTILINE};
        case Kind::TextBox:
            return {L"EDIT", ES_AUTOHSCROLL | ES_LEFT};
        case Kind::CommandButton:  // the caption wraps
            return {L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER};
        case Kind::Label:  // drawn by onPaint; SS_NOTIFY lets the tooltip see the mouse
            return {L"STATIC", static_cast<DWORD>(
                                   SS_NOPREFIX | SS_NOTIFY |
                                   (def.look.align == form::Align::Centre ? SS_CENTER : SS_LEFT))};
        case Kind::Timer:
            break;
    }
    return {nullptr, 0};
}

}  // namespace

Win32FormEngine::Impl::Impl() {
    INITCOMMONCONTROLSEX common{sizeof(common), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&common);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VARNSEL), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VARNSEL),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);

    WNDCLASSEXW pictureClass{};
    pictureClass.cbSize = sizeof(pictureClass);
    pictureClass.lpfnWndProc = pictureProc;
    pictureClass.hInstance = instance;
    pictureClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    pictureClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    pictureClass.lpszClassName = kPictureClass;
    pictureClass.cbWndExtra = sizeof(LONG_PTR);
    RegisterClassExW(&pictureClass);
}

Win32FormEngine::Impl::~Impl() {
    if (window) DestroyWindow(window);
    for (HFONT font : fonts) {
        if (font) DeleteObject(font);
    }
    for (HBITMAP picture : pictures) {
        if (picture) DeleteObject(picture);
    }
    if (accessibility) accessibility->Release();
    if (comStarted) systemFunction<void WINAPI()>(ole32, "CoUninitialize")();
    if (ole32) FreeLibrary(ole32);
}

// The fonts at the current dpi. The ones they replace are the caller's to
// delete, once no control holds them.
void Win32FormEngine::Impl::makeFonts() {
    for (form::FontId id :
         {form::FontId::SystemBold, form::FontId::Credit, form::FontId::Default}) {
        const form::FontDef def = form::fontDef(id);
        LOGFONTW log{};
        if (def.face.empty()) {
            log = messageFont();  // at the system's dpi
            log.lfHeight = MulDiv(log.lfHeight, dpi, systemDpi());
        } else {
            log.lfHeight = -MulDiv(static_cast<int>(def.points * 100), dpi, 7200);
            log.lfWeight = def.weight;
            log.lfCharSet = static_cast<BYTE>(def.charset);
            log.lfPitchAndFamily =
                DEFAULT_PITCH | FF_SWISS;  // a sans-serif where the face is missing
            const std::wstring face = wide(def.face);
            wcsncpy(log.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        }
        fonts[static_cast<int>(id)] = CreateFontIndirectW(&log);
    }
}

// Made at its place with its font, each below those made before it, and
// subclassed at once.
void Win32FormEngine::Impl::make(ControlId control) {
    const form::ControlDef& def = form::def(control);
    const Made made = kindOf(def, kPictureClass);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | made.style;
    DWORD exStyle = 0;
    if (def.look.border == form::Border::Sunken) exStyle |= WS_EX_CLIENTEDGE;
    if (def.look.border == form::Border::Single) style |= WS_BORDER;
    if (form::takesFocus(def.kind)) style |= WS_TABSTOP;
    if (def.visible) style |= WS_VISIBLE;
    if (!def.enabled) style |= WS_DISABLED;
    const RECT place = placeOf(control);
    hwnds[static_cast<std::size_t>(control.index)] = CreateWindowExW(
        exStyle, made.windowClass, wide(def.caption).c_str(), style, place.left, place.top,
        place.right - place.left, place.bottom - place.top, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(idOf(control))), instance, nullptr);
    subclass(control);
    setFont(control, false);
}

// Twips scaled to the current dpi; a control in a frame is placed from the
// frame's outer corner.
RECT Win32FormEngine::Impl::placeOf(ControlId control) const {
    const form::ControlDef& def = form::def(control);
    int left = def.left;
    int top = def.top;
    if (const ControlId container = form::containerOf(control); container != form::kForm) {
        left += form::def(container).left;
        top += form::def(container).top;
    }
    const int x = scale(left), y = scale(top);
    return {x, y, x + scale(def.width), y + scale(def.height)};
}

void Win32FormEngine::Impl::setFont(ControlId control, bool redraw) {
    const form::ControlDef& def = form::def(control);
    HWND h = hwnd(control);
    if (def.font != form::FontId::None) {
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[static_cast<int>(def.font)]),
                     redraw);
    }
    if (def.look.rows > 0) {  // after the font, which sets a height of its own
        RECT inside;
        GetClientRect(h, &inside);
        SendMessageW(h, LB_SETITEMHEIGHT, 0, std::max<LONG>(1, inside.bottom / def.look.rows));
    }
}

// Places and fonts again for a new dpi: never re-laid-out on resize. The
// new fonts are made and handed over before the old ones go, so that no
// control ever holds a deleted font.
void Win32FormEngine::Impl::layout() {
    const std::array<HFONT, 4> old = fonts;
    makeFonts();
    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        const ControlId control{static_cast<int>(i)};
        if (!hwnds[i]) continue;
        const RECT place = placeOf(control);
        SetWindowPos(hwnds[i], nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        setFont(control, true);
    }
    for (HFONT font : old) {
        if (font) DeleteObject(font);
    }
    sizeTooltip();
}

// The outer size of the window whose client area holds the layout at `atDpi`.
SIZE Win32FormEngine::Impl::outerSizeAt(int atDpi) const {
    const RECT client{0, 0, MulDiv(form::kWindow.clientWidth, atDpi, 1440),
                      MulDiv(form::kWindow.clientHeight, atDpi, 1440)};
    return outerSize(client, kStyle, atDpi);
}

// Where the frame the system drew differs from the one it was asked to
// allow for, the window grows or shrinks by the difference.
void Win32FormEngine::Impl::fitClientArea() {
    RECT client, outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    const int dx = scale(form::kWindow.clientWidth) - client.right;
    const int dy = scale(form::kWindow.clientHeight) - client.bottom;
    if (dx == 0 && dy == 0) return;
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dx,
                 outer.bottom - outer.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormEngine::Impl::build() {
    dpi = systemDpi();
    const SIZE size = outerSizeAt(dpi);
    CreateWindowExW(0, kWindowClass, wide(form::kWindow.caption).c_str(), kStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, this);
    if (!window) fault("cannot create the window: " + systemReason(GetLastError()));
    // Placed on a monitor of another dpi: the layout follows that monitor's.
    if (const int monitorDpi = windowDpi(window); monitorDpi != dpi) {
        dpi = monitorDpi;
        const SIZE resized = outerSizeAt(dpi);
        SetWindowPos(window, nullptr, 0, 0, resized.cx, resized.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fitClientArea();
    makeFonts();
    for (const ControlId control : frontToBack()) make(control);
    loadPictures();
    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        const ControlId control{static_cast<int>(i)};
        const form::ControlDef& def = form::def(control);
        HWND hwnd = hwnds[i];
        if (def.kind == Kind::Timer) setTimer(control, def.enabled);
        if (def.kind == Kind::TextBox) SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // no limit
        if (def.kind == Kind::CheckBox) SendMessageW(hwnd, BM_SETCHECK, def.value, 0);
    }
    built = true;
}

// The controls that are windows, front to back as the table says, each
// frame's children just in front of their frame (here they are the window's
// children too).
std::vector<ControlId> Win32FormEngine::Impl::frontToBack() {
    const auto isWindow = [](ControlId control) { return form::def(control).kind != Kind::Timer; };
    std::vector<ControlId> order;
    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        const ControlId control{static_cast<int>(i)};
        if (!isWindow(control) || form::containerOf(control) != form::kForm) continue;
        for (std::size_t c = 0; c < form::kControlCount; ++c) {
            const ControlId child{static_cast<int>(c)};
            if (isWindow(child) && form::containerOf(child) == control) order.push_back(child);
        }
        order.push_back(control);
    }
    return order;
}

std::optional<ControlId> Win32FormEngine::Impl::controlOf(HWND hwnd) const {
    for (std::size_t i = 0; hwnd && i < form::kControlCount; ++i) {
        if (hwnds[i] == hwnd) return ControlId{static_cast<int>(i)};
    }
    return std::nullopt;
}

void Win32FormEngine::Impl::setTimer(ControlId timer, bool on) {
    if (!core.switchTimer(timer, on)) return;
    const auto id = static_cast<UINT_PTR>(idOf(timer));
    if (on) {
        SetTimer(window, id, static_cast<UINT>(form::def(timer).interval), nullptr);
    } else {
        KillTimer(window, id);
    }
}

}  // namespace varnsel::platform::win32
