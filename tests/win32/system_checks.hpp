// The driver's checks of what Wine hides of Windows as it is.
#pragma once

#include "tests/win32/driving.hpp"

namespace driving {

void aSystemLibraryComesFromTheSystemFolder(Session& s);
void noDllComesFromTheGamesFolderOrBesideTheProgram(Session& s);
void aStartTheSystemRefusesIsSaidInPlainWords(Session& s);
void aDriveRootOpensAsThatRoot(Session& s);
void aMoveToAnotherDpiKeepsTheLayoutExact(Session& s);
void aDarkSchemeLeavesEveryCaptionReadable(Session& s);

}  // namespace driving
