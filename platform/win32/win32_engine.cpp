// The Win32 engine's members: the controls' properties and the message box.
#include "platform/win32/win32_engine.hpp"

#include "platform/win32/win32_impl.hpp"
#include "platform/wtf8.hpp"

namespace varnsel::platform::win32 {
namespace {

using form::Kind;

std::u16string_view units(const std::wstring& text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace

Win32FormEngine::Win32FormEngine() : impl_(std::make_unique<Impl>()) {}
Win32FormEngine::~Win32FormEngine() = default;

int Win32FormEngine::run(FormHandler& form) {
    Impl& impl = *impl_;
    impl.core.attach(form);
    impl.build();
    impl.core.load([&impl] { impl.settleList(); });
    if (impl.core.ended()) return 0;
    ShowWindow(impl.window, SW_SHOWNORMAL);
    UpdateWindow(impl.window);
    impl.tab(false);  // the lowest tab position that takes the focus
    return impl.messageLoop();
}

// The names the scan collected, sorted once, into the list box in one go, its
// storage made at once and its drawing held off meanwhile.
void Win32FormEngine::Impl::settleList() {
    core.list.endCollecting();
    std::size_t index = 0;
    while (form::kControls[index].kind != Kind::ListBox) ++index;
    HWND list = hwnds[index];
    std::size_t bytes = 0;
    for (int row = 0; row < core.list.count(); ++row) bytes += 2 * (core.list.name(row).size() + 1);
    SendMessageW(list, LB_INITSTORAGE, static_cast<WPARAM>(core.list.count()), bytes);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    std::wstring text;
    for (int row = 0; row < core.list.count(); ++row) {
        text = wide(core.list.name(row));
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

void Win32FormEngine::setCaption(Of<Kind::Label> label, std::string_view text) {
    SetWindowTextW(impl_->hwnd(label), wide(text).c_str());
    impl_->describe(label, text);
}

int Win32FormEngine::value(Of<Kind::CheckBox> checkBox) const {
    // BST_UNCHECKED, BST_CHECKED and BST_INDETERMINATE are 0, 1 and 2.
    return static_cast<int>(SendMessageW(impl_->hwnd(checkBox), BM_GETCHECK, 0, 0));
}

std::string Win32FormEngine::text(Of<Kind::TextBox> textBox) const {
    return narrow(windowText(impl_->hwnd(textBox)));
}

void Win32FormEngine::setVisible(Of<Kind::TextBox, Kind::Image> control, bool visible) {
    if (!visible) impl_->core.hiding(control);
    ShowWindow(impl_->hwnd(control), visible ? SW_SHOW : SW_HIDE);
}

void Win32FormEngine::setSelStart(Of<Kind::TextBox> textBox, int start) {
    HWND edit = impl_->hwnd(textBox);
    const int at = utf16Offset(units(windowText(edit)), start);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(at), at);
}

void Win32FormEngine::setSelLength(Of<Kind::TextBox> textBox, int length) {
    HWND edit = impl_->hwnd(textBox);
    const std::wstring text = windowText(edit);
    DWORD start = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const int end =
        utf16Offset(units(text), characterIndex(units(text), static_cast<int>(start)) + length);
    SendMessageW(edit, EM_SETSEL, start, end);
}

void Win32FormEngine::setFocus(Of<Kind::TextBox> control) {
    SetFocus(impl_->hwnd(control));
}

int Win32FormEngine::listCount(Of<Kind::ListBox> /*list*/) const {
    return impl_->core.list.count();
}

bool Win32FormEngine::selected(Of<Kind::ListBox> list, int index) const {
    return SendMessageW(impl_->hwnd(list), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

std::string Win32FormEngine::list(Of<Kind::ListBox> /*list*/, int index) const {
    return std::string(impl_->core.list.name(index));
}

void Win32FormEngine::addItem(Of<Kind::ListBox> list, std::string_view text) {
    if (const auto row = impl_->core.list.add(text)) {
        SendMessageW(impl_->hwnd(list), LB_INSERTSTRING, static_cast<WPARAM>(*row),
                     reinterpret_cast<LPARAM>(wide(text).c_str()));
    }
}

void Win32FormEngine::setEnabled(Of<Kind::Timer> timer, bool enabled) {
    impl_->setTimer(timer, enabled);
}

void Win32FormEngine::messageBox(std::string_view message, MessageIcon icon,
                                 std::string_view title) {
    // The icon's number is the message box style that shows it.
    MessageBoxW(impl_->window, wide(message).c_str(), wide(title).c_str(),
                MB_OK | static_cast<UINT>(icon));
}

void Win32FormEngine::end() {
    Impl& impl = *impl_;
    impl.core.end();
    for (std::size_t i = 0; i < form::kControlCount; ++i) {
        if (impl.core.timerRunning(ControlId(static_cast<int>(i))))
            impl.setTimer(ControlId(static_cast<int>(i)), false);
    }
    if (impl.window) DestroyWindow(impl.window);
}

}  // namespace varnsel::platform::win32
