#include "platform/argv_split.hpp"

namespace varnsel::platform {

std::vector<std::string> splitCommandLine(std::string_view program, std::string_view commandLine) {
    std::vector<std::string> argv{std::string(program)};
    const std::string quoted = '"' + std::string(program) + '"';
    std::string_view rest = commandLine;
    if (rest.substr(0, quoted.size()) == quoted) {
        rest.remove_prefix(quoted.size());
    } else if (rest.substr(0, program.size()) == program) {
        rest.remove_prefix(program.size());
    }
    // Otherwise the line does not start with the program; its whole text
    // is arguments.
    while (!rest.empty()) {
        const std::size_t start = rest.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        const std::size_t end = rest.find(' ');
        argv.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    }
    return argv;
}

}  // namespace varnsel::platform
