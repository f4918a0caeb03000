#pragma once
// A check of the programming cable and the radio behind it: does the port
// open, does the cable echo what is sent, which radio answers and does this
// tool support it, and how long the replies take. The command line and the
// port dialog run the same check and show the same lines.
#include "comm/RadioPresence.h"
#include "core/Cps.h"
#include "platform/PortAccess.h"

#include <QStringList>

namespace cps {

struct CableCheck {
    bool opened = false;
    platform::PortDiagnosis openFailure; // when it did not open
    PresenceProbe probe;
    bool supported = false; // the radio that answered is one this tool programs
    // Each reply's wait beyond the time its bytes need on the line at 9600 baud.
    double medianLatencyMs = 0, worstLatencyMs = 0;
    double fullReadSeconds = 0; // a read of the whole range at 9600 baud with that latency
};

// Replies slower than this point at a USB latency timer.
constexpr double kSlowReplyMs = 5.0;
// Identification requests of a check: enough replies for a median.
constexpr int kCheckIdentRequests = 4;

// Opens the port's selected COM number, runs the presence exchange, closes it.
CableCheck checkCable(const Cps &c, SerialPort &port, Waiter &waiter, int replyMs = 300);

// One line for each finding in order (port, echo, radio, latency, with the
// latency timer's explanation when the replies are slow), then the verdict.
// `openFailurePrefix` goes before the reason of a port that did not open.
QStringList cableCheckLines(const Cps &c, const CableCheck &check,
                            const QString &openFailurePrefix = {});

// 0 a supported radio answered over a cable that does not echo, 1 otherwise,
// 2 the port did not open.
int cableCheckStatus(const CableCheck &check);

} // namespace cps
