// One command line and the arguments in it, by the rules a Windows program's
// start-up code (CommandLineToArgvW, the C run-time) reads them with: the
// launcher writes its line by them, and where the system passes an argument
// vector rather than one line (POSIX) it reads the line back by them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnsel::platform {

// The characters that make the program's part of a line, or an argument,
// need quotes. A Windows path never holds a double quote, and the program's
// part has always been quoted for a blank or a tab alone.
inline constexpr std::string_view kProgramNeedsQuotes = " \t";
inline constexpr std::string_view kArgumentNeedsQuotes = " \t\"";

// `text` exactly as it is, unless it holds one of `needsQuotes`; then in
// double quotes, each double quote inside preceded by a backslash, and the
// backslashes before a double quote or before the closing quote doubled, so
// that the line reads back as `text` and nothing else.
std::string quoteArgument(std::string_view text, std::string_view needsQuotes);

// argv[0] is the program; the rest of the line after the program's part
// gives argv[1..]: blanks and tabs separate (a run of them gives no empty
// argument), a double quote opens and closes quoting, 2n backslashes before
// a double quote give n and the quote acts, 2n+1 give n and a literal quote,
// and backslashes before anything else are themselves.
std::vector<std::string> splitCommandLine(std::string_view program, std::string_view commandLine);

}  // namespace varnsel::platform
