#include "cli/DevicePort.h"

#include "cli/Console.h"
#include "comm/PortMap.h"
#include "core/MessageText.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace cli {

using cps::shownName;
using cps::translated;

QString resolveDevice(const cps::Cps &c, const std::string &port) {
    static const QRegularExpression com(QStringLiteral("^COM(\\d{1,2})$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromStdString(port);
    const auto m = com.match(text);
    if (!m.hasMatch()) {
        // A relative path names a file here; the serial port would take a
        // bare name for one under /dev.
        if (!text.startsWith(QLatin1Char('/')) && QFileInfo::exists(text))
            return QFileInfo(text).absoluteFilePath();
        return text;
    }
    const int n = m.captured(1).toInt();
    if (n < 1 || n > cps::kPortCount)
        throw CliFailure(kExitUsage, shownName(port) + ": " +
                                         translated("Radio", "COM numbers run from COM1 to COM16"));
    const QString device =
        cps::mapComPorts(c.ini(), cps::systemSerialDevices())[static_cast<std::size_t>(n - 1)];
    if (device.isEmpty())
        throw CliFailure(kExitRadio,
                         shownName(port) + ": " +
                             translated("Radio", "no serial device has this number (see 'ports')"));
    return device;
}

} // namespace cli
