// The game directory scan: every sub-directory of the working directory is a
// game. The list box keeps itself sorted, so names go in as they are found.
#include "app/frmVarnsel.hpp"
#include "app/messages.hpp"

namespace varnsel {

void frmVarnsel::terminerDir() {
    const auto dir = currentDirectoryOrReport();
    if (!dir) return;
    const std::string basePath = *dir + engine_.pathSeparator();

    auto entry = engine_.dir(basePath, platform::vbDirectory);
    while (entry && !entry->empty()) {
        if (*entry != "." && *entry != "..") {
            // An entry that vanished since the enumeration saw it has no
            // attributes any more; it is no game, so it is passed over.
            const auto attributes = engine_.getAttr(basePath + *entry);
            if (attributes && (*attributes & platform::vbDirectory) != 0) lstDirs.AddItem(*entry);
        }
        entry = engine_.dir();
    }
    // What was found before a read failed stays listed.
    if (!entry) {
        engine_.msgBox(messages::unreadableDirectory(*dir, entry.reason()), platform::vbExclamation,
                       messages::kErrorTitle);
    }
}

}  // namespace varnsel
