#include "platform/win32/win32_engine.hpp"

#include "platform/win32/win32_runtime.hpp"
// After windows.h, which they build on.
#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/form/window_definition.hpp"
#include "platform/event_queue.hpp"
#include "platform/label_layout.hpp"
#include "platform/list_order.hpp"
#include "platform/win32/resources.h"
#include "platform/wtf8.hpp"

namespace varnsel::platform::win32 {
namespace {

using form::Kind;

constexpr int kFirstId = 100;  // clear of IDOK and IDCANCEL
constexpr UINT kPump = WM_APP + 1;
const wchar_t kWindowClass[] = L"VarnselWindow";
const wchar_t kPictureClass[] = L"VarnselPicture";

[[noreturn]] void fault(const std::string& what) {
    std::fprintf(stderr, "varnsel: %s\n", what.c_str());
    std::abort();
}

int pictureResource(form::Picture picture) {
    return picture == form::Picture::Illustration ? IDB_ILLUSTRATION
           : picture == form::Picture::Arrow      ? IDB_ARROW
                                                  : 0;
}

std::u16string_view units(const std::wstring& text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

template <class Function>
Function* systemFunction(const char* name) {
    return reinterpret_cast<Function*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int systemDpi() {
    if (const auto getDpiForSystem = systemFunction<UINT WINAPI()>("GetDpiForSystem"))
        return static_cast<int>(getDpiForSystem());
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The dpi of the monitor the window is on, where the system tells it apart.
int windowDpi(HWND hwnd) {
    if (const auto getDpiForWindow = systemFunction<UINT WINAPI(HWND)>("GetDpiForWindow"))
        return static_cast<int>(getDpiForWindow(hwnd));
    return systemDpi();
}

// The outer size of a window whose client area has `client`'s size at `dpi`.
SIZE outerSize(RECT client, DWORD style, int dpi) {
    using AdjustForDpi = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    if (const auto adjust = systemFunction<AdjustForDpi>("AdjustWindowRectExForDpi")) {
        adjust(&client, style, FALSE, 0, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&client, style, FALSE, 0);
    }
    return {client.right - client.left, client.bottom - client.top};
}

// The arrow's light grey (192, 192, 192) was the face colour of its day; it
// is drawn in today's, so that the picture blends with the window.
void greyToFace(HBITMAP picture) {
    DIBSECTION dib{};
    if (GetObjectW(picture, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 24) return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto* bits = static_cast<BYTE*>(dib.dsBm.bmBits);
    for (LONG y = 0; y < dib.dsBm.bmHeight; ++y) {
        BYTE* pixel = bits + y * dib.dsBm.bmWidthBytes;
        for (LONG x = 0; x < dib.dsBm.bmWidth; ++x, pixel += 3) {
            if (pixel[0] == 192 && pixel[1] == 192 && pixel[2] == 192) {
                pixel[0] = GetBValue(face);
                pixel[1] = GetGValue(face);
                pixel[2] = GetRValue(face);
            }
        }
    }
}

std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

struct Win32FormEngine::Impl {
    struct Control {
        const form::ControlDef* def = nullptr;
        HWND hwnd = nullptr;
        bool timerOn = false;
        HBITMAP picture = nullptr;
        int id() const { return kFirstId + static_cast<int>(def - form::kControls.data()); }
    };

    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window = nullptr;
    FormHandler* form = nullptr;
    std::vector<Control> controls;
    HFONT fonts[4] = {};
    int dpi = 96;
    HWND lastFocus = nullptr;  // the control that had the focus last
    HWND swallowUp = nullptr;  // a press that had no effect: its release has none either
    EventQueue events;
    std::vector<std::string> names;  // the list's entries, exact, in list order
    std::vector<std::string> pending;
    bool collecting = false;
    Win32Runtime runtime;
    IAccPropServices* accessibility = nullptr;
    HWND tooltip = nullptr;
    std::wstring tooltipText;  // what the tooltip shows while it shows

    Impl();
    ~Impl();

    Control& anyControl(ControlName name);
    Control& control(ControlName name, Kind kind);
    Control* controlOf(HWND hwnd);

    void build();
    HWND make(const form::ControlDef& def);
    void layout();
    void makeFonts();
    int scale(int twips) const { return MulDiv(twips, dpi, 1440); }

    bool enqueue(std::string_view control, EventKind kind, std::int16_t key);
    void raise(std::string_view control, EventKind kind, std::int16_t key = 0);
    void post(std::string_view control, EventKind kind);
    void pump() {
        if (form) events.deliver(*form);
    }
    void focusArrived(Control& control);
    void tab(bool back);
    std::vector<Control*> tabOrder();
    void settleList();
    static LabelLayout labelLayout(HWND label, HDC dc, const std::string& text);
    static LRESULT paintLabel(HWND label);
    LRESULT onNotify(LPARAM lParam);

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK pictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR index, DWORD_PTR self);
    LRESULT onCommand(WPARAM wParam, LPARAM lParam);
    static LRESULT onControlColour(HDC dc);
    LRESULT onTimer(WPARAM id);
    LRESULT onActivate(WPARAM wParam);
    LRESULT onDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT onDestroy();
    LRESULT onControlMessage(Control& control, HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam);
};

// --- Building the window ----------------------------------------------------

Win32FormEngine::Impl::Impl() {
    INITCOMMONCONTROLSEX common{sizeof(common), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&common);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     reinterpret_cast<void**>(&accessibility));

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
    for (Control& c : controls) {
        if (c.picture) DeleteObject(c.picture);
    }
    if (accessibility) accessibility->Release();
    CoUninitialize();
}

void Win32FormEngine::Impl::makeFonts() {
    for (HFONT& font : fonts) {
        if (font) DeleteObject(font);
        font = nullptr;
    }
    for (form::FontId id :
         {form::FontId::SystemBold, form::FontId::Credit, form::FontId::Default}) {
        const form::FontDef def = form::fontDef(id);
        LOGFONTW log{};
        if (def.face.empty()) {
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof(metrics);
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
            log = metrics.lfMessageFont;  // at the system's dpi
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

HWND Win32FormEngine::Impl::make(const form::ControlDef& def) {
    const std::wstring caption = wide(def.caption);
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    switch (def.kind) {
        case Kind::PictureBox:
            windowClass = kPictureClass;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case Kind::Image:
            windowClass = kPictureClass;
            break;
        case Kind::ListBox:
            windowClass = L"LISTBOX";
            style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case Kind::Frame:
            windowClass = L"BUTTON";
            style |= BS_GROUPBOX;
            break;
        case Kind::CheckBox:
            windowClass = L"BUTTON";
            style |= BS_AUTOCHECKBOX | BS_MULTILINE;
            break;
        case Kind::TextBox:
            windowClass = L"EDIT";
            style |= ES_AUTOHSCROLL | ES_LEFT;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case Kind::CommandButton:
            windowClass = L"BUTTON";
            style |= BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;  // the caption wraps
            break;
        case Kind::Label:
            // Drawn by paintLabel; SS_NOTIFY lets the tooltip see the mouse.
            style |= SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
            if (def.name == "lblGame") style = (style & ~SS_LEFT) | SS_CENTER | WS_BORDER;
            break;
        case Kind::Timer:
            return nullptr;
    }
    if (form::takesFocus(def.kind)) style |= WS_TABSTOP;
    if (def.visible) style |= WS_VISIBLE;
    if (!def.enabled) style |= WS_DISABLED;
    const int id = kFirstId + static_cast<int>(&def - form::kControls.data());
    return CreateWindowExW(exStyle, windowClass, caption.c_str(), style, 0, 0, 0, 0, window,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

// Positions and fonts for the current dpi: twips scaled, never re-laid-out on resize.
void Win32FormEngine::Impl::layout() {
    makeFonts();
    for (Control& c : controls) {
        if (!c.hwnd) continue;
        int left = c.def->left;
        int top = c.def->top;
        if (!c.def->container.empty()) {  // inside the frame: from its outer corner
            left += form::control(c.def->container).left;
            top += form::control(c.def->container).top;
        }
        SetWindowPos(c.hwnd, nullptr, scale(left), scale(top), scale(c.def->width),
                     scale(c.def->height), SWP_NOZORDER | SWP_NOACTIVATE);
        if (c.def->font != form::FontId::None) {
            SendMessageW(c.hwnd, WM_SETFONT,
                         reinterpret_cast<WPARAM>(fonts[static_cast<int>(c.def->font)]), TRUE);
        }
        if (c.def->kind == Kind::ListBox) {  // after the font, which sets a height of its own
            RECT inside;
            GetClientRect(c.hwnd, &inside);
            SendMessageW(c.hwnd, LB_SETITEMHEIGHT, 0, std::max<LONG>(1, inside.bottom / 3));
        }
    }
    if (tooltip) SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, scale(form::kWindow.clientWidth / 2));
}

void Win32FormEngine::Impl::build() {
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const auto clientArea = [this] {
        return RECT{0, 0, scale(form::kWindow.clientWidth), scale(form::kWindow.clientHeight)};
    };
    dpi = systemDpi();
    const SIZE size = outerSize(clientArea(), style, dpi);
    const std::wstring title = wide(form::kWindow.caption);
    CreateWindowExW(0, kWindowClass, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                    size.cy, nullptr, nullptr, instance, this);
    if (!window) fault("cannot create the window: " + systemReason(GetLastError()));
    // Placed on a monitor of another dpi: the layout follows that monitor's.
    if (const int monitorDpi = windowDpi(window); monitorDpi != dpi) {
        dpi = monitorDpi;
        const SIZE resized = outerSize(clientArea(), style, dpi);
        SetWindowPos(window, nullptr, 0, 0, resized.cx, resized.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);

    controls.reserve(form::kControls.size());
    for (const form::ControlDef& def : form::kControls) {
        Control c;
        c.def = &def;
        c.timerOn = def.kind == Kind::Timer && def.enabled;
        if (c.timerOn)
            SetTimer(window, static_cast<UINT_PTR>(c.id()), static_cast<UINT>(def.interval),
                     nullptr);
        controls.push_back(c);
    }
    for (Control& c : controls) {
        c.hwnd = make(*c.def);
        if (!c.hwnd) continue;
        if (const int resource = pictureResource(c.def->picture)) {
            c.picture = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(resource),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            if (c.def->kind == Kind::Image) greyToFace(c.picture);
            SetWindowLongPtrW(c.hwnd, 0, reinterpret_cast<LONG_PTR>(c.picture));
        }
        SetWindowSubclass(c.hwnd, controlProc, static_cast<UINT_PTR>(&c - controls.data()),
                          reinterpret_cast<DWORD_PTR>(this));
        if (c.def->kind == Kind::TextBox) SendMessageW(c.hwnd, EM_SETLIMITTEXT, 0, 0);  // no limit
        if (c.def->kind == Kind::Label && tooltip) {
            // Its text, asked for when it would show: the whole text of a
            // label that cuts some of it off, and nothing otherwise.
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof(tool);
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = window;
            tool.uId = reinterpret_cast<UINT_PTR>(c.hwnd);
            tool.lpszText = LPSTR_TEXTCALLBACKW;
            SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        // A value label keeps the system's name for a static control, its
        // text, which follows every change of the caption.
        if (accessibility && !c.def->accessibleName.empty()) {
            const std::wstring name = wide(c.def->accessibleName);
            accessibility->SetHwndPropStr(c.hwnd, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                          PROPID_ACC_NAME, name.c_str());
        }
    }
    layout();
    // Stacking: front to back as the table says, each frame's children just
    // in front of their frame (here they are the window's children too).
    std::vector<Control*> frontToBack;
    for (Control& c : controls) {
        if (!c.hwnd || !c.def->container.empty()) continue;
        for (Control& child : controls) {
            if (child.hwnd && child.def->container == c.def->name) frontToBack.push_back(&child);
        }
        frontToBack.push_back(&c);
    }
    for (Control* c : frontToBack) {
        SetWindowPos(c->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// --- Looking controls up ----------------------------------------------------

Win32FormEngine::Impl::Control& Win32FormEngine::Impl::anyControl(ControlName name) {
    for (Control& c : controls) {
        if (c.def->name == name) return c;
    }
    fault("no control named \"" + std::string(name) + "\" in the window");
}

Win32FormEngine::Impl::Control& Win32FormEngine::Impl::control(ControlName name, Kind kind) {
    Control& c = anyControl(name);
    if (c.def->kind != kind) fault("\"" + std::string(name) + "\" is not of the kind used");
    return c;
}

Win32FormEngine::Impl::Control* Win32FormEngine::Impl::controlOf(HWND hwnd) {
    for (Control& c : controls) {
        if (c.hwnd && c.hwnd == hwnd) return &c;
    }
    return nullptr;
}

// --- Delivering events ------------------------------------------------------

bool Win32FormEngine::Impl::enqueue(std::string_view control, EventKind kind, std::int16_t key) {
    return form && form::delivers(control, kind) && events.add(control, kind, key);
}

void Win32FormEngine::Impl::raise(std::string_view control, EventKind kind, std::int16_t key) {
    if (enqueue(control, kind, key)) pump();
}

void Win32FormEngine::Impl::post(std::string_view control, EventKind kind) {
    if (enqueue(control, kind, 0)) PostMessageW(window, kPump, 0, 0);
}

// A move of the focus to another control raises LostFocus and GotFocus after
// the move; focus coming back after the window was inactive raises neither.
void Win32FormEngine::Impl::focusArrived(Control& c) {
    if (c.hwnd == lastFocus) return;
    Control* from = controlOf(lastFocus);
    lastFocus = c.hwnd;
    if (from) post(from->def->name, EventKind::LostFocus);
    post(c.def->name, EventKind::GotFocus);
}

std::vector<Win32FormEngine::Impl::Control*> Win32FormEngine::Impl::tabOrder() {
    std::vector<Control*> order;
    for (Control& c : controls) {
        if (c.hwnd && form::takesFocus(c.def->kind) && IsWindowVisible(c.hwnd) &&
            IsWindowEnabled(c.hwnd)) {
            order.push_back(&c);
        }
    }
    std::sort(order.begin(), order.end(),
              [](Control* a, Control* b) { return a->def->tabIndex < b->def->tabIndex; });
    return order;
}

void Win32FormEngine::Impl::tab(bool back) {
    const auto order = tabOrder();
    if (order.empty()) return;
    const auto at =
        std::find_if(order.begin(), order.end(), [](Control* c) { return c->hwnd == GetFocus(); });
    std::size_t next = 0;
    if (at != order.end()) {
        const std::size_t i = static_cast<std::size_t>(at - order.begin());
        next = back ? (i + order.size() - 1) % order.size() : (i + 1) % order.size();
    }
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(order[next]->hwnd);
}

void Win32FormEngine::Impl::settleList() {
    collecting = false;
    HWND list = anyControl("lstDirs").hwnd;
    const std::vector<std::string_view> views(pending.begin(), pending.end());
    std::vector<std::string> sorted;
    sorted.reserve(pending.size());
    for (const std::uint32_t i : sortForList(views)) sorted.push_back(std::move(pending[i]));
    pending.clear();
    std::size_t bytes = 0;
    for (const std::string& name : sorted) bytes += 2 * (name.size() + 1);
    SendMessageW(list, LB_INITSTORAGE, sorted.size(), bytes);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (const std::string& name : sorted) {
        const std::wstring text = wide(name);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    names = std::move(sorted);
}

// --- Window messages: each to a small function --------------------------------

LRESULT CALLBACK Win32FormEngine::Impl::windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
        static_cast<Impl*>(created->lpCreateParams)->window = hwnd;
    }
    auto* self = reinterpret_cast<Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_COMMAND:
            return self->onCommand(wParam, lParam);
        case WM_TIMER:
            return self->onTimer(wParam);
        case WM_NOTIFY:
            return self->onNotify(lParam);
        case kPump:
            self->pump();
            return 0;
        case WM_ACTIVATE:
            return self->onActivate(wParam);
        case WM_DPICHANGED:
            return self->onDpiChanged(wParam, lParam);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return onControlColour(reinterpret_cast<HDC>(wParam));
        case WM_DESTROY:
            return self->onDestroy();
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// Labels, check boxes and the frame on the window's face colour.
LRESULT Win32FormEngine::Impl::onControlColour(HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT Win32FormEngine::Impl::onCommand(WPARAM wParam, LPARAM lParam) {
    Control* c = controlOf(reinterpret_cast<HWND>(lParam));
    if (!c || HIWORD(wParam) != BN_CLICKED) return 0;  // IDOK, IDCANCEL and the rest press nothing
    if (c->def->kind == Kind::CheckBox || c->def->kind == Kind::CommandButton)
        raise(c->def->name, EventKind::Click);
    return 0;
}

LRESULT Win32FormEngine::Impl::onTimer(WPARAM id) {
    const std::size_t index = static_cast<std::size_t>(id) - kFirstId;
    if (index < controls.size()) post(controls[index].def->name, EventKind::Timer);
    return 0;
}

// The focus goes back to the control that had it when the window was left.
LRESULT Win32FormEngine::Impl::onActivate(WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE && lastFocus && IsWindowVisible(lastFocus))
        SetFocus(lastFocus);
    return 0;
}

LRESULT Win32FormEngine::Impl::onDpiChanged(WPARAM wParam, LPARAM lParam) {
    dpi = HIWORD(wParam);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    layout();
    return 0;
}

LRESULT Win32FormEngine::Impl::onDestroy() {
    events.end();
    window = nullptr;
    PostQuitMessage(0);
    return 0;
}

// The label's lines in its font, as every backend lays a label out; they
// point into `text`.
LabelLayout Win32FormEngine::Impl::labelLayout(HWND label, HDC dc, const std::string& text) {
    RECT inside;
    GetClientRect(label, &inside);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    return layOutLabel(
        text, inside.right, inside.bottom, metrics.tmHeight, [dc](std::string_view piece) {
            const std::wstring text = wide(piece);
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            return static_cast<int>(size.cx);
        });
}

LRESULT Win32FormEngine::Impl::paintLabel(HWND hwnd) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT inside;
    GetClientRect(hwnd, &inside);
    FillRect(dc, &inside, GetSysColorBrush(COLOR_BTNFACE));
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    // The alignment the label was made with.
    const bool centred = (GetWindowLongW(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER;
    int top = 0;
    const std::string text = narrow(windowText(hwnd));
    for (std::string_view piece : labelLayout(hwnd, dc, text).lines) {
        const std::wstring line = wide(piece);
        SIZE size{};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
        // A line too wide keeps its start in view, centred or not.
        const int left = centred ? std::max<int>(0, (inside.right - size.cx) / 2) : 0;
        ExtTextOutW(dc, left, top, ETO_CLIPPED, &inside, line.c_str(),
                    static_cast<UINT>(line.size()), nullptr);
        top += metrics.tmHeight;
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &paint);
    return 0;
}

// A label's tooltip asks for its text as it is about to show.
LRESULT Win32FormEngine::Impl::onNotify(LPARAM lParam) {
    auto* request = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (request->hdr.hwndFrom != tooltip || request->hdr.code != TTN_GETDISPINFOW) return 0;
    HWND label = reinterpret_cast<HWND>(request->hdr.idFrom);
    HDC dc = GetDC(label);
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    const bool cut = labelLayout(label, dc, narrow(windowText(label))).cut;
    SelectObject(dc, oldFont);
    ReleaseDC(label, dc);
    tooltipText = cut ? windowText(label) : std::wstring();
    request->lpszText = tooltipText.data();
    return 0;
}

// The picture box and the image: the bitmap drawn at the inner top-left
// corner, at the window's scale, clipped to the inside.
LRESULT CALLBACK Win32FormEngine::Impl::pictureProc(HWND hwnd, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (auto* picture = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(hwnd, 0))) {
        BITMAP info;
        GetObjectW(picture, sizeof(info), &info);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, picture);
        // At the layout's scale: the dpi of the window's monitor.
        const auto* impl =
            reinterpret_cast<const Impl*>(GetWindowLongPtrW(GetParent(hwnd), GWLP_USERDATA));
        const int dpi = impl ? impl->dpi : 96;
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, MulDiv(info.bmWidth, dpi, 96), MulDiv(info.bmHeight, dpi, 96), source,
                   0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    EndPaint(hwnd, &paint);
    return 0;
}

LRESULT CALLBACK Win32FormEngine::Impl::controlProc(HWND hwnd, UINT message, WPARAM wParam,
                                                    LPARAM lParam, UINT_PTR index, DWORD_PTR self) {
    Impl* impl = reinterpret_cast<Impl*>(self);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, controlProc, index);
    return impl->onControlMessage(impl->controls[index], hwnd, message, wParam, lParam);
}

LRESULT Win32FormEngine::Impl::onControlMessage(Control& c, HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    const bool focusable = form::takesFocus(c.def->kind);
    switch (message) {
        case WM_PAINT:
            if (c.def->kind == Kind::Label) return paintLabel(hwnd);
            break;
        case WM_ERASEBKGND:
            if (c.def->kind != Kind::Frame) break;
            {  // the frame paints no inside of its own
                RECT inside;
                GetClientRect(hwnd, &inside);
                FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
            }
            return 1;
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            focusArrived(c);
            return result;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            swallowUp = nullptr;  // a swallowed press whose release went to a message box
            // The press moves the focus first and lets the move's LostFocus
            // run; if that handler keeps the focus elsewhere, the press (and
            // its release) has no effect.
            if (focusable && GetFocus() != hwnd) SetFocus(hwnd);
            pump();
            if (events.ended()) return 0;
            if (focusable && GetFocus() != hwnd) {
                swallowUp = hwnd;
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (swallowUp == hwnd) {
                swallowUp = nullptr;
                return 0;
            }
            break;
        case WM_KEYDOWN:
            pump();  // a key after a move: the move's LostFocus first
            if (events.ended() || GetFocus() != hwnd) return 0;
            break;
        case WM_CHAR:
            if (c.def->kind == Kind::TextBox) {
                raise(c.def->name, EventKind::KeyPress, static_cast<std::int16_t>(wParam));
                if (events.ended() || GetFocus() != hwnd) return 0;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// --- The engine -----------------------------------------------------------------

Win32FormEngine::Win32FormEngine() : impl_(std::make_unique<Impl>()) {}
Win32FormEngine::~Win32FormEngine() = default;

int Win32FormEngine::run(FormHandler& form) {
    Impl& impl = *impl_;
    impl.form = &form;
    impl.build();
    impl.collecting = true;  // the scan adds in bulk; sort once after
    impl.raise(form::kWindow.name, EventKind::Load);
    impl.settleList();
    if (impl.events.ended()) return 0;
    ShowWindow(impl.window, SW_SHOWNORMAL);
    UpdateWindow(impl.window);
    if (const auto order = impl.tabOrder(); !order.empty()) SetFocus(order.front()->hwnd);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and Shift+Tab follow the TabIndex order, not the stacking.
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && impl.window &&
            (message.hwnd == impl.window || IsChild(impl.window, message.hwnd))) {
            impl.tab(GetKeyState(VK_SHIFT) < 0);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void Win32FormEngine::setCaption(ControlName label, std::string_view text) {
    SetWindowTextW(impl_->control(label, Kind::Label).hwnd, wide(text).c_str());
}

int Win32FormEngine::value(ControlName checkBox) const {
    // BST_UNCHECKED, BST_CHECKED and BST_INDETERMINATE are 0, 1 and 2.
    return static_cast<int>(
        SendMessageW(impl_->control(checkBox, Kind::CheckBox).hwnd, BM_GETCHECK, 0, 0));
}

std::string Win32FormEngine::text(ControlName textBox) const {
    return narrow(windowText(impl_->control(textBox, Kind::TextBox).hwnd));
}

void Win32FormEngine::setVisible(ControlName control, bool visible) {
    HWND hwnd = impl_->anyControl(control).hwnd;
    if (!visible && GetFocus() == hwnd)
        impl_->tab(false);  // a hidden control cannot keep the focus
    ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
}

void Win32FormEngine::setSelStart(ControlName textBox, int start) {
    HWND edit = impl_->control(textBox, Kind::TextBox).hwnd;
    const int at = utf16Offset(units(windowText(edit)), start);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(at), at);
}

void Win32FormEngine::setSelLength(ControlName textBox, int length) {
    HWND edit = impl_->control(textBox, Kind::TextBox).hwnd;
    const std::wstring text = windowText(edit);
    DWORD start = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const int end =
        utf16Offset(units(text), characterIndex(units(text), static_cast<int>(start)) + length);
    SendMessageW(edit, EM_SETSEL, start, end);
}

void Win32FormEngine::setFocus(ControlName control) {
    SetFocus(impl_->anyControl(control).hwnd);
}

int Win32FormEngine::listCount(ControlName list) const {
    impl_->control(list, Kind::ListBox);
    return static_cast<int>(impl_->names.size());
}

bool Win32FormEngine::selected(ControlName list, int index) const {
    return SendMessageW(impl_->control(list, Kind::ListBox).hwnd, LB_GETSEL,
                        static_cast<WPARAM>(index), 0) > 0;
}

std::string Win32FormEngine::list(ControlName list, int index) const {
    impl_->control(list, Kind::ListBox);
    return impl_->names.at(static_cast<std::size_t>(index));
}

void Win32FormEngine::addItem(ControlName list, std::string_view text) {
    HWND hwnd = impl_->control(list, Kind::ListBox).hwnd;
    if (impl_->collecting) {
        impl_->pending.emplace_back(text);
        return;
    }
    auto& names = impl_->names;
    const auto at = std::upper_bound(
        names.begin(), names.end(), text,
        [](std::string_view a, const std::string& b) { return listsBefore(a, b); });
    const auto index = static_cast<WPARAM>(at - names.begin());
    names.insert(at, std::string(text));
    SendMessageW(hwnd, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(wide(text).c_str()));
}

void Win32FormEngine::setEnabled(ControlName timer, bool enabled) {
    auto& c = impl_->control(timer, Kind::Timer);
    if (enabled == c.timerOn) return;  // enabling a running timer does not restart it
    c.timerOn = enabled;
    if (enabled) {
        SetTimer(impl_->window, static_cast<UINT_PTR>(c.id()), static_cast<UINT>(c.def->interval),
                 nullptr);
    } else {
        KillTimer(impl_->window, static_cast<UINT_PTR>(c.id()));
    }
}

Result<std::string> Win32FormEngine::currentDirectory() {
    return impl_->runtime.currentDirectory();
}
Result<Done> Win32FormEngine::enterDirectory(std::string_view path) {
    return impl_->runtime.enterDirectory(path);
}
std::vector<std::string> Win32FormEngine::arguments() const {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; argv && i < count; ++i) arguments.push_back(narrow(argv[i], wcslen(argv[i])));
    LocalFree(argv);
    return arguments;
}
Result<std::string> Win32FormEngine::firstEntry(std::string_view pattern, int kinds) {
    return impl_->runtime.firstEntry(pattern, kinds);
}
Result<std::string> Win32FormEngine::nextEntry() {
    return impl_->runtime.nextEntry();
}
Result<int> Win32FormEngine::attributes(std::string_view path) {
    return impl_->runtime.attributes(path);
}
void Win32FormEngine::messageBox(std::string_view message, MessageIcon icon,
                                 std::string_view title) {
    impl_->runtime.messageBox(impl_->window, message, icon, title);
}
Result<Done> Win32FormEngine::startProgram(std::string_view program, std::string_view commandLine,
                                           int windowStyle) {
    return impl_->runtime.startProgram(program, commandLine, windowStyle);
}

void Win32FormEngine::end() {
    Impl& impl = *impl_;
    impl.events.end();
    for (auto& c : impl.controls) {
        if (c.timerOn) KillTimer(impl.window, static_cast<UINT_PTR>(c.id()));
    }
    if (impl.window) DestroyWindow(impl.window);
}

}  // namespace varnsel::platform::win32
