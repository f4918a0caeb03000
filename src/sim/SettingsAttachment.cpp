#include "sim/SettingsAttachment.h"

#include "core/PortsEntry.h"
#include "platform/Process.h"

#include <vector>

namespace sim {

namespace {
constexpr const char *kPorts = "Ports";
constexpr const char *kSetting = "Setting";
} // namespace

std::string SettingsAttachment::attach(const std::string &settingsFile, int com,
                                       const std::string &pty) {
    const cps::IniFile file(settingsFile);
    comKey_ = std::to_string(com);
    comValue_ = comKey_;
    entry_ = cps::simulatorPortsValue(pty, platform::currentProcessId());
    const auto written = file.edit([&](const cps::IniFile::Lookup &current) {
        previousEntry_ = current(kPorts, comKey_);
        // An entry of a simulator that has died is not worth restoring.
        if (previousEntry_ && cps::liveDevice(*previousEntry_).empty())
            previousEntry_.reset();
        previousCom_ = current(kSetting, "COM");
        return std::vector<cps::IniEntry>{{kPorts, comKey_, entry_}, {kSetting, "COM", comValue_}};
    });
    if (!written)
        return written.error;
    file_ = file;
    return {};
}

std::string SettingsAttachment::detach() {
    if (!file_)
        return {};
    const cps::IniFile file = *file_;
    file_.reset();
    const auto written = file.edit([&](const cps::IniFile::Lookup &current) {
        std::vector<cps::IniEntry> restore;
        if (current(kPorts, comKey_) == entry_)
            restore.push_back({kPorts, comKey_, previousEntry_});
        if (previousCom_ && current(kSetting, "COM") == comValue_)
            restore.push_back({kSetting, "COM", previousCom_});
        return restore;
    });
    return written.error;
}

} // namespace sim
