#include "PageText.h"

#include <cstdint>
#include <set>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::u32string decodeUtf8(std::string_view in) {
    std::u32string out;
    out.reserve(in.size());
    size_t i = 0;
    while (i < in.size()) {
        const auto lead = static_cast<uint8_t>(in[i]);
        const int extra = lead < 0x80             ? 0
                          : (lead & 0xE0) == 0xC0 ? 1
                          : (lead & 0xF0) == 0xE0 ? 2
                          : (lead & 0xF8) == 0xF0 ? 3
                                                  : -1;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        bool ok = extra >= 0 && i + extra < in.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto next = static_cast<uint8_t>(in[i + k]);
            ok = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        out += ok ? c : kReplacement;
        i += ok ? extra + 1 : 1;
    }
    return out;
}

bool isAsciiAlnum(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

std::u32string lower(std::u32string s) {
    for (auto &c : s)
        if (c >= U'A' && c <= U'Z')
            c += U'a' - U'A';
    return s;
}

// Tags that do not break a line on screen.
bool isInline(const std::u32string &tag) {
    static const std::set<std::u32string> kInline = {
        U"a",      U"abbr", U"b",   U"bdi",  U"big", U"cite", U"code", U"dfn",   U"em",
        U"font",   U"i",    U"kbd", U"mark", U"q",   U"s",    U"samp", U"small", U"span",
        U"strong", U"sub",  U"sup", U"tt",   U"u",   U"var",  U"wbr"};
    return kInline.count(tag) != 0;
}

int digitValue(char32_t d, int base) {
    const int v = d >= U'0' && d <= U'9'   ? int(d - U'0')
                  : d >= U'a' && d <= U'f' ? int(d - U'a' + 10)
                  : d >= U'A' && d <= U'F' ? int(d - U'A' + 10)
                                           : 99;
    return v < base ? v : -1;
}

// The character of the reference "&name;" / "&#nnn;" / "&#xhh;" starting at
// `at` (the '&'), moving `at` past it. An unknown or broken reference is plain
// text: the '&' alone is taken.
char32_t characterReference(const std::u32string &s, size_t &at) {
    const size_t semi = s.find(U';', at);
    if (semi == std::u32string::npos || semi - at > 10) {
        ++at;
        return U'&';
    }
    const std::u32string name = s.substr(at + 1, semi - at - 1);
    char32_t c = 0;
    if (name.size() > 1 && name[0] == U'#') {
        const bool hex = name[1] == U'x' || name[1] == U'X';
        const int base = hex ? 16 : 10;
        const size_t first = hex ? 2 : 1;
        if (first == name.size()) {
            ++at;
            return U'&';
        }
        for (size_t k = first; k < name.size(); ++k) {
            const int v = digitValue(name[k], base);
            if (v < 0) {
                ++at;
                return U'&';
            }
            c = c > 0x10FFFF ? c : c * base + v;
        }
        if (c == 0 || c > 0x10FFFF)
            c = kReplacement;
    } else if (name == U"amp") {
        c = U'&';
    } else if (name == U"lt") {
        c = U'<';
    } else if (name == U"gt") {
        c = U'>';
    } else if (name == U"quot") {
        c = U'"';
    } else if (name == U"apos") {
        c = U'\'';
    } else if (name == U"nbsp") {
        c = U' ';
    } else {
        ++at;
        return U'&';
    }
    at = semi + 1;
    return c;
}

// The end of the tag or declaration starting at `at`: past its '>', outside
// quoted attribute values.
size_t tagEnd(const std::u32string &s, size_t at) {
    char32_t quote = 0;
    for (; at < s.size(); ++at) {
        if (quote != 0) {
            if (s[at] == quote)
                quote = 0;
        } else if (s[at] == U'"' || s[at] == U'\'') {
            quote = s[at];
        } else if (s[at] == U'>') {
            return at + 1;
        }
    }
    return s.size();
}

} // namespace

PageText pageText(std::string_view html) {
    const std::u32string s = decodeUtf8(html);
    PageText page;
    bool inHead = false, inTitle = false;
    const auto emit = [&](char32_t c) {
        if (inTitle)
            page.title += c;
        else if (!inHead) // <head> shows nothing but the title
            page.body += c;
    };
    size_t at = 0;
    while (at < s.size()) {
        if (s[at] == U'&') {
            emit(characterReference(s, at));
            continue;
        }
        if (s[at] != U'<') {
            emit(s[at++]);
            continue;
        }
        if (s.compare(at, 4, U"<!--") == 0) {
            const size_t end = s.find(U"-->", at + 4);
            at = end == std::u32string::npos ? s.size() : end + 3;
            continue;
        }
        if (at + 1 < s.size() && (s[at + 1] == U'!' || s[at + 1] == U'?')) {
            at = tagEnd(s, at); // <!DOCTYPE ...>, <?xml ...?>
            continue;
        }
        size_t nameStart = at + 1;
        const bool closing = nameStart < s.size() && s[nameStart] == U'/';
        if (closing)
            ++nameStart;
        size_t nameEnd = nameStart;
        while (nameEnd < s.size() && isAsciiAlnum(s[nameEnd]))
            ++nameEnd;
        if (nameEnd == nameStart) { // a lone '<' is text
            emit(s[at++]);
            continue;
        }
        const std::u32string name = lower(s.substr(nameStart, nameEnd - nameStart));
        at = tagEnd(s, nameEnd);
        if (!closing && (name == U"script" || name == U"style")) {
            const std::u32string close = U"</" + name;
            while (at < s.size() && lower(s.substr(at, close.size())) != close)
                ++at;
            continue;
        }
        if (name == U"head")
            inHead = !closing;
        else if (name == U"title")
            inTitle = !closing;
        else if (!isInline(name))
            emit(U'\n');
    }
    return page;
}
