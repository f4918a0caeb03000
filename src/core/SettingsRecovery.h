#pragma once
// A settings file the tool cannot start from (a folder in its place, no read
// permission, empty, or without its [Setting] section) is kept aside for the
// user and replaced by the delivered copy, so the tool starts as on a new
// installation instead of half built.
#include <string>

namespace cps {

enum class SettingsProblem { None, NotAFile, Unreadable, Empty, NoSettingSection };

struct SettingsCheck {
    SettingsProblem problem = SettingsProblem::None;
    std::string reason; // the system's reason when it could not be read
};

// What is wrong with the settings file at `path`; a missing file is no
// problem here (the first start writes one).
SettingsCheck checkSettingsFile(const std::string &path);
// The problem in words, for messages that are not in the interface language.
std::string describe(const SettingsCheck &check);

// Renames the settings file to "<path>.bad" (".bad.1", ".bad.2", ... when
// that is taken; nothing is ever deleted) and puts a copy of `delivered` in
// its place. Returns the name the user's file is kept under; throws RunError
// (with the system's reason) when either step fails.
std::string setAsideAndRestore(const std::string &path, const std::string &delivered);

} // namespace cps
