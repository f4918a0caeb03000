#pragma once
// The session a command works in, and data files opened and saved as the main
// window's Open and Save do.
#include "cli/Args.h"
#include "cli/Console.h"
#include "cli/StreamSink.h"
#include "core/Cps.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

// The program folder: --program-dir, else the executable's own folder.
std::string programDirFor(const Args &args);

// A ready shared state for the program folder with the interface language of
// --lang (1..3) or of the settings file. Throws CliFailure (file error) when
// the program folder's files cannot be used.
void startSession(cps::Cps &c, const Args &args);

// The shared state of one command, its failures printed on the console's
// error stream.
class CommandSession {
public:
    CommandSession(const Args &args, Console &console) : sink_(console.err) {
        c.sink = &sink_;
        startSession(c, args);
    }
    CommandSession(const CommandSession &) = delete;
    CommandSession &operator=(const CommandSession &) = delete;

private:
    StreamSink sink_;

public:
    cps::Cps c;
};

// Whether the image's band edges (0x037A..0x037D) are packed BCD with the lower
// edge below the upper: every plan the tool or a programmed radio holds has
// them, a file of random bytes almost never.
bool plausiblePlanImage(const std::vector<uint8_t> &image);

// Opens a data file as the Open command does (image, then the redisplay's
// decoding). A file that is not a plan (missing, a folder, shorter than the
// image, implausible content) is a CliFailure with the language's
// "Wrong file type!" text.
void openPlan(cps::Cps &c, const std::string &path);

// Saves the plan as Save does (conversion step, then the data file layout),
// atomically. A failure is a CliFailure with the "Save file failed!" text.
void savePlan(cps::Cps &c, const std::string &path);

// Saves an image as it stands, without the conversion step (a radio's image).
void saveImage(const cps::Cps &c, const std::vector<uint8_t> &image, const std::string &path);

} // namespace cli
