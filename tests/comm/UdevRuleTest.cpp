// The package's udev rule: every line is a list of well-formed udev keys, every
// programming-cable chip is kept away from ModemManager, and the FTDI chips get
// a 1 ms latency timer.
#include "comm/SerialDeviceFacts.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace cps {
namespace {

using Rule = std::map<QString, std::pair<QString, QString>>; // key -> (operator, value)

std::vector<Rule> parseRules(const QString &file) {
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
    static const QRegularExpression pair(QStringLiteral(
        R"(^\s*([A-Z_]+(?:\{[a-z_A-Z]+\})?)\s*(==|!=|=|\+=|:=)\s*\"([^\"]*)\"\s*(,|$))"));
    std::vector<Rule> rules;
    for (const QByteArray &raw : f.readAll().split('\n')) {
        QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        Rule rule;
        while (!line.isEmpty()) {
            const auto m = pair.match(line);
            EXPECT_TRUE(m.hasMatch()) << "not a udev key: " << line.toStdString();
            if (!m.hasMatch())
                break;
            rule[m.captured(1)] = {m.captured(2), m.captured(3)};
            line = line.mid(m.capturedLength()).trimmed();
        }
        rules.push_back(rule);
    }
    return rules;
}

bool matches(const Rule &r, const char *key, const QString &value) {
    const auto it = r.find(QString::fromLatin1(key));
    return it != r.end() && it->second.first == "==" &&
           it->second.second.split(QLatin1Char('|')).contains(value);
}

TEST(UdevRuleTest, CableChipsAreKeptFromModemManagerAndFtdiAnswersAtOnce) {
    const auto rules =
        parseRules(QStringLiteral(BRENVIK_SOURCE_DIR "/data/udev/60-brenvik-cps-cables.rules"));
    ASSERT_FALSE(rules.empty());
    for (const CableChip &chip : cableChips()) {
        const QString vid = QStringLiteral("%1").arg(chip.vid, 4, 16, QLatin1Char('0'));
        const QString pid = QStringLiteral("%1").arg(chip.pid, 4, 16, QLatin1Char('0'));
        SCOPED_TRACE((vid + ':' + pid).toStdString());
        int ignored = 0, latency = 0;
        for (const Rule &r : rules) {
            if (!matches(r, "ATTRS{idVendor}", vid) || !matches(r, "ATTRS{idProduct}", pid))
                continue;
            if (r.count("ENV{ID_MM_DEVICE_IGNORE}") &&
                r.at("ENV{ID_MM_DEVICE_IGNORE}") == std::make_pair(QString("="), QString("1")) &&
                matches(r, "SUBSYSTEM", "tty"))
                ++ignored;
            if (r.count("ATTR{latency_timer}")) {
                EXPECT_EQ(r.at("ATTR{latency_timer}").second, "1");
                EXPECT_TRUE(matches(r, "SUBSYSTEM", "usb-serial"));
                ++latency;
            }
        }
        EXPECT_EQ(ignored, 1);
        EXPECT_EQ(latency, chip.vid == 0x0403 ? 1 : 0); // only FTDI has the timer
    }
}

} // namespace
} // namespace cps
