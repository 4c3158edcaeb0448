// A start the system refused, in plain words where the system's are not, with
// the system's own reason kept beside them: alike on every run-time.
#pragma once

#include <string>
#include <string_view>

namespace varnsel::platform {

inline constexpr std::string_view kAFolder = "a folder, not a program";
inline constexpr std::string_view kAnEmptyFile = "an empty file, not a program";

// "it is a folder, not a program (Access is denied.)"
inline std::string refusal(std::string_view plainWords, std::string_view systemReason) {
    return "it is " + std::string(plainWords) + " (" + std::string(systemReason) + ")";
}

}  // namespace varnsel::platform
