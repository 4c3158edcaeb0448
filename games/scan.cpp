// The game directory scan: every sub-directory of the working directory is a
// game. The list box keeps itself sorted, so names go in as they are found.
#include "app/frmVarnsel.hpp"
#include "app/messages.hpp"

namespace varnsel {

void frmVarnsel::terminerDir() {
    const auto dir = currentDirectoryOrReport();
    if (!dir) return;
    const std::string basePath = *dir + runtime_.pathSeparator();

    std::string path = basePath;  // the base path, then each entry's full path
    auto entry = runtime_.firstEntry(basePath, platform::kIncludeDirectories);
    while (entry && !entry->empty()) {
        if (*entry != "." && *entry != "..") {
            path.resize(basePath.size());
            path += *entry;
            // An entry that vanished since the enumeration saw it has no
            // attributes any more; it is no game, so it is passed over.
            const auto attributes = runtime_.attributes(path);
            if (attributes && (*attributes & platform::kDirectoryAttribute) != 0)
                lstDirs.AddItem(*entry);
        }
        entry = runtime_.nextEntry();
    }
    // What was found before a read failed stays listed.
    if (!entry) {
        window_.messageBox(messages::unreadableDirectory(*dir, entry.reason()),
                           platform::MessageIcon::Exclamation, messages::kErrorTitle);
    }
}

}  // namespace varnsel
