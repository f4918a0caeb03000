#include "comm/PortTrouble.h"

#include <QStringList>

namespace cps {

namespace {
constexpr int kTextPermissionGroup = 600, kTextAddToGroup = 601, kTextLogInAgain = 602,
              kTextPermission = 603, kTextHeldBy = 604, kTextAnotherProgram = 605,
              kTextUnplugged = 606, kTextInputOutput = 607, kTextCannotOpen = 608,
              kTextProcess = 609, kTextCommFailed = 79;
} // namespace

QString portTroubleText(const Cps &c, const platform::PortDiagnosis &d) {
    using platform::PortReason;
    const auto text = [&](int n) { return QString::fromStdString(c.text(n)); };
    const QString device = QString::fromStdString(d.device);
    const QString group = QString::fromStdString(d.group);
    switch (d.reason) {
    case PortReason::None:
        return {};
    case PortReason::Permission: {
        if (group.isEmpty() || d.remedy == platform::PortRemedy::None)
            return text(kTextPermission).arg(device);
        const QString remedy = d.remedy == platform::PortRemedy::LogInAgain
                                   ? text(kTextLogInAgain).arg(group)
                                   : text(kTextAddToGroup).arg(group);
        return text(kTextPermissionGroup).arg(device, group) + QLatin1Char(' ') + remedy;
    }
    case PortReason::Busy: {
        QStringList programs;
        for (const auto &h : d.holders)
            programs << text(kTextProcess).arg(QString::fromStdString(h.name)).arg(h.pid);
        const QString who =
            programs.isEmpty() ? text(kTextAnotherProgram) : programs.join(QStringLiteral(", "));
        return text(kTextHeldBy).arg(device, who);
    }
    case PortReason::Unplugged:
        return text(kTextUnplugged).arg(device);
    case PortReason::InputOutput:
        return text(kTextInputOutput).arg(device);
    case PortReason::Other:
        break;
    }
    return text(kTextCannotOpen).arg(device, QString::fromStdString(d.systemText));
}

QString portOpenFailureText(const Cps &c, const platform::PortDiagnosis &d) {
    const QString failed = QString::fromStdString(c.text(kTextCommFailed));
    const QString why = portTroubleText(c, d);
    return why.isEmpty() ? failed : failed + QLatin1Char(' ') + why;
}

} // namespace cps
