// Any directory, game and fragments through the command line and back
// through the POSIX argument split: the program comes out as argv[0] and the
// rest as the game and the switches split at blanks, whatever they hold.
#include <cstdlib>
#include <string>
#include <vector>

#include "launch/command_line.hpp"
#include "platform/argv_split.hpp"

using namespace varnsel;

namespace {

std::vector<std::string> splitAtBlanks(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c != ' ') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    // Fields separated by the byte 0x01: directory, game, then fragments.
    std::vector<std::string> fields(9);
    std::size_t field = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0x01 && field + 1 < fields.size()) {
            ++field;
        } else {
            fields[field] += static_cast<char>(data[i]);
        }
    }
    launch::Fragments fragments;
    for (std::size_t i = 0; i < 7; ++i) fragments[i] = fields[2 + i];
    const auto line = launch::composeCommandLine(fields[0], '/', fields[1], fragments);
    if (line.text.find(line.program) > 1) std::abort();  // the program leads the line

    const auto argv = platform::splitCommandLine(line.program, line.text);
    if (argv.empty() || argv[0] != line.program) std::abort();
    std::string rest = fields[1];
    for (std::string_view f : fragments) rest += " " + std::string(f);
    const auto expected = splitAtBlanks(rest);
    if (std::vector<std::string>(argv.begin() + 1, argv.end()) != expected) std::abort();
    return 0;
}
