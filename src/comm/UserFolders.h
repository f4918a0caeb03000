#pragma once
// The file locations of this machine and user, for the desktop tool and the
// command line alike.
#include "core/FileLocations.h"

#include <QString>

namespace cps {

// The desktop's config, documents and data folders (documents in the locale's
// wording, e.g. ~/文档), with the home folder as the plain fallback.
UserFolders standardUserFolders();

// The layout for executables in `programDir` (see locateFiles).
FileLocations locateProgramFiles(const QString &programDir);

} // namespace cps
