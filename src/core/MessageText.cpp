#include "core/MessageText.h"

#include <QCoreApplication>
#include <cstdio>

namespace cps {

std::string translated(const char *context, const char *source) {
    if (!QCoreApplication::instance())
        return source;
    return QCoreApplication::translate(context, source).toStdString();
}

std::string filled(std::string_view pattern, std::initializer_list<std::string> args) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            out += *(args.begin() + index);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

namespace {

// Length of the UTF-8 sequence starting at `s[i]`, 0 when it is not one.
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    std::size_t n = b < 0x80             ? 1
                    : (b & 0xE0) == 0xC0 ? 2
                    : (b & 0xF0) == 0xE0 ? 3
                    : (b & 0xF8) == 0xF0 ? 4
                                         : 0;
    if (n == 0 || (n == 2 && b < 0xC2) || (n == 4 && b > 0xF4) || i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    // Overlong three- and four-byte forms and UTF-16 surrogates are not text.
    if (n == 3 && ((b == 0xE0 && byte(i + 1) < 0xA0) || (b == 0xED && byte(i + 1) >= 0xA0)))
        return 0;
    if (n == 4 && ((b == 0xF0 && byte(i + 1) < 0x90) || (b == 0xF4 && byte(i + 1) >= 0x90)))
        return 0;
    return n;
}

std::string escaped(const char *format, unsigned value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

std::string shown(std::string_view text, std::size_t maxChars) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++chars) {
        if (chars == maxChars)
            return out + "…";
        const unsigned char b = static_cast<unsigned char>(text[i]);
        const std::size_t n = utf8Length(text, i);
        if (n == 0 || b < 0x20 || b == 0x7F) {
            out += escaped("\\x%02x", b);
            ++i;
        } else if (n == 2 && b == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            out += escaped("\\u%04x", static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

} // namespace

std::string shownText(std::string_view text, std::size_t maxChars) {
    return shown(text, maxChars);
}

std::string shownName(std::string_view name) {
    return shown(name, std::string_view::npos);
}

} // namespace cps
