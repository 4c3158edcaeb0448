// The logic's UTF-8 text as Qt's.
#pragma once

#include <QString>
#include <string_view>

namespace varnsel::platform::qt {

inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace varnsel::platform::qt
