// The program's start, whatever the toolkit: the one optional argument, then
// the form engine with frmVarnsel as its window.
#pragma once

#include <string>
#include <vector>

#include "platform/form_engine.hpp"

namespace varnsel {

// `arguments` are the program's own, after the toolkit took its options. A
// first argument names the directory to open the launcher on (the emulator's
// folder, from a desktop menu or a file manager): it becomes the working
// directory before the window loads, so everything reads it as if the
// launcher had been started there. A directory that cannot be entered is
// reported and the program ends with status 1. Returns the exit status.
int startLauncher(platform::FormEngine& engine, const std::vector<std::string>& arguments);

}  // namespace varnsel
