// Every text the launcher shows in a message box.
#pragma once

#include <string>
#include <string_view>

namespace varnsel::messages {

inline constexpr std::string_view kErrorTitle = "Error";
inline constexpr std::string_view kNoGames = "There are no games to play in this directory!";
inline constexpr std::string_view kNoSelection = "You must chose a game first!";
inline constexpr std::string_view kFrameSkipTitle = "Frame skip value error";
inline constexpr std::string_view kFrameSkipRange =
    "Frame skip value must be a number between 1 and 4!";

inline std::string noCurrentDirectory(std::string_view reason) {
    return "The current directory cannot be determined: " + std::string(reason);
}

inline std::string unreadableDirectory(std::string_view directory, std::string_view reason) {
    return "The directory \"" + std::string(directory) +
           "\" cannot be read: " + std::string(reason);
}

inline std::string cannotOpenDirectory(std::string_view directory, std::string_view reason) {
    return "The directory \"" + std::string(directory) +
           "\" cannot be opened: " + std::string(reason);
}

inline std::string startFailed(std::string_view program, std::string_view reason) {
    return "The emulator \"" + std::string(program) +
           "\" cannot be started: " + std::string(reason);
}

}  // namespace varnsel::messages
