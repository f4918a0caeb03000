#include "core/ChannelColumns.h"

#include "core/CsvText.h"
#include "core/Failure.h"
#include "core/Ini.h"
#include "core/MemoryImage.h"

#include <algorithm>

namespace cps {

namespace {

constexpr int kFirstParameter = 5;

std::vector<std::string> splitCaptions(const std::string &format) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = format.find('|', start);
        parts.push_back(format.substr(start, bar == std::string::npos ? bar : bar - start));
        if (bar == std::string::npos)
            return parts;
        start = bar + 1;
    }
}

} // namespace

ColumnDefs columnDefsOfLanguage(const Cps &c, int lang) {
    if (lang == c.lang() || c.SettingsFile.empty())
        return c.cols;
    Cps other;
    CollectingSink quiet;
    other.sink = &quiet;
    other.SettingsFile = c.SettingsFile;
    other.CurLang = static_cast<int16_t>(lang);
    ReadChInfo(other);
    // A block that is missing or shaped differently would give other meanings
    // to the same columns: use the session's own table then.
    if (!quiet.entries.empty() || other.cols.columnCount != c.cols.columnCount)
        return c.cols;
    return other.cols;
}

std::array<ColumnDefs, 3> columnDefsOfEveryLanguage(const Cps &c) {
    return {columnDefsOfLanguage(c, 1), columnDefsOfLanguage(c, 2), columnDefsOfLanguage(c, 3)};
}

std::string gridCaption(const ColumnDefs &defs, int column) {
    const auto parts = splitCaptions(defs.format);
    if (column < 0 || column >= static_cast<int>(parts.size()) ||
        parts[static_cast<std::size_t>(column)] == "0")
        return {};
    return trimField(parts[static_cast<std::size_t>(column)]);
}

int choiceCount(const ColumnDefs &defs, int field) {
    if (field < kFirstParameter || field > defs.columnCount)
        return 0;
    try {
        return std::max<int>(0, toInt16(defs.item(field, 1)));
    } catch (const std::exception &) {
        return std::max(0, defs.itemCount(field) - 3);
    }
}

std::string choiceCaption(const ColumnDefs &defs, int field, int choice) {
    if (field < kFirstParameter || field > defs.columnCount || choice < 0 ||
        3 + choice >= defs.itemCount(field))
        return {};
    return defs.item(field, 3 + choice);
}

int choiceOfWord(const ColumnDefs &defs, int field, const std::string &word) {
    const std::string wanted = asciiLower(trimField(word));
    if (wanted.empty())
        return -1;
    for (int k = 0; k < choiceCount(defs, field); ++k)
        if (asciiLower(trimField(choiceCaption(defs, field, k))) == wanted)
            return k;
    return -1;
}

int parameterColumnOf(const ColumnDefs &defs, const std::string &caption) {
    const std::string wanted = asciiLower(trimField(caption));
    for (int f = kFirstParameter; f <= defs.columnCount; ++f)
        if (asciiLower(gridCaption(defs, f)) == wanted)
            return f;
    return -1;
}

} // namespace cps
