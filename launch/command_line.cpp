#include "launch/command_line.hpp"

#include "platform/argv_split.hpp"

namespace varnsel::launch {

CommandLine composeCommandLine(std::string_view currentDirectory, char separator,
                               std::string_view game, const Fragments& fragments) {
    CommandLine line;
    line.program = std::string(currentDirectory) + separator + std::string(kEmulator);
    line.text = platform::quoteArgument(line.program, platform::kProgramNeedsQuotes);
    line.text += ' ';
    line.text += platform::quoteArgument(game, platform::kArgumentNeedsQuotes);
    for (std::string_view fragment : fragments) {
        line.text += ' ';
        line.text += fragment;
    }
    return line;
}

}  // namespace varnsel::launch
