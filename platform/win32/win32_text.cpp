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

std::string systemReason(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(error);
    LocalFree(buffer);
    // Without the trailing line break.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return narrow(text);
}

}  // namespace varnsel::platform::win32
