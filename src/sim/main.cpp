// brenvik-radio-sim: a virtual Brenvik radio on a pseudo-terminal. Prints the
// terminal's path on the first line of stdout, then answers the programming
// protocol until SIGTERM/SIGINT/SIGHUP (or a hang-up / end condition it was
// asked for).
#include "core/DataFile.h"
#include "core/Failure.h"
#include "core/FileLocations.h"
#include "core/Ini.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/PseudoTerminal.h"
#include "sim/PtyServer.h"
#include "sim/SettingsAttachment.h"
#include "sim/SimOptions.h"
#include "sim/SimRadio.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The radio's memory: a data file, or the tool's default image (its first 8192
// bytes) from the delivered data beside the program or in the installed data folder.
bool loadMemory(const sim::SimOptions &o, const std::string &programDir,
                std::vector<uint8_t> &memory, std::string &error) {
    constexpr std::size_t size = sim::SimRadio::kMemorySize;
    if (!o.image.empty()) {
        const auto file = cps::readDataFile(o.image, size);
        if (!file) {
            error = "cannot read the data file " + o.image;
            return false;
        }
        memory = cps::fileBytesToImage(*file, size);
        return true;
    }
    const std::string defaultImage =
        cps::deliveredDataDir(programDir) + "/" + cps::kDefaultImageFileName;
    const auto bytes = cps::readDataFile(defaultImage, size);
    if (!bytes) {
        error = "cannot read the default image " + defaultImage;
        return false;
    }
    memory = *bytes;
    return true;
}

} // namespace

int main(int argc, char **argv) {
    std::string error;
    const auto options = sim::parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "brenvik-radio-sim: %s\nsee 'brenvik-radio-sim --help'\n",
                     error.c_str());
        return 2;
    }
    if (options->help || options->version) {
        std::fputs(options->help ? sim::usageText() : sim::versionText(), stdout);
        return 0;
    }
    std::vector<uint8_t> memory;
    if (!loadMemory(*options, platform::executableDir(argv[0]), memory, error)) {
        std::fprintf(stderr, "brenvik-radio-sim: %s\n", error.c_str());
        return 1;
    }
    sim::SimRadio radio(std::move(memory), options->ident, options->faults);

    // SIGTERM/SIGINT/SIGHUP are let in only while the server waits, so a
    // request is never cut in half; each ends the loop, the memory is saved
    // and an attached settings file is put back.
    platform::catchStopRequests();
    // A test or script that dies without stopping us takes us along.
    platform::endWithParent();
    // A radio answers within its time whatever else the computer runs: ahead of
    // ordinary work where the system allows it (as root), so a busy machine does
    // not make the virtual radio late and cost the tool a pass.
    platform::raisePriority(platform::currentProcessId());

    sim::PtyServer server(radio, *options);
    if (!server.open(error)) {
        std::fprintf(stderr, "brenvik-radio-sim: %s\n", error.c_str());
        return 1;
    }
    // The tool then reads and writes this radio on that COM number.
    sim::SettingsAttachment attachment;
    if (!options->attachSettings.empty()) {
        const std::string failed =
            attachment.attach(options->attachSettings, options->attachCom, server.slavePath());
        // Running on unattached would leave the tool looking at another port.
        if (!failed.empty()) {
            std::fprintf(stderr, "brenvik-radio-sim: cannot attach to %s: %s\n",
                         options->attachSettings.c_str(), failed.c_str());
            return 1;
        }
    }
    // The path goes out last, so whoever waits for it finds the settings ready.
    std::printf("%s\n", server.slavePath().c_str());
    std::fflush(stdout);

    server.run();
    if (const std::string failed = attachment.detach(); !failed.empty())
        std::fprintf(stderr, "brenvik-radio-sim: %s\n", failed.c_str());

    if (!options->saveFile.empty()) {
        try {
            cps::writeFileAtomically(options->saveFile, cps::imageToFileBytes(radio.memory()));
        } catch (const cps::RunError &e) {
            std::fprintf(stderr, "brenvik-radio-sim: cannot save %s (error %d)\n",
                         options->saveFile.c_str(), e.number);
            return 1;
        }
    }
    return 0;
}
