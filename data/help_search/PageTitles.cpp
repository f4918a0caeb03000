#include "PageTitles.h"

#include <algorithm>
#include <set>

std::string titlesInCodePage(std::string strings, const std::vector<HelpFile::Topic> &topics,
                             const CodePage &codePage) {
    std::set<uint32_t> done; // topics can share a title
    for (const HelpFile::Topic &topic : topics) {
        if (topic.page.empty() || topic.titleAt >= strings.size() ||
            !done.insert(topic.titleAt).second)
            continue;
        const size_t end = std::min(strings.find('\0', topic.titleAt), strings.size());
        const std::string title = strings.substr(topic.titleAt, end - topic.titleAt);
        if (std::all_of(title.begin(), title.end(), [](char c) { return (c & 0x80) == 0; }))
            continue; // ASCII reads the same in every code page
        const auto recoded = codePage.fromUtf8(title);
        if (!recoded || recoded->size() > title.size())
            continue; // already in the code page, or not representable there
        std::copy(recoded->begin(), recoded->end(), strings.begin() + topic.titleAt);
        std::fill(strings.begin() + topic.titleAt + recoded->size(), strings.begin() + end, '\0');
    }
    return strings;
}
