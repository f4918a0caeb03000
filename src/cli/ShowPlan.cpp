#include "cli/ShowPlan.h"

#include "core/ChannelCodec.h"
#include "core/ChannelColumnNames.h"
#include "core/ChannelEntry.h"
#include "core/FaceText.h"
#include "core/Ini.h"
#include "core/MemoryImage.h"
#include "core/Options.h"
#include "core/OutOfBand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVariantList>
#include <algorithm>
#include <cstdio>
#include <sstream>

namespace cli {

namespace {

constexpr int kTextModelCaption = 356, kTextModelLabel = 184, kTextBandLabel = 185, kTextOff = 347,
              kTextOn = 348;

// Terminal columns a text takes: East Asian wide characters take two.
int displayWidth(const std::string &s) {
    int w = 0;
    for (const char32_t u : QString::fromStdString(s).toUcs4()) {
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
                          (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
                          (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
                          (u >= 0xFFE0 && u <= 0xFFE6);
        w += wide ? 2 : 1;
    }
    return w;
}

std::string padded(const std::string &s, int width) {
    return s + std::string(static_cast<std::size_t>(std::max(0, width - displayWidth(s))), ' ');
}

std::vector<std::string> split(const std::string &s, char sep) {
    std::vector<std::string> parts;
    std::string cur;
    for (char ch : s) {
        if (ch == sep) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += ch;
        }
    }
    parts.push_back(cur);
    return parts;
}

int32_t field(const cps::Cps &c, int n, int f) {
    return c.ch.ChInfo[static_cast<std::size_t>(n)][static_cast<std::size_t>(f)];
}

} // namespace

std::string optionValueText(const cps::Cps &c, int k) {
    const auto &def = cps::optionDefs()[static_cast<std::size_t>(k)];
    const int v = c.opt.sel[static_cast<std::size_t>(k)];
    if (def.checkBox)
        return c.text(v ? kTextOn : kTextOff);
    const auto choices = cps::optionChoices(c, k);
    if (v < 0 || v >= static_cast<int>(choices.size()))
        return {};
    return choices[static_cast<std::size_t>(v)];
}

std::string channelCellText(const cps::Cps &c, int n, int column) {
    if (!cps::channelInUse(c, n))
        return {};
    switch (column) {
    case cps::field::Rx:
    case cps::field::Tx:
        return mhzText(field(c, n, column));
    case cps::field::DecChoice:
        return c.ch.decText[static_cast<std::size_t>(n)];
    case cps::field::EncChoice:
        return c.ch.encText[static_cast<std::size_t>(n)];
    default:
        return parameterCaption(c, column, field(c, n, column));
    }
}

std::string mhzText(int32_t tenHz) {
    if (tenHz < 0)
        return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%05d", tenHz / 100000, tenHz % 100000);
    return buf;
}

int parameterChoiceCount(const cps::Cps &c, int f) {
    if (f < 1 || f > c.cols.columnCount)
        return 0;
    try {
        return cps::toInt16(c.cols.item(f, 1));
    } catch (const std::exception &) {
        return std::max(0, c.cols.itemCount(f) - 3);
    }
}

std::string parameterCaption(const cps::Cps &c, int f, int32_t choice) {
    if (choice >= 0 && 3 + choice < c.cols.itemCount(f))
        return c.cols.item(f, 3 + choice);
    return choice < 0 ? std::string() : std::to_string(choice);
}

std::string columnCaption(const cps::Cps &c, int column) {
    const auto parts = split(c.cols.format, '|');
    if (column >= 0 && column < static_cast<int>(parts.size()) && parts[column] != "0")
        return parts[static_cast<std::size_t>(column)];
    return column == 0 ? "CH" : "P" + std::to_string(column);
}

namespace {

// The same plan with English texts: the named keys of the JSON do not
// depend on the interface language.
cps::Cps englishCopy(const cps::Cps &c) {
    cps::Cps en = c;
    if (en.lang() != 3) {
        en.CurLang = 3;
        cps::LoadSoftFaceText(en);
    }
    return en;
}

QJsonValue mhzValue(int32_t tenHz) {
    return tenHz < 0 ? QJsonValue() : QJsonValue(QString::fromStdString(mhzText(tenHz)));
}

// A channel's signalling as the grid shows it; "" for a channel not in use.
std::string shownSignalling(const cps::Cps &c, int n, const std::string &text) {
    return cps::channelInUse(c, n) ? text : std::string();
}

// The same in words of no language: "None", a tone or a code; "" for a channel
// not in use, as the grid's text has it.
QString signalValue(const cps::Cps &c, int n, const std::string &text) {
    if (!cps::channelInUse(c, n))
        return {};
    return text.empty() || text == c.noneText ? QStringLiteral("None")
                                              : QString::fromStdString(text);
}

// A parameter column's choice under its fixed name; null for a channel not in use.
QJsonValue parameterValue(const cps::Cps &c, int n, int column) {
    if (!cps::channelInUse(c, n))
        return {};
    const int32_t choice =
        c.ch.ChInfo[static_cast<std::size_t>(n)][static_cast<std::size_t>(column)];
    const std::string word = cps::parameterWord(column, choice);
    return QString::fromStdString(!word.empty() ? word : std::to_string(choice));
}

QString q(const std::string &s) {
    return QString::fromStdString(s);
}

} // namespace

std::string planJson(const cps::Cps &c) {
    const cps::Cps en = englishCopy(c);
    QJsonObject band{{"index", c.bandIndex},
                     {"low", static_cast<qint64>(c.bandLow)},
                     {"high", static_cast<qint64>(c.bandHigh)},
                     {"number", c.bandIndex},
                     {"caption", q(cps::bandCaption(en, c.bandIndex, c.bandLow, c.bandHigh))},
                     {"lowMHz", mhzValue(c.bandLow)},
                     {"highMHz", mhzValue(c.bandHigh)}};
    QJsonArray channels;
    for (int n = 1; n <= c.cols.channelCount; ++n) {
        const auto &row = c.ch.ChInfo[static_cast<std::size_t>(n)];
        const bool inUse = cps::channelInUse(c, n);
        QJsonArray fields;
        for (int f = 0; f < cps::kChannelFields; ++f)
            fields.append(static_cast<qint64>(row[static_cast<std::size_t>(f)]));
        QJsonObject parameters;
        for (int col = cps::field::Bit5; col <= c.cols.columnCount; ++col) {
            const std::string name = cps::channelColumnName(col);
            parameters[q(name.empty() ? "P" + std::to_string(col) : name)] =
                parameterValue(c, n, col);
        }
        channels.append(QJsonObject{
            {"channel", n},
            {"rx", static_cast<qint64>(row[cps::field::Rx])},
            {"tx", static_cast<qint64>(row[cps::field::Tx])},
            {"decode", q(shownSignalling(c, n, c.ch.decText[static_cast<std::size_t>(n)]))},
            {"encode", q(shownSignalling(c, n, c.ch.encText[static_cast<std::size_t>(n)]))},
            {"fields", fields},
            {"inUse", inUse},
            {"rxMHz", mhzValue(row[cps::field::Rx])},
            {"txMHz", inUse ? mhzValue(row[cps::field::Tx]) : QJsonValue()},
            {"signalling",
             QJsonObject{{"decode", signalValue(c, n, c.ch.decText[static_cast<std::size_t>(n)])},
                         {"encode", signalValue(c, n, c.ch.encText[static_cast<std::size_t>(n)])}}},
            {"parameters", parameters}});
    }
    QJsonArray options;
    QJsonObject optionValues;
    for (int k = 0; k < cps::kOptionCount; ++k) {
        options.append(c.opt.sel[static_cast<std::size_t>(k)]);
        const auto &def = cps::optionDefs()[static_cast<std::size_t>(k)];
        optionValues[q(en.text(def.captionText))] = q(optionValueText(en, k));
    }
    const QJsonObject plan{{"model", c.modelIndex},
                           {"modelName", q(c.text(kTextModelCaption))},
                           {"band", band},
                           {"channels", channels},
                           {"options", options},
                           {"optionValues", optionValues},
                           {"channelsOutsideBand", QJsonArray::fromVariantList([&] {
                                QVariantList list;
                                for (int n : cps::channelsOutsideBand(c))
                                    list << n;
                                return list;
                            }())}};
    return QJsonDocument(plan).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

std::string planTable(const cps::Cps &c) {
    std::ostringstream o;
    o << c.text(kTextModelLabel) << ": "
      << (c.modelIndex == 0 ? c.text(kTextModelCaption) : std::to_string(c.modelIndex)) << '\n'
      << c.text(kTextBandLabel) << ": " << cps::bandCaption(c, c.bandIndex, c.bandLow, c.bandHigh)
      << '\n'
      << '\n';

    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> header;
    for (int col = 0; col <= c.cols.columnCount; ++col)
        header.push_back(columnCaption(c, col));
    rows.push_back(header);
    for (int n = 1; n <= c.cols.channelCount; ++n) {
        std::vector<std::string> row{std::to_string(n)};
        for (int col = 1; col <= c.cols.columnCount; ++col)
            row.push_back(channelCellText(c, n, col));
        rows.push_back(row);
    }
    std::vector<int> widths(header.size(), 0);
    for (const auto &row : rows)
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i)
            widths[i] = std::max(widths[i], displayWidth(row[i]));
    for (const auto &row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i)
            line += (i ? "  " : "") + padded(row[i], widths[i]);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        o << line << '\n';
    }

    o << '\n';
    int labelWidth = 0;
    for (const auto &d : cps::optionDefs())
        labelWidth = std::max(labelWidth, displayWidth(c.text(d.captionText)));
    for (int k = 0; k < cps::kOptionCount; ++k) {
        const auto &d = cps::optionDefs()[static_cast<std::size_t>(k)];
        o << padded(c.text(d.captionText), labelWidth) << "  " << optionValueText(c, k) << '\n';
    }
    return o.str();
}

} // namespace cli
