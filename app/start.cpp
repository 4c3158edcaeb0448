#include "app/start.hpp"

#include "app/frmVarnsel.hpp"
#include "app/messages.hpp"

namespace varnsel {

int startLauncher(platform::FormEngine& engine, const std::vector<std::string>& arguments) {
    if (!arguments.empty()) {
        const std::string& directory = arguments.front();
        if (const auto entered = engine.enterDirectory(directory); !entered) {
            engine.messageBox(messages::cannotOpenDirectory(directory, entered.reason()),
                              platform::MessageIcon::Exclamation, messages::kErrorTitle);
            return 1;
        }
    }
    frmVarnsel form(engine);
    return engine.run(form);
}

}  // namespace varnsel
