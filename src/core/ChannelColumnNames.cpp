#include "core/ChannelColumnNames.h"

#include "core/CsvText.h"

#include <array>
#include <map>

namespace cps {

namespace {

struct Column {
    std::array<const char *, 3> names; // Simplified Chinese, Traditional Chinese, English
    std::vector<const char *> common;  // other names sheets use for it
};

// Names as the own layout writes them (the delivered grid captions without
// their units), then the common names it reads too.
const std::array<Column, kNamedColumnCount> &columns() {
    static const std::array<Column, kNamedColumnCount> table{{
        {{"信道", "信道", "Channel"},
         {"CH", "Ch No", "Channel No", "Channel Number", "No", "频道", "頻道", "信道号", "信道號",
          "頻道號", "序号", "序號", "通道"}},
        {{"接收频率[MHz]", "接收頻率[MHz]", "Receive"},
         {"Rx", "Rx Freq", "Rx Frequency", "Receive Frequency", "接收", "接收频点", "接收頻點"}},
        {{"发射频率[MHz]", "發射頻率[MHz]", "Transmit"},
         {"Tx", "Tx Freq", "Tx Frequency", "Transmit Frequency", "发射", "發射", "发射频点",
          "發射頻點", "发送频率", "發送頻率"}},
        {{"接收亚音", "接收亞音", "Decode"},
         {"Rx Tone", "Rx CTCSS", "Rx DCS", "Rx CTCSS/DCS", "CTCSS Decode", "DCS Decode",
          "CTCSS/DCS Decode", "Decode CTCSS/DCS", "接收亚音频", "接收亞音頻", "亚音解码",
          "亞音解碼", "解码", "解碼"}},
        {{"发射亚音", "發射亞音", "Encode"},
         {"Tx Tone", "Tx CTCSS", "Tx DCS", "Tx CTCSS/DCS", "CTCSS Encode", "DCS Encode",
          "CTCSS/DCS Encode", "Encode CTCSS/DCS", "发射亚音频", "發射亞音頻", "亚音编码",
          "亞音編碼", "编码", "編碼"}},
        {{"发射功率", "發射功率", "Tx Power"},
         {"Power", "Pwr", "Tx Pwr", "Transmit Power", "Power Level", "功率", "功率等级",
          "功率等級"}},
        {{"带宽", "頻寬", "Bandwidth"},
         {"BW", "Width", "Band Width", "帶寬", "宽窄带", "寬窄帶", "宽窄", "寬窄"}},
        {{"扫描添加", "掃描加入", "Scan Add"},
         {"Scan", "Scan List", "扫描", "掃描", "扫描加入", "掃描添加"}},
        {{"遇忙禁发", "遇忙禁發", "Busy Lock"},
         {"BCL", "Busy", "Busy Lockout", "Busy Channel Lockout", "繁忙锁定", "繁忙鎖定", "遇忙锁定",
          "遇忙鎖定", "忙锁", "忙鎖"}},
    }};
    return table;
}

const char *const kSkipNames[] = {"Skip", "Scan Skip", "跳过", "跳過", "扫描跳过", "掃描跳過"};

// Common in channel sheets, nowhere in this radio's memory.
const char *const kWithoutPlace[] = {
    "Name",   "Channel Name", "Alias",  "Comment", "Comments", "Note",     "Notes",
    "Remark", "Remarks",      "Duplex", "Offset",  "TStep",    "Step",     "Zone",
    "Group",  "Callsign",     "名称",   "名稱",    "信道名称", "信道名稱", "别名",
    "別名",   "备注",         "備註",   "說明",    "说明"};

// Words of the parameter columns by language (index = stored value).
struct Words {
    std::array<std::vector<const char *>, 3> byLanguage;
    std::vector<std::pair<const char *, int>> common; // other words read
};

const std::map<int, Words> &words() {
    static const std::map<int, Words> table{
        {5, {{{{"低", "高"}, {"低", "高"}, {"Low", "High"}}}, {{"L", 0}, {"H", 1}}}},
        {6,
         {{{{"宽带", "窄带"}, {"寬頻", "窄頻"}, {"Wide", "Narrow"}}},
          {{"W", 0}, {"N", 1}, {"FM", 0}, {"NFM", 1}, {"宽", 0}, {"窄", 1}, {"寬", 0}}}},
        {7,
         {{{{"关", "开"}, {"關", "開"}, {"Off", "On"}}},
          {{"No", 0}, {"Yes", 1}, {"N", 0}, {"Y", 1}, {"否", 0}, {"是", 1}}}},
        {8, {{{{"关", "载波", "亚音"}, {"關", "載波", "亞音"}, {"Off", "Carrier", "Tone"}}}, {}}},
    };
    return table;
}

// The key a header name is looked up by: ASCII letters in lower case, without
// spaces, separators or a bracketed part at its end.
std::string nameKey(const std::string &name) {
    std::string t = trimField(name);
    for (const auto &[open, close] :
         {std::pair<std::string, std::string>{"[", "]"}, {"(", ")"}, {"（", "）"}}) {
        const std::size_t at = t.rfind(open);
        if (at != std::string::npos && at > 0 && t.size() >= close.size() &&
            t.compare(t.size() - close.size(), close.size(), close) == 0)
            t = trimField(t.substr(0, at));
    }
    std::string key;
    for (char ch : asciiLower(t))
        if (ch != ' ' && ch != '_' && ch != '-' && ch != '.' && ch != '/')
            key += ch;
    return key;
}

std::string wordKey(const std::string &word) {
    return asciiLower(trimField(word));
}

} // namespace

std::string channelColumnName(int column, int lang) {
    if (column < 0 || column >= kNamedColumnCount)
        return {};
    const std::size_t index = lang == 1 || lang == 2 ? static_cast<std::size_t>(lang - 1) : 2;
    return columns()[static_cast<std::size_t>(column)].names[index];
}

std::string channelColumnNamesText() {
    std::string text;
    for (int column = 0; column < kNamedColumnCount; ++column)
        text += (column ? ", " : "") + channelColumnName(column);
    return text;
}

int channelColumnOfName(const std::string &name) {
    static const std::map<std::string, int> byKey = [] {
        std::map<std::string, int> keys;
        for (int column = 0; column < kNamedColumnCount; ++column) {
            const Column &col = columns()[static_cast<std::size_t>(column)];
            for (const char *n : col.names)
                keys.emplace(nameKey(n), column);
            for (const char *n : col.common)
                keys.emplace(nameKey(n), column);
        }
        for (const char *n : kSkipNames)
            keys.emplace(nameKey(n), kSkipColumn);
        return keys;
    }();
    const auto it = byKey.find(nameKey(name));
    return it == byKey.end() ? -1 : it->second;
}

bool isColumnWithoutPlace(const std::string &name) {
    const std::string key = nameKey(name);
    for (const char *n : kWithoutPlace)
        if (nameKey(n) == key)
            return true;
    return false;
}

int parameterChoiceCount(int column) {
    const auto it = words().find(column);
    return it == words().end() ? 0 : static_cast<int>(it->second.byLanguage[2].size());
}

std::string parameterWord(int column, int choice, int lang) {
    const auto it = words().find(column);
    if (it == words().end() || choice < 0 || choice >= parameterChoiceCount(column))
        return {};
    const std::size_t index = lang == 1 || lang == 2 ? static_cast<std::size_t>(lang - 1) : 2;
    return it->second.byLanguage[index][static_cast<std::size_t>(choice)];
}

int parameterChoiceOfWord(int column, const std::string &word) {
    const auto it = words().find(column);
    const std::string wanted = wordKey(word);
    if (it == words().end() || wanted.empty())
        return -1;
    for (const auto &list : it->second.byLanguage)
        for (std::size_t k = 0; k < list.size(); ++k)
            if (wordKey(list[k]) == wanted)
                return static_cast<int>(k);
    for (const auto &[w, choice] : it->second.common)
        if (wordKey(w) == wanted)
            return choice;
    return -1;
}

std::optional<bool> skipOfWord(const std::string &word) {
    const std::string w = wordKey(word);
    for (const char *yes : {"s", "skip", "yes", "y", "on", "1", "x", "是", "跳过", "跳過"})
        if (w == yes)
            return true;
    for (const char *no : {"", "no", "n", "off", "0", "p", "否"})
        if (w == no)
            return false;
    return std::nullopt;
}

} // namespace cps
