// The titles of a help's pages in the help's code page.
//
// chmcmd copies each page's <title> into #STRINGS as the page has it, in
// UTF-8, while viewers read #STRINGS in the code page of the help's language:
// a search's list of found pages showed 缂栬緫淇￠亾 for 编辑信道.
#pragma once

#include "HelpFile.h"
#include "SearchWords.h"

#include <string>
#include <vector>

// `strings` (#STRINGS) with the title of each page topic in `topics` written
// in `codePage` where it was UTF-8 text (never longer: a Chinese character
// takes two bytes in the code page and three in UTF-8). Each title keeps its
// place, the bytes it no longer needs become zero; other strings stay.
std::string titlesInCodePage(std::string strings, const std::vector<HelpFile::Topic> &topics,
                             const CodePage &codePage);
