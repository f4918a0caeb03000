#pragma once
// The reason a port could not be opened and what to do about it, in the
// interface language: one text for the port dialog, the read/write window
// and the command line alike.
#include "core/Cps.h"
#include "platform/PortAccess.h"

#include <QString>

namespace cps {

// Empty when the diagnosis found nothing wrong.
QString portTroubleText(const Cps &c, const platform::PortDiagnosis &d);

// The communication failure text followed by the reason and remedy, as a read
// or write whose port cannot be opened reports it.
QString portOpenFailureText(const Cps &c, const platform::PortDiagnosis &d);

} // namespace cps
