#pragma once
// A ready shared state for a program folder without any window: what the main
// window's start-up leaves behind (settings, interface texts, image size,
// column definition table, signalling list, default image and a new plan with
// the default band), for the command line and for tests. The start-up's
// first-run steps and port probing belong to the main window and are not run.
#include "core/Cps.h"

#include <string>

namespace cps {

// Fills `c` for the files at `files`; the settings are read from the user's
// copy, or the delivered one while the user has none. `langOverride` 1..3
// replaces the settings file's "Language" (0 = use the file). Failures are
// reported to c.log(); returns false when the state is not usable (no settings
// file, no default image, or a settings value the start-up cannot take), with
// the file at fault and what is wrong in `problem`. Such a session only reads
// the settings file (Cps::settingsReadOnly).
bool loadSession(Cps &c, const FileLocations &files, int langOverride = 0,
                 std::string *problem = nullptr);

} // namespace cps
