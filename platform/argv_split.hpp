// How a started program's arguments come out of its command line where the
// system passes an argument vector rather than one line (POSIX).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnsel::platform {

// argv[0] is the program; the rest of the line after the program's part (the
// program's path, or that path in double quotes) splits at runs of blanks
// into argv[1..]. Empty slots give no argument, as a Windows program's
// start-up code reads the same line; no other character is special.
std::vector<std::string> splitCommandLine(std::string_view program, std::string_view commandLine);

}  // namespace varnsel::platform
