#pragma once
// --attach FILE --com N: points COM number N of a settings file at the
// simulator's pseudo-terminal for as long as the simulator runs, then puts
// back what the file held before.
#include "core/Ini.h"

#include <optional>
#include <string>

namespace sim {

class SettingsAttachment {
public:
    SettingsAttachment() = default;
    SettingsAttachment(const SettingsAttachment &) = delete;
    SettingsAttachment &operator=(const SettingsAttachment &) = delete;
    ~SettingsAttachment() { detach(); }

    // Writes [Ports] N = "<pty> (brenvik-radio-sim <pid>)" and [Setting] COM = N.
    // Returns an empty text, or why the file could not be written.
    std::string attach(const std::string &settingsFile, int com, const std::string &pty);
    // Restores the previous [Ports] entry (or removes ours) and the previous
    // COM, each only while it still holds what we wrote: a value changed since
    // belongs to someone else. Returns an empty text, or why not.
    std::string detach();

private:
    std::optional<cps::IniFile> file_;
    std::string comKey_, entry_, comValue_;
    std::optional<std::string> previousEntry_, previousCom_;
};

} // namespace sim
