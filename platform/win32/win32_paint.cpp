// The Win32 window's painting: labels laid out as every backend lays them
// out, their tooltips, the pictures, and the face colour behind controls.
#include <algorithm>

#include "platform/face_colour.hpp"
#include "platform/win32/resources.h"
#include "platform/win32/win32_impl.hpp"

namespace varnsel::platform::win32 {
namespace {

int pictureResource(form::Picture picture) {
    return picture == form::Picture::Illustration ? IDB_ILLUSTRATION
           : picture == form::Picture::Arrow      ? IDB_ARROW
                                                  : 0;
}

// The picture's pixels, 24-bit blue-green-red rows, as they show on today's
// face colour.
void showOnFace(HBITMAP picture) {
    DIBSECTION dib{};
    if (GetObjectW(picture, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 24) return;
    const COLORREF colour = GetSysColor(COLOR_BTNFACE);
    const Rgb face{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    auto* bits = static_cast<BYTE*>(dib.dsBm.bmBits);
    for (LONG y = 0; y < dib.dsBm.bmHeight; ++y) {
        BYTE* pixel = bits + y * dib.dsBm.bmWidthBytes;
        for (LONG x = 0; x < dib.dsBm.bmWidth; ++x, pixel += 3) {
            const Rgb shown = shownOn(face, {pixel[2], pixel[1], pixel[0]});
            pixel[0] = shown.blue;
            pixel[1] = shown.green;
            pixel[2] = shown.red;
        }
    }
}

}  // namespace

// Each control's picture, made anew from the program's resources: the
// arrow's grey in the face colour of the moment.
void Win32FormEngine::Impl::loadPictures() {
    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        const form::ControlDef& def = form::kControls[i];
        const int resource = pictureResource(def.picture);
        if (!resource) continue;
        HBITMAP old = pictures[i];
        pictures[i] = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(resource),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (def.kind == form::Kind::Image) showOnFace(pictures[i]);
        SetWindowLongPtrW(hwnds[i], 0, reinterpret_cast<LONG_PTR>(pictures[i]));
        if (old) DeleteObject(old);
        InvalidateRect(hwnds[i], nullptr, FALSE);
    }
}

std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Labels, check boxes and the frame on the window's face colour, in its
// button text colour: the two the user's scheme makes to be read together,
// High Contrast included. A fresh DC holds black text.
LRESULT Win32FormEngine::Impl::onControlColour(HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// The width of a piece of UTF-8 text in the font selected into `dc`.
static MeasureText measuredIn(HDC dc) {
    return [dc](std::string_view piece) {
        const std::wstring text = wide(piece);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
}

// The label's lines in its font, as every backend lays a label out; they
// point into `text`.
LabelLayout Win32FormEngine::Impl::labelLayout(HWND label, HDC dc, const std::string& text) {
    RECT inside;
    GetClientRect(label, &inside);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    return layOutLabel(text, inside.right, inside.bottom, metrics.tmHeight, measuredIn(dc));
}

LRESULT Win32FormEngine::Impl::onPaint(const Message& m) {
    if (form::def(m.control).kind != form::Kind::Label) return m.standard();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m.hwnd, &paint);
    RECT inside;
    GetClientRect(m.hwnd, &inside);
    FillRect(dc, &inside, GetSysColorBrush(COLOR_BTNFACE));
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(m.hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    const bool centred = form::def(m.control).look.align == form::Align::Centre;
    int top = 0;
    const std::string text = narrow(windowText(m.hwnd));
    for (std::string_view piece : labelLayout(m.hwnd, dc, text).lines) {
        const std::wstring line = wide(piece);
        SIZE size{};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
        const int left = lineLeft(inside.right, size.cx, centred);
        ExtTextOutW(dc, left, top, ETO_CLIPPED, &inside, line.c_str(),
                    static_cast<UINT>(line.size()), nullptr);
        top += metrics.tmHeight;
    }
    SelectObject(dc, oldFont);
    EndPaint(m.hwnd, &paint);
    return 0;
}

// A label's new caption is only stored, then painted by onPaint: the stock
// static control would draw it at once in its own way (the middle of a long
// name, breaks at hyphens).
LRESULT Win32FormEngine::Impl::onSetText(const Message& m) {
    if (form::def(m.control).kind != form::Kind::Label) return m.standard();
    const LRESULT result = DefWindowProcW(m.hwnd, WM_SETTEXT, m.wParam, m.lParam);
    InvalidateRect(m.hwnd, nullptr, TRUE);
    return result;
}

// The frame paints no inside of its own.
LRESULT Win32FormEngine::Impl::onEraseBackground(const Message& m) {
    if (form::def(m.control).kind != form::Kind::Frame) return m.standard();
    RECT inside;
    GetClientRect(m.hwnd, &inside);
    FillRect(reinterpret_cast<HDC>(m.wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
}

// Made when the mouse first comes onto a label, with a tool for every label
// whose text it asks for when it would show: the whole text of a label that
// cuts some of it off, and nothing otherwise. The labels' mouse messages
// reach it through relayToTooltip, not through a subclass of the tooltip's
// own, which would look itself up in the label's properties at every message.
void Win32FormEngine::Impl::makeTooltip() {
    tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    if (!tooltip) return;
    sizeTooltip();
    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        if (form::kControls[i].kind != form::Kind::Label) continue;
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(hwnds[i]);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// A tooltip wraps at half the window's width, at the current dpi.
void Win32FormEngine::Impl::sizeTooltip() {
    if (tooltip) SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, scale(form::kWindow.clientWidth / 2));
}

void Win32FormEngine::Impl::relayToTooltip(const Message& m) {
    if (form::def(m.control).kind != form::Kind::Label) return;
    if (!tooltip) makeTooltip();
    if (!tooltip) return;
    MSG relayed{m.hwnd, m.message, m.wParam, m.lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&relayed.pt);
    SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

// A label's tooltip asks for its text as it is about to show: the whole text,
// wrapped to the tooltip's width, and then shows wholly on the monitor under
// the pointer.
LRESULT Win32FormEngine::Impl::onNotify(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != tooltip) return 0;
    if (header->code == TTN_SHOW) return keepTooltipOnItsMonitor();
    if (header->code != TTN_GETDISPINFOW) return 0;
    auto* request = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    HWND label = reinterpret_cast<HWND>(request->hdr.idFrom);
    HDC dc = GetDC(label);
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    const std::string text = narrow(windowText(label));
    const bool cut = labelLayout(label, dc, text).cut;
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(tooltip, WM_GETFONT, 0, 0)));
    const int width = static_cast<int>(SendMessageW(tooltip, TTM_GETMAXTIPWIDTH, 0, 0));
    tooltipText = cut ? wide(wrapToWidth(text, width, measuredIn(dc))) : std::wstring();
    SelectObject(dc, oldFont);
    ReleaseDC(label, dc);
    request->lpszText = tooltipText.data();
    return 0;
}

// Moves the tooltip about to show into the work area of the monitor that
// holds the pointer; TRUE tells the tooltip that it has been placed.
LRESULT Win32FormEngine::Impl::keepTooltipOnItsMonitor() {
    POINT pointer;
    GetCursorPos(&pointer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    RECT tip;
    GetWindowRect(tooltip, &tip);
    const LONG width = tip.right - tip.left, height = tip.bottom - tip.top;
    const LONG left = std::max(area.left, std::min(tip.left, area.right - width));
    const LONG top = std::max(area.top, std::min(tip.top, area.bottom - height));
    SetWindowPos(tooltip, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
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
        SetBrushOrgEx(dc, 0, 0, nullptr);  // which HALFTONE leaves undefined
        StretchBlt(dc, 0, 0, MulDiv(info.bmWidth, dpi, 96), MulDiv(info.bmHeight, dpi, 96), source,
                   0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    EndPaint(hwnd, &paint);
    return 0;
}

}  // namespace varnsel::platform::win32
