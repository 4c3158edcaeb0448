// Any directory, game and fragments through the command line and back
// through the POSIX argument split: the program comes out as argv[0], the
// game, whatever bytes it holds, as exactly one argument, and then each
// fragment that is not empty.
#include <cstdlib>
#include <string>
#include <vector>

#include "launch/command_line.hpp"
#include "platform/argv_split.hpp"

using namespace varnsel;

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
    // A fragment is a switch, or "-f" and a count the check accepted: never
    // a blank, a tab or a quote.
    launch::Fragments fragments;
    for (std::size_t i = 0; i < 7; ++i) {
        std::string& f = fields[2 + i];
        std::erase_if(f, [](char c) { return c == ' ' || c == '\t' || c == '"'; });
        fragments[i] = f;
    }
    const auto line = launch::composeCommandLine(fields[0], '/', fields[1], fragments);

    const auto argv = platform::splitCommandLine(line.program, line.text);
    std::vector<std::string> expected{line.program};
    if (!fields[1].empty()) expected.push_back(fields[1]);
    for (std::string_view f : fragments) {
        if (!f.empty()) expected.emplace_back(f);
    }
    if (argv != expected) std::abort();
    return 0;
}
