// The program's start, whatever the toolkit: the one optional argument, then
// frmVarnsel in its window, on the system's run-time.
#pragma once

#include <string>
#include <vector>

#include "platform/form_engine.hpp"
#include "platform/runtime.hpp"

namespace varnsel {

// `arguments` are the program's own, after the toolkit took its options. A
// first argument names the directory to open the launcher on (the emulator's
// folder, from a desktop menu or a file manager): it becomes the working
// directory before the window loads, so everything reads it as if the
// launcher had been started there. A directory that cannot be entered is
// reported and the program ends with status 1. Returns the exit status.
int startLauncher(platform::FormEngine& window, platform::Runtime& runtime,
                  const std::vector<std::string>& arguments);

}  // namespace varnsel
