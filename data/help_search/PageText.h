// The words a help page shows: the text of its <title> and of the rest of the
// page, with markup, comments, scripts and style sheets left out.
#pragma once

#include <string>
#include <string_view>

struct PageText {
    std::u32string title;
    std::u32string body;
};

// `html` is UTF-8. Tags that start a new block (paragraphs, cells, list
// items, line breaks...) leave a line break in the text, so words on either
// side never run together; inline tags (<b>, <a>, <code>...) leave nothing, so
// "读取<b>对讲机</b>" reads as one run of text, as on screen.
PageText pageText(std::string_view html);
