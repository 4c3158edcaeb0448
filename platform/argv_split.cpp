#include "platform/argv_split.hpp"

namespace varnsel::platform {

std::string quoteArgument(std::string_view text, std::string_view needsQuotes) {
    if (text.find_first_of(needsQuotes) == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : text) {
        if (c == '\\') {
            ++backslashes;
        } else {
            // Backslashes before a quote are doubled, and the quote escaped.
            if (c == '"') quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        quoted += c;
    }
    quoted.append(backslashes, '\\');  // those before the closing quote
    quoted += '"';
    return quoted;
}

std::vector<std::string> splitCommandLine(std::string_view program, std::string_view commandLine) {
    std::vector<std::string> argv{std::string(program)};
    std::string_view rest = commandLine;
    // Otherwise the line does not start with the program; its whole text
    // is arguments.
    if (const std::string part = quoteArgument(program, kProgramNeedsQuotes);
        rest.starts_with(part))
        rest.remove_prefix(part.size());

    std::string argument;
    bool inArgument = false;
    bool quoting = false;
    for (std::size_t at = 0; at < rest.size();) {
        const char c = rest[at];
        if (!quoting && (c == ' ' || c == '\t')) {
            if (inArgument) argv.push_back(std::move(argument));
            argument.clear();
            inArgument = false;
            ++at;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            std::size_t backslashes = 0;
            for (; at < rest.size() && rest[at] == '\\'; ++at) ++backslashes;
            const bool beforeQuote = at < rest.size() && rest[at] == '"';
            argument.append(beforeQuote ? backslashes / 2 : backslashes, '\\');
            if (beforeQuote && backslashes % 2 == 1) {
                argument += '"';
                ++at;
            }
        } else if (c == '"') {
            quoting = !quoting;
            ++at;
        } else {
            argument += c;
            ++at;
        }
    }
    if (inArgument) argv.push_back(std::move(argument));
    return argv;
}

}  // namespace varnsel::platform
