// chm-search-index IN.chm OUT.chm
//
// Writes OUT.chm: the compiled help IN.chm with a full-text search index that
// finds its Chinese words. chmcmd's own index holds only Latin words, so in a
// Chinese help a search for 信道 found nothing. The new index holds the Latin
// words and the Chinese ones (see SearchWords.h), written in the code page of
// the help's language as viewers look them up. The page titles a search lists
// are put in that code page too (see PageTitles.h); everything else in the
// file stays as chmcmd made it.
#include "ChmContainer.h"
#include "FullTextIndex.h"
#include "HelpFile.h"
#include "PageText.h"
#include "PageTitles.h"
#include "SearchWords.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

namespace {

// The Windows code page of a Chinese help language.
uint32_t codePageOf(uint32_t lcid) {
    switch (lcid) {
    case 0x0804: // PRC
    case 0x1004: // Singapore
        return 936;
    case 0x0404: // Taiwan
    case 0x0C04: // Hong Kong
    case 0x1404: // Macao
        return 950;
    default:
        throw std::runtime_error("the help's language is not Chinese");
    }
}

std::vector<uint8_t> readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Written beside the target and renamed over it, and only when it differs.
void writeFile(const std::string &path, const std::vector<uint8_t> &bytes) {
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) && readFile(path) == bytes)
        return;
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, ignored);
            throw std::runtime_error("cannot write " + temporary);
        }
    }
    std::filesystem::rename(temporary, path);
}

std::vector<uint8_t> indexedHelp(const std::string &inPath) {
    const HelpFile help(inPath);
    const uint32_t lcid = help.language();
    const uint32_t codePage = codePageOf(lcid);
    const CodePage words("CP" + std::to_string(codePage));

    FullTextIndex index;
    const std::vector<HelpFile::Topic> topics = help.topics();
    std::set<std::string> indexed;
    for (uint32_t topic = 0; topic < topics.size(); ++topic) {
        const std::string &page = topics[topic].page;
        if (page.empty() || !indexed.insert(page).second)
            continue;
        const auto html = help.object(page);
        if (!html)
            throw std::runtime_error("topic " + page + " is missing from the file");
        const PageText text = pageText(*html);
        for (const SearchWord &word : searchWords(text.body, words))
            index.add(word.bytes, false, topic, word.location);
        for (const SearchWord &word : searchWords(text.title, words))
            index.add(word.bytes, true, topic, word.location);
    }
    if (indexed.empty())
        throw std::runtime_error("the help file has no pages to index");

    std::vector<uint8_t> chm = withStoredObject(
        readFile(inPath), "/$FIftiMain", index.bytes(uint32_t(indexed.size()), lcid, codePage));
    const std::string strings = help.object("/#STRINGS").value_or("");
    const std::string titled = titlesInCodePage(strings, topics, words);
    if (titled != strings)
        chm = withStoredObject(std::move(chm), "/#STRINGS", {titled.begin(), titled.end()});
    return chm;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN.chm OUT.chm\n", argv[0]);
        return 2;
    }
    try {
        writeFile(argv[2], indexedHelp(argv[1]));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
