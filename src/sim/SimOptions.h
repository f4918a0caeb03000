#pragma once
// Command line of brenvik-radio-sim.
#include "sim/SimRadio.h"

#include <optional>
#include <string>
#include <vector>

namespace sim {

struct SimOptions {
    std::string image; // *.dat file; empty: the default image beside the program
    Ident ident = Ident::Alternative;
    RadioFaults faults;
    bool split = false;      // replies in pieces
    int latencyMs = 0;       // before every reply
    bool echo = false;       // the line loops every received byte back, ahead of any reply
    bool wireTiming = false; // pace both directions at 9600 baud, 10 bits per byte
    int hangupAfter = 0;     // close the pseudo-terminal after N frames (0: never)
    std::string saveFile;    // memory at exit, *.dat layout
    std::string logFile;     // every frame seen
    bool quitAfterEnd = false;
    // Point a COM number of a program folder's settings file at this radio.
    std::string attachSettings; // selvarn.exe to write [Ports] N=<pty> and COM=N into
    int attachCom = 1;
    bool help = false, version = false; // print and end
};

// Parses argv; on a usage error returns nothing and fills `error`.
std::optional<SimOptions> parseOptions(const std::vector<std::string> &args, std::string &error);
const char *usageText();
const char *versionText();

} // namespace sim
