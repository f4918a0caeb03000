#include "sim/SimOptions.h"

#include <cstdlib>

namespace sim {

#ifndef BRENVIK_VERSION
#define BRENVIK_VERSION "unknown"
#endif

const char *versionText() {
    return "brenvik-radio-sim " BRENVIK_VERSION "\n";
}

const char *usageText() {
    return "Usage: brenvik-radio-sim [OPTIONS]\n\n"
           "A virtual Brenvik radio on a pseudo-terminal. Prints the terminal's path on the\n"
           "first line of standard output, then answers the programming protocol until\n"
           "SIGTERM or SIGINT (Ctrl-C), or until the process that started it ends: a script\n"
           "that starts it in the background and exits takes the radio with it.\n\n"
           "Radio kinds (--ident):\n"
           "  alt          alternative command set, identification 5A 23 28 (default)\n"
           "  std          standard command set, identification 5A 52 57\n"
           "  unsupported  identification 5A 11 22: the tool refuses the radio\n\n"
           "Fault modes:\n"
           "  --silent             never answer\n"
           "  --drop N             drop the first N replies\n"
           "  --corrupt N          flip a byte of reply N (the address echo, or the only byte)\n"
           "  --wrong-echo N       reply N, when it carries data, echoes another address\n"
           "  --split              send replies in pieces\n"
           "  --extra              two trailing bytes after every reply\n"
           "  --latency MS         wait before every reply\n"
           "  --echo               send every received byte back at once, ahead of any reply,\n"
           "                       like a cable with a loop-back\n"
           "  --hangup-after N     close the pseudo-terminal after N frames\n"
           "  --ignore-writes ADDR ignore writes to the 16-byte block at hex ADDR\n"
           "  --p4 VALUE           hold memory 0x03D4 (parameter P[4]) at VALUE\n"
           "  --silent-after-end   answer nothing once the end frames of a write or read came\n\n"
           "Options:\n"
           "  --image FILE         memory from a *.dat file (default: dhcpqec.exe beside the "
           "program)\n"
           "  --ident KIND         the radio kind: alt, std or unsupported\n"
           "  --wire-timing        pace the line at 9600 baud (10 bits per byte)\n"
           "  --save FILE          save the memory at exit (*.dat layout)\n"
           "  --log FILE           list every frame seen and its reply\n"
           "  --quit-after-end     exit once the end frames of a read or write have come\n"
           "  --attach FILE        point COM N of the settings file FILE at this radio while it\n"
           "                       runs ([Ports] N=<pty> and COM=N; put back when it ends);\n"
           "                       a file that cannot be locked or written ends it at once\n"
           "  --com N              the COM number for --attach (default 1)\n"
           "  -h, --help           this help\n"
           "  --version            the program's version\n\n"
           "Exit status: 0 ended by a signal or as asked, 1 the memory image cannot be read\n"
           "or the --attach settings file cannot be written, 2 usage error.\n\n"
           "Example:\n"
           "  brenvik-radio-sim --wire-timing --attach build/bin/selvarn.exe --com 1\n";
}

namespace {
bool toInt(const std::string &text, int base, int &out) {
    if (text.empty())
        return false;
    char *end = nullptr;
    const long v = std::strtol(text.c_str(), &end, base);
    if (*end != '\0' || v < 0 || v > 0xFFFF)
        return false;
    out = static_cast<int>(v);
    return true;
}
} // namespace

std::optional<SimOptions> parseOptions(const std::vector<std::string> &args, std::string &error) {
    SimOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        auto value = [&]() -> const std::string * {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        auto number = [&](int &out, int base = 10) {
            const std::string *v = value();
            if (!v)
                return false;
            if (!toInt(*v, base, out)) {
                error = a + ": not a number: " + *v;
                return false;
            }
            return true;
        };
        bool ok = true;
        if (a == "--image") {
            const std::string *v = value();
            ok = v && !(o.image = *v).empty();
        } else if (a == "--ident") {
            const std::string *v = value();
            ok = v != nullptr;
            if (ok && *v == "alt")
                o.ident = Ident::Alternative;
            else if (ok && *v == "std")
                o.ident = Ident::Standard;
            else if (ok && *v == "unsupported")
                o.ident = Ident::Unsupported;
            else if (ok) {
                error = "--ident takes alt, std or unsupported";
                ok = false;
            }
        } else if (a == "--silent")
            o.faults.silent = true;
        else if (a == "--drop")
            ok = number(o.faults.dropFirst);
        else if (a == "--corrupt")
            ok = number(o.faults.corruptReply);
        else if (a == "--wrong-echo")
            ok = number(o.faults.wrongEchoReply);
        else if (a == "--split")
            o.split = true;
        else if (a == "--silent-after-end")
            o.faults.silentAfterEnd = true;
        else if (a == "--extra")
            o.faults.extraBytes = true;
        else if (a == "--echo")
            o.echo = true;
        else if (a == "--latency")
            ok = number(o.latencyMs);
        else if (a == "--wire-timing")
            o.wireTiming = true;
        else if (a == "--hangup-after")
            ok = number(o.hangupAfter);
        else if (a == "--ignore-writes")
            ok = number(o.faults.ignoreWritesAt, 16);
        else if (a == "--p4") {
            ok = number(o.faults.forceP4);
            if (ok && o.faults.forceP4 > 0xFF) {
                error = "--p4 takes a byte value 0..255";
                ok = false;
            }
        } else if (a == "--save") {
            const std::string *v = value();
            ok = v && !(o.saveFile = *v).empty();
        } else if (a == "--log") {
            const std::string *v = value();
            ok = v && !(o.logFile = *v).empty();
        } else if (a == "--help" || a == "-h")
            o.help = true;
        else if (a == "--version")
            o.version = true;
        else if (a == "--quit-after-end")
            o.quitAfterEnd = true;
        else if (a == "--attach") {
            const std::string *v = value();
            ok = v && !(o.attachSettings = *v).empty();
        } else if (a == "--com") {
            ok = number(o.attachCom);
            if (ok && (o.attachCom < 1 || o.attachCom > 16)) {
                error = "--com takes 1..16";
                ok = false;
            }
        } else {
            error = "unknown option " + a;
            ok = false;
        }
        if (!ok) {
            if (error.empty())
                error = a + " needs a value";
            return std::nullopt;
        }
    }
    return o;
}

} // namespace sim
