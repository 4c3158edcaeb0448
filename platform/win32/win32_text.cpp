#include "platform/win32/win32_text.hpp"

#include "platform/wtf8.hpp"

namespace varnsel::platform::win32 {

std::wstring wide(std::string_view text) {
    const std::u16string utf16 = toUtf16(text);
    return {utf16.begin(), utf16.end()};
}

std::string narrow(const wchar_t* text, std::size_t length) {
    return fromUtf16({reinterpret_cast<const char16_t*>(text), length});
}

std::string narrow(const std::wstring& text) {
    return narrow(text.data(), text.size());
}

namespace {

// The system's text with each insert ("%1", "%2!s!") replaced by `insert`:
// its messages are written for a caller that fills them, and the user would
// otherwise read the raw "%1".
std::wstring filled(const std::wstring& text, std::wstring_view insert) {
    const auto digit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%' || i + 1 == text.size() || !digit(text[i + 1]) || text[i + 1] == L'0') {
            out += text[i];
            continue;
        }
        ++i;
        while (i + 1 < text.size() && digit(text[i + 1])) ++i;
        if (i + 1 < text.size() && text[i + 1] == L'!') {  // a format: "%1!s!"
            const std::size_t close = text.find(L'!', i + 2);
            if (close != std::wstring::npos) i = close;
        }
        out += insert;
    }
    return out;
}

}  // namespace

std::string systemReason(DWORD error, std::string_view insert) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(error);
    LocalFree(buffer);
    // Without the trailing line break.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return narrow(filled(text, insert.empty() ? L"it" : wide(insert)));
}

}  // namespace varnsel::platform::win32
