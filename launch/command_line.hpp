// The emulator's command line, composed from its parts.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace varnsel::launch {

inline constexpr std::string_view kEmulator = "Neorage.exe";

struct CommandLine {
    std::string program;  // the emulator's full path, never quoted
    std::string text;     // the whole line, starting with the program
};

// The seven option fragments in their command-line order: scanlines, vsync,
// VGA, frame skip, skip code analysis, joystick, ModeX.
using Fragments = std::array<std::string_view, 7>;

// The directory, the separator, "Neorage.exe", a blank, the game, and a blank
// before each fragment. Two parts are quoted, and only when they need it:
// the program's path when it holds a blank or a tab, since unquoted the
// system would take the text up to the first blank for the program
// ("C:\My.exe" for "C:\My Games\Neorage.exe"); and the game when it holds a
// blank, a tab or a double quote, so that "Metal Slug" reaches the emulator
// as one argument. Every other name is written exactly as it is.
CommandLine composeCommandLine(std::string_view currentDirectory, char separator,
                               std::string_view game, const Fragments& fragments);

}  // namespace varnsel::launch
