#pragma once
// Why a serial device cannot be opened, and what the user can do about it:
// the system's error number of the open, read together with a few facts of
// the machine (the group owning the device file, the user's groups, the
// process holding the device). The facts come through an interface, so the
// reasoning is checked with any combination of them.
#include <string>
#include <vector>

namespace platform {

struct PortHolder {
    std::string name; // the program's name, e.g. "ModemManager"
    int pid = 0;
};

// What the machine says around one device. The system's answers come from
// systemPortAccessFacts(); tests hand in their own.
class PortAccessFacts {
  public:
    virtual ~PortAccessFacts() = default;
    // The error number of a plain open of the device (0 when it opens).
    virtual int openError(const std::string &device) const = 0;
    // The group owning the device file (empty when unknown).
    virtual std::string owningGroup(const std::string &device) const = 0;
    // Whether the user is a member of the group in the system's group list.
    virtual bool userListedIn(const std::string &group) const = 0;
    // Whether the running login already carries the group (a membership
    // added after logging in takes effect at the next login).
    virtual bool loginCarries(const std::string &group) const = 0;
    // The other processes holding the device open, where the system shows
    // them (a virtual radio holds its own end too).
    virtual std::vector<PortHolder> holders(const std::string &device) const = 0;
};

const PortAccessFacts &systemPortAccessFacts();

enum class PortReason {
    None,        // the device opened
    Permission,  // permission denied
    Busy,        // held by another program
    Unplugged,   // no such device
    InputOutput, // input/output error
    Other,       // any other error: `systemText` says it
};

enum class PortRemedy {
    None,
    AddToGroup, // sudo usermod -aG GROUP $USER
    LogInAgain, // listed in the group, the running login does not carry it yet
    CloseHolder,
    PlugIn,
    Replug,
};

struct PortDiagnosis {
    PortReason reason = PortReason::None;
    PortRemedy remedy = PortRemedy::None;
    int error = 0;
    std::string device;
    std::string group;               // Permission: the group owning the device
    std::vector<PortHolder> holders; // Busy: who holds it, where visible
    std::string systemText;          // the system's words for `error`
};

// The reason and the remedy for a failed open of `device` with error number
// `error` (errno values: EACCES, EBUSY, ENOENT, EIO, ...).
PortDiagnosis diagnosePort(int error, const std::string &device, const PortAccessFacts &facts);

// The open of `device` failed in a library that does not say why: asks the
// system again. A device that opens now failed on its lock, so it is held.
PortDiagnosis diagnoseFailedOpen(const std::string &device,
                                 const PortAccessFacts &facts = systemPortAccessFacts());

} // namespace platform
