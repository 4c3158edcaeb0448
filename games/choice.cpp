// The game choice: "CHOSE GAME" turns the list's selection into the game.
#include "app/frmVarnsel.hpp"
#include "app/messages.hpp"

namespace varnsel {

void frmVarnsel::cmdChoseGame_Click() {
    strGame = "";
    // A plain int, not a 16-bit one: a folder may hold more than 32767 games.
    const int count = lstDirs.ListCount();
    if (count > 0) {
        bool found = false;
        for (int index = 0; index < count; ++index) {
            if (lstDirs.Selected(index)) {
                found = true;
                strGame = lstDirs.List(index);
            }
        }
        if (!found) {
            window_.messageBox(messages::kNoSelection, platform::MessageIcon::Critical,
                               messages::kErrorTitle);
        }
    } else {
        window_.messageBox(messages::kNoGames, platform::MessageIcon::Exclamation,
                           messages::kErrorTitle);
    }
    if (!strGame.empty()) lblGame.Caption(strGame);
}

}  // namespace varnsel
