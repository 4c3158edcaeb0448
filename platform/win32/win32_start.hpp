// What the program's start asks of Windows before the window is made. This
// header holds no Windows type, so the program's start can name it without
// including windows.h.
#pragma once

#include <string>
#include <vector>

namespace varnsel::platform::win32 {

// Takes the working directory, the games folder, out of the search for a DLL
// loaded by name, for the system's own loads as well as the program's; and,
// where the system can, the program's folder too, which may be that folder.
void keepTheWorkingDirectoryOutOfTheDllSearch();

// The program's arguments after its own name, from its UTF-16 command line.
std::vector<std::string> programArguments();

}  // namespace varnsel::platform::win32
