#include "SearchWords.h"

#include "FullTextIndex.h"

#include <iconv.h>

#include <stdexcept>

namespace {

bool isHan(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3134F);
}

bool isLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}
bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
bool isWordChar(char32_t c) {
    return isLetter(c) || isDigit(c);
}

char32_t at(std::u32string_view text, size_t i) {
    return i < text.size() ? text[i] : 0;
}

} // namespace

CodePage::CodePage(const std::string &name)
    : converter_(iconv_open(name.c_str(), "UTF-32LE")),
      fromUtf8_(iconv_open(name.c_str(), "UTF-8")) {
    const auto failed = reinterpret_cast<void *>(iconv_t(-1));
    if (converter_ == failed || fromUtf8_ == failed) {
        if (converter_ != failed)
            iconv_close(static_cast<iconv_t>(converter_));
        if (fromUtf8_ != failed)
            iconv_close(static_cast<iconv_t>(fromUtf8_));
        throw std::runtime_error("no converter to the code page " + name);
    }
}

CodePage::~CodePage() {
    iconv_close(static_cast<iconv_t>(converter_));
    iconv_close(static_cast<iconv_t>(fromUtf8_));
}

std::optional<std::string> CodePage::fromUtf8(const std::string &utf8) const {
    std::string out(utf8.size() * 2 + 8, '\0');
    char *inPtr = const_cast<char *>(utf8.data()), *outPtr = out.data();
    size_t inLeft = utf8.size(), outLeft = out.size();
    const auto cd = static_cast<iconv_t>(fromUtf8_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) ||
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == size_t(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::optional<std::string> CodePage::encode(char32_t c) const {
    const auto known = known_.find(c);
    if (known != known_.end())
        return known->second;
    char in[4] = {char(c & 0xFF), char(c >> 8 & 0xFF), char(c >> 16 & 0xFF), char(c >> 24)};
    char out[8];
    char *inPtr = in, *outPtr = out;
    size_t inLeft = sizeof in, outLeft = sizeof out;
    const auto cd = static_cast<iconv_t>(converter_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::optional<std::string> bytes;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) &&
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != size_t(-1))
        bytes = std::string(out, outPtr);
    known_.emplace(c, bytes);
    return bytes;
}

std::vector<SearchWord> searchWords(std::u32string_view text, const CodePage &codePage) {
    std::vector<SearchWord> words;
    uint32_t location = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (isWordChar(text[i])) {
            // "don't" is indexed as "dont"; a number keeps its decimal point.
            const bool number = isDigit(text[i]);
            std::string word;
            for (; i < text.size(); ++i) {
                const char32_t c = text[i];
                if (isWordChar(c)) {
                    word += char(isLetter(c) ? (c | 0x20) : c);
                } else if (c == U'\'' && isLetter(at(text, i - 1)) && isLetter(at(text, i + 1))) {
                } else if (c == U'.' && number && isDigit(at(text, i + 1))) {
                    word += '.';
                } else {
                    break;
                }
            }
            if (word.size() <= kLongestIndexWord)
                words.push_back({word, location});
            ++location;
            continue;
        }
        if (!isHan(text[i])) {
            ++i;
            continue;
        }
        // A run of Chinese characters the code page has.
        std::vector<std::string> run;
        for (; i < text.size() && isHan(text[i]); ++i) {
            auto bytes = codePage.encode(text[i]);
            if (!bytes)
                break;
            run.push_back(std::move(*bytes));
        }
        if (run.empty()) { // a character the code page lacks: nobody can search for it
            ++i;
            continue;
        }
        for (size_t start = 0; start < run.size(); ++start) {
            std::string word;
            for (size_t n = 0; n < size_t(kLongestChineseWord) && start + n < run.size(); ++n) {
                word += run[start + n];
                words.push_back({word, location});
            }
            ++location;
        }
    }
    return words;
}
