// The Win32 window's input: the window procedure and the controls' subclass
// each dispatch one message a line to a small function; focus moves, presses,
// keys, Tab, timers and the message loop.
#include "platform/win32/win32_impl.hpp"
#include "platform/win32/win32_system.hpp"

namespace varnsel::platform::win32 {

LRESULT CALLBACK Win32FormEngine::Impl::windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
    if (message == WM_NCCREATE) onCreateFrame(hwnd, lParam);
    auto* self = reinterpret_cast<Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    // clang-format off
    switch (message) {
        case WM_COMMAND: return self->onCommand(wParam, lParam);
        case WM_TIMER: return self->onTimer(wParam);
        case WM_NOTIFY: return self->onNotify(lParam);
        case kPump: return self->core.pump(), 0;
        case WM_ACTIVATE: return self->onActivate(wParam);
        case WM_DPICHANGED: return self->onDpiChanged(wParam, lParam);
        case kGetDpiScaledSize: return self->onGetDpiScaledSize(wParam, lParam);
        case WM_SYSCOLORCHANGE: return self->onSysColorChange();
        case WM_CTLCOLORSTATIC: return onControlColour(reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORBTN: return onControlColour(reinterpret_cast<HDC>(wParam));
        case WM_DESTROY: return self->onDestroy();
        case WM_GETOBJECT: return self->annotate(), DefWindowProcW(hwnd, message, wParam, lParam);
        default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // clang-format on
}

// The window's engine, stored before any other message; and the frame
// scaled with the dpi of its monitor where the system does that only when
// asked (per-monitor v1, Windows 10 1607; from 1703 on it always does).
void Win32FormEngine::Impl::onCreateFrame(HWND hwnd, LPARAM lParam) {
    auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    static_cast<Impl*>(created->lpCreateParams)->window = hwnd;
    if (const auto scaleFrame = userFunction<BOOL WINAPI(HWND)>("EnableNonClientDpiScaling"))
        scaleFrame(hwnd);
}

// The engine and the control's row are read from the control's own window
// data, never from its properties: under Wine each property look-up is a
// call to the server, and every message of every control would pay one.
void Win32FormEngine::Impl::subclass(ControlId control) {
    HWND hwnd = this->hwnd(control);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ownProcs[static_cast<std::size_t>(control.index)] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc)));
}

LRESULT CALLBACK Win32FormEngine::Impl::controlProc(HWND hwnd, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
    Impl& impl = *reinterpret_cast<Impl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const int index = GetDlgCtrlID(hwnd) - kFirstId;
    const WNDPROC own = impl.ownProcs[static_cast<std::size_t>(index)];
    const Message m{ControlId(index), hwnd, message, wParam, lParam, own};
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) impl.relayToTooltip(m);
    // clang-format off
    switch (message) {
        case WM_NCDESTROY: return onDestroyControl(m);
        case WM_PAINT: return onPaint(m);
        case WM_SETTEXT: return onSetText(m);
        case WM_ERASEBKGND: return onEraseBackground(m);
        case WM_SETFOCUS: return impl.onSetFocus(m);
        case WM_LBUTTONDOWN: return impl.onButtonDown(m);
        case WM_LBUTTONDBLCLK: return impl.onButtonDown(m);
        case WM_LBUTTONUP: return impl.onButtonUp(m);
        case WM_KEYDOWN: return impl.onKeyDown(m);
        case WM_CHAR: return impl.onChar(m);
        case WM_GETOBJECT: return impl.onGetObject(m);
        default: return m.standard();
    }
    // clang-format on
}

// The control's own procedure back, unless another subclass came after ours.
LRESULT Win32FormEngine::Impl::onDestroyControl(const Message& m) {
    if (GetWindowLongPtrW(m.hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(controlProc))
        SetWindowLongPtrW(m.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m.own));
    return m.standard();
}

// A button's or check box's click, whatever made it: the mouse, Space, or
// BM_CLICK, which an accessibility client's default action sends and which
// comes as a press and a release. A check box's refused click is taken back.
LRESULT Win32FormEngine::Impl::onCommand(WPARAM wParam, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    const auto control = controlOf(from);
    if (!control || HIWORD(wParam) != BN_CLICKED) return 0;  // IDOK, IDCANCEL press nothing
    core.click(*control, [from] {
        const LRESULT state = SendMessageW(from, BM_GETCHECK, 0, 0);
        SendMessageW(from, BM_SETCHECK, state == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    });
    return 0;
}

LRESULT Win32FormEngine::Impl::onTimer(WPARAM id) {
    const int index = static_cast<int>(id) - kFirstId;
    if (index >= 0 && index < static_cast<int>(form::kControlCount))
        core.post(ControlId(index), EventKind::Timer);
    return 0;
}

// The focus goes back to the control that had it when the window was left.
LRESULT Win32FormEngine::Impl::onActivate(WPARAM wParam) {
    const auto last = core.lastFocus();
    if (LOWORD(wParam) != WA_INACTIVE && last && core.canTakeFocus(*last)) SetFocus(hwnd(*last));
    return 0;
}

// At the place the system suggests, with the client area the layout needs
// at the new dpi: the suggested size scales the frame too, which does not
// scale linearly.
LRESULT Win32FormEngine::Impl::onDpiChanged(WPARAM wParam, LPARAM lParam) {
    dpi = HIWORD(wParam);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    const SIZE size = outerSizeAt(dpi);
    SetWindowPos(window, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea();
    layout();
    return 0;
}

// From Windows 10 1703 on the system asks which size a move to another dpi
// suggests: the one whose client area is the layout's there.
LRESULT Win32FormEngine::Impl::onGetDpiScaledSize(WPARAM wParam, LPARAM lParam) {
    *reinterpret_cast<SIZE*>(lParam) = outerSizeAt(static_cast<int>(LOWORD(wParam)));
    return TRUE;
}

// The user's colours changed: the controls are told, as common controls
// must be, the arrow's grey follows the new face colour, and all is drawn
// again.
LRESULT Win32FormEngine::Impl::onSysColorChange() {
    for (HWND control : hwnds) {
        if (control) SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
    }
    if (tooltip) SendMessageW(tooltip, WM_SYSCOLORCHANGE, 0, 0);
    loadPictures();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

LRESULT Win32FormEngine::Impl::onDestroy() {
    core.end();
    window = nullptr;
    PostQuitMessage(0);
    return 0;
}

// A move of the focus to another control raises LostFocus and GotFocus after
// the move; focus coming back after the window was inactive raises neither.
LRESULT Win32FormEngine::Impl::onSetFocus(const Message& m) {
    const LRESULT result = m.standard();
    core.focusMovedTo(m.control);
    return result;
}

// The input goes to the engine core before the control's own handling, and
// what the core refuses goes no further.
LRESULT Win32FormEngine::Impl::onButtonDown(const Message& m) {
    return core.press(m.control) ? m.standard() : 0;
}

LRESULT Win32FormEngine::Impl::onButtonUp(const Message& m) {
    return core.release(m.control) ? m.standard() : 0;
}

LRESULT Win32FormEngine::Impl::onKeyDown(const Message& m) {
    return core.key(m.control) ? m.standard() : 0;
}

LRESULT Win32FormEngine::Impl::onChar(const Message& m) {
    return core.character(m.control, static_cast<std::int16_t>(m.wParam)) ? m.standard() : 0;
}

LRESULT Win32FormEngine::Impl::onGetObject(const Message& m) {
    annotate();
    return m.standard();
}

void Win32FormEngine::Impl::tab(bool back) {
    const auto next = core.nextFocus(controlOf(GetFocus()), back);
    if (!next) return;
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(hwnd(*next));
}

int Win32FormEngine::Impl::messageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and Shift+Tab follow the TabIndex order, not the stacking.
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && window &&
            (message.hwnd == window || IsChild(window, message.hwnd))) {
            tab(GetKeyState(VK_SHIFT) < 0);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace varnsel::platform::win32
