// Splits the text of a help page into the words its full-text search finds.
//
// Latin words are runs of ASCII letters and digits, in lower case, as the
// English help has them. Chinese has no spaces between words, so every run of
// Chinese characters is indexed by its pieces: every piece of 1 to
// kLongestChineseWord characters is a word of its own. A search for any
// Chinese word up to that length then finds the page, whether the viewer
// looks words up whole or by their beginning.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int kLongestChineseWord = 8; // characters

// A character set the index words are written in (the help file's code page,
// e.g. "CP936" for Simplified Chinese).
class CodePage {
  public:
    explicit CodePage(const std::string &name); // throws std::runtime_error
    ~CodePage();
    CodePage(const CodePage &) = delete;
    CodePage &operator=(const CodePage &) = delete;

    // The bytes of `c`, or nothing when the code page lacks it.
    std::optional<std::string> encode(char32_t c) const;

    // `utf8` in the code page, or nothing when it is not UTF-8 or has a
    // character the code page lacks.
    std::optional<std::string> fromUtf8(const std::string &utf8) const;

  private:
    void *converter_;
    void *fromUtf8_;
    mutable std::map<char32_t, std::optional<std::string>> known_;
};

struct SearchWord {
    std::string bytes; // in the code page
    uint32_t location; // count of words and Chinese characters before it
};

std::vector<SearchWord> searchWords(std::u32string_view text, const CodePage &codePage);
