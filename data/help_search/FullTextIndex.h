// The full-text search index of a compiled help file, the /$FIftiMain object
// that help viewers search when the reader types a word.
//
// Layout (all numbers little-endian):
//
//   0x000  header, 0x400 bytes (see FullTextIndex.cpp)
//   0x400  the word location codes of every word entry, one after another
//   ...    leaf nodes, 4096 bytes each, holding the word entries in order
//   ...    index nodes, 4096 bytes each, level by level; the last is the root
//
// Words are sorted as viewers compare them: bytes, ASCII letters without case.
// A word found in a page title gets a second entry, flagged, after the one
// for the text.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

constexpr size_t kLongestIndexWord = 99; // bytes: the index keeps no longer word

class FullTextIndex {
  public:
    // `word` (in the help file's code page) stands at `location` of the page
    // that is topic number `topic`.
    void add(const std::string &word, bool inTitle, uint32_t topic, uint32_t location);

    // The /$FIftiMain object for `pageCount` indexed pages of a help file in
    // language `lcid`, whose words are in Windows code page `codePage`.
    std::vector<uint8_t> bytes(uint32_t pageCount, uint32_t lcid, uint32_t codePage) const;

  private:
    struct Key {
        std::string word;
        bool inTitle;
        bool operator<(const Key &other) const;
    };
    // topic -> locations of the word in that page
    std::map<Key, std::map<uint32_t, std::vector<uint32_t>>> words_;
};
