#pragma once
// The system's half of writing a file whole: the new contents go to a temporary
// file in the target's folder, reach the disk, and are renamed over the target.
#include <string>
#include <string_view>

namespace platform {

// Replaces the file `target` (symlinks already followed) with `bytes`. Returns
// an empty text when it was written, else the system's reason ("No space left
// on device"); the target is then as it was and no temporary file is left.
// An existing target keeps its permission bits; one that is not a regular file
// is refused. On POSIX systems errno still holds the reason's number after a
// failure. Temporary files that earlier writes of the same target left behind
// when their process was killed are removed.
std::string replaceFileAtomically(const std::string &target, std::string_view bytes);

} // namespace platform
