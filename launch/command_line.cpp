#include "launch/command_line.hpp"

namespace varnsel::launch {

CommandLine composeCommandLine(std::string_view currentDirectory, char separator,
                               std::string_view game, const Fragments& fragments) {
    CommandLine line;
    line.program = std::string(currentDirectory) + separator + std::string(kEmulator);
    const bool needsQuotes = line.program.find_first_of(" \t") != std::string::npos;
    line.text = needsQuotes ? '"' + line.program + '"' : line.program;
    line.text += ' ';
    line.text += game;
    for (std::string_view fragment : fragments) {
        line.text += ' ';
        line.text += fragment;
    }
    return line;
}

}  // namespace varnsel::launch
