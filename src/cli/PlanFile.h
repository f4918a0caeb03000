#pragma once
// The session a command works in, and data files opened and saved as the main
// window's Open and Save do.
#include "cli/Args.h"
#include "cli/CliFiles.h"
#include "cli/Console.h"
#include "cli/StreamSink.h"
#include "core/Cps.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cli {

// Where the files are: --program-dir forces that folder's portable layout;
// otherwise the executable's folder decides, as for the desktop tool.
cps::FileLocations fileLocationsFor(const Args &args);

// A ready shared state for the program folder with the interface language of
// --lang (1..3) or of the settings file. A settings file that cannot be used
// (empty, not a file, no [Setting] section) is left as it is and the delivered
// copy is read instead, with a notice on `notices`. Throws CliFailure (file
// error) when the program folder's files cannot be used.
void startSession(cps::Cps &c, const Args &args, std::ostream &notices);

// The shared state of one command, its failures printed on the console's
// error stream.
class CommandSession {
  public:
    CommandSession(const Args &args, Console &console) : sink_(console.err) {
        c.sink = &sink_;
        if (!args.has("--verbose"))
            sink_.setShortForm(&c, &console.faults);
        startSession(c, args, console.err);
    }
    CommandSession(const CommandSession &) = delete;
    CommandSession &operator=(const CommandSession &) = delete;

  private:
    StreamSink sink_;

  public:
    cps::Cps c;
};

// Why the image's band edges (0x037A..0x037D) are not what the tool or a
// programmed radio writes (packed BCD, lower edge below the upper); empty when
// they are.
std::string bandEdgeProblem(const std::vector<uint8_t> &image);

// Opens a data file ('-': standard input) as the Open command does: any file
// of at least the image's length, then the redisplay's decoding (a band that
// matches no row is custom). Band edges that no plan holds are opened all the
// same with a warning on `warnings`. A file that cannot be a plan (missing, a
// folder, shorter than the image) is a CliFailure with the language's
// "Wrong file type!" text and the reason.
void openPlan(cps::Cps &c, const std::string &path, std::ostream &warnings);

// The image as saved by Save (conversion step, then the data file layout).
std::vector<uint8_t> planFileBytes(cps::Cps &c);

// Writes data file bytes to a checked output; a failure is a CliFailure with
// the "Save file failed!" text and the reason.
void saveFile(const cps::Cps &c, const std::vector<uint8_t> &fileBytes, const OutputFile &out,
              Console &console);

// Before a write: a plan with channels outside its band is a CliFailure (file
// error) naming them, unless --force was given.
void refuseChannelsOutsideBand(const cps::Cps &c, const Args &args);

// Prints "N of M channels lie outside the band ..." on `out` when any do.
void reportChannelsOutsideBand(const cps::Cps &c, std::ostream &out);

} // namespace cli
