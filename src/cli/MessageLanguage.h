#pragma once
// The language of the command line's own messages, chosen as the interface
// texts' is: --lang, else the settings file's Language, else (no settings
// yet, before the desktop tool's first start) the system locale as that first
// start would choose.
#include "core/FileLocations.h"

#include <string>
#include <vector>

namespace cli {

// 1 Simplified Chinese for zh_CN and zh_SG, 2 Traditional Chinese for zh_TW,
// zh_HK and zh_MO, 3 English for any other locale name (e.g. "zh_TW.UTF-8").
int languageOfLocale(const std::string &localeName);

// The language the system locale asks for (LC_ALL, LC_MESSAGES, LANG).
int systemLanguage();

// The language a session over `files` uses when --lang is not given: the
// system's while no settings file has been made for the user, else 0 (the
// settings file decides).
int languageWithoutSettings(const cps::FileLocations &files);

// The language of a command line, read before its words are parsed, so that
// even a usage error is in it.
int messageLanguage(const std::vector<std::string> &words);

// Puts the messages' translations for `lang` in place (every embedded
// :/i18n/*_zh_CN.qm or *_zh_TW.qm); English needs none.
void useMessageLanguage(int lang);

} // namespace cli
