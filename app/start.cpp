#include "app/start.hpp"

#include "app/frmVarnsel.hpp"
#include "app/messages.hpp"

namespace varnsel {

int startLauncher(platform::FormEngine& window, platform::Runtime& runtime,
                  const std::vector<std::string>& arguments) {
    if (!arguments.empty()) {
        const std::string& directory = arguments.front();
        if (const auto entered = runtime.enterDirectory(directory); !entered) {
            window.messageBox(messages::cannotOpenDirectory(directory, entered.reason()),
                              platform::MessageIcon::Exclamation, messages::kErrorTitle);
            return 1;
        }
    }
    frmVarnsel form(window, runtime);
    return window.run(form);
}

}  // namespace varnsel
