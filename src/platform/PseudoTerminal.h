#pragma once
// The simulator's end of a virtual serial line: a pseudo-terminal in raw mode
// whose other end (e.g. /dev/pts/5) a program opens like any serial device.
//
// Stop requests (SIGTERM, SIGINT, SIGHUP) go with it: catchStopRequests()
// turns them into stopRequested() and holds them back except while the
// program waits in PseudoTerminal::wait, so the work between two waits is
// never cut in half.
//
// Where the system has no pseudo-terminals open() says so, and Ctrl-C still
// stops the program.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

void catchStopRequests();
bool stopRequested();

class PseudoTerminal {
  public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Creates the terminal; false with the reason when it cannot.
    bool open(std::string &error);
    // The path the other side opens.
    const std::string &path() const { return path_; }
    // Closes both ends: whoever has the path open sees the device vanish.
    void close();

    struct Readiness {
        bool failed = false;   // the wait itself failed
        bool readable = false; // bytes have arrived
    };
    // Waits at most `timeoutMs` (infinity: without a limit) until bytes arrive,
    // the terminal takes output again (when `wantWrite`), or a stop request
    // comes in.
    Readiness wait(double timeoutMs, bool wantWrite);
    // What has arrived, at most `size` bytes; 0 when nothing has.
    std::size_t read(uint8_t *buffer, std::size_t size);
    // Writes what the terminal takes now: the number of bytes taken (0 while it
    // is full), or -1 when it cannot carry them at all.
    long write(const uint8_t *bytes, std::size_t size);

  private:
    int controller_ = -1; // the side this program reads and writes
    int deviceKeep_ = -1; // the device side, held open (see open())
    std::string path_;
};

} // namespace platform
