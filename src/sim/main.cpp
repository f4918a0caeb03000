// brenvik-radio-sim: a virtual Brenvik radio on a pseudo-terminal. Prints the
// terminal's path on the first line of stdout, then answers the programming
// protocol until SIGTERM/SIGINT/SIGHUP (or a hang-up / end condition it was
// asked for).
#include "core/DataFile.h"
#include "core/Failure.h"
#include "core/FileLocations.h"
#include "core/Ini.h"
#include "sim/PtyServer.h"
#include "sim/SettingsAttachment.h"
#include "sim/SimOptions.h"
#include "sim/SimRadio.h"

#include <climits>
#include <csignal>
#include <sys/prctl.h>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) {
    stopRequested = 1;
}

std::string programDir() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    std::string p(path, static_cast<std::size_t>(n));
    return p.substr(0, p.find_last_of('/'));
}

// The radio's memory: a data file, or the tool's default image (its first 8192
// bytes) from the delivered data beside the program or in the installed data folder.
bool loadMemory(const sim::SimOptions &o, std::vector<uint8_t> &memory, std::string &error) {
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
        cps::deliveredDataDir(programDir()) + "/" + cps::kDefaultImageFileName;
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
    if (!loadMemory(*options, memory, error)) {
        std::fprintf(stderr, "brenvik-radio-sim: %s\n", error.c_str());
        return 1;
    }
    sim::SimRadio radio(std::move(memory), options->ident, options->faults);

    // SIGTERM/SIGINT/SIGHUP are let in only while the server waits, so a
    // request is never cut in half; each ends the loop, the memory is saved
    // and an attached settings file is put back.
    sigset_t blocked, waitMask;
    sigemptyset(&blocked);
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        sigaddset(&blocked, sig);
        sigaction(sig, &sa, nullptr);
    }
    sigprocmask(SIG_BLOCK, &blocked, &waitMask);
    // A test or script that dies without stopping us takes us along.
    prctl(PR_SET_PDEATHSIG, SIGTERM);

    sim::PtyServer server(radio, *options);
    if (!server.open(error)) {
        std::fprintf(stderr, "brenvik-radio-sim: %s\n", error.c_str());
        return 1;
    }
    // The tool then reads and writes this radio on that COM number.
    sim::SettingsAttachment attachment;
    if (!options->attachSettings.empty()) {
        const std::string failed = attachment.attach(options->attachSettings,
                                                     options->attachCom, server.slavePath());
        if (!failed.empty())
            std::fprintf(stderr, "brenvik-radio-sim: %s\n", failed.c_str());
    }
    // The path goes out last, so whoever waits for it finds the settings ready.
    std::printf("%s\n", server.slavePath().c_str());
    std::fflush(stdout);

    server.run(stopRequested, waitMask);
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
