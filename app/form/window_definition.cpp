#include "app/form/window_definition.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace varnsel::form {

const ControlDef& control(std::string_view name) {
    for (const ControlDef& def : kControls) {
        if (def.name == name) return def;
    }
    std::fprintf(stderr, "varnsel: no control named \"%s\" in the window table\n",
                 std::string(name).c_str());
    std::abort();
}

}  // namespace varnsel::form
