// Any text through the numeric test and value and the frame-skip check: no
// crash, no undefined behaviour, and the answers agree with each other and
// with the C library where both define one.
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

#include "launch/frame_skip_value.hpp"
#include "platform/numeric.hpp"
#include "platform/utf8.hpp"
#include "platform/wtf8.hpp"

using namespace varnsel;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool numeric = platform::isNumeric(text);
    const double value = platform::numericValue(text);
    if (std::isnan(value)) std::abort();
    if (launch::isValidFrameSkip(text) && !numeric) std::abort();
    if (launch::isValidFrameSkip(text)) {
        const double rounded = platform::roundHalfEven(value);
        if (rounded < 1 || rounded > 4) std::abort();
    }
    // A number the grammar accepts reads as the C library reads it.
    if (numeric && text.find('\0') == std::string::npos) {
        const double expected = std::strtod(text.c_str(), nullptr);
        if (std::fabs(expected) > 1e-300 && std::fabs(expected) < 1e300 && expected != value)
            std::abort();
    }
    if (platform::characterCount(text) > static_cast<int>(text.size())) std::abort();
    // Every UTF-16 text, lone surrogates included, comes back unchanged.
    std::u16string utf16;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        utf16 += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    if (platform::toUtf16(platform::fromUtf16(utf16)) != utf16) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::setlocale(LC_NUMERIC, "C");
    return 0;
}
