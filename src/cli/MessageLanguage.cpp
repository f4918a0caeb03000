#include "cli/MessageLanguage.h"

#include "comm/UserFolders.h"
#include "core/Ini.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <exception>
#include <memory>

namespace cli {

namespace {

// A --lang value 1..3 from the words, 0 when absent or not one of those.
int langOption(const std::vector<std::string> &words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string value;
        if (words[i] == "--lang" && i + 1 < words.size())
            value = words[i + 1];
        else if (words[i].rfind("--lang=", 0) == 0)
            value = words[i].substr(7);
        else if (words[i] == "--")
            break;
        else
            continue;
        return value == "1" || value == "2" || value == "3" ? value[0] - '0' : 0;
    }
    return 0;
}

std::string programDirOption(const std::vector<std::string> &words) {
    for (std::size_t i = 0; i + 1 < words.size(); ++i)
        if (words[i] == "--program-dir")
            return words[i + 1];
    for (const auto &w : words)
        if (w.rfind("--program-dir=", 0) == 0)
            return w.substr(14);
    return {};
}

} // namespace

int languageOfLocale(const std::string &localeName) {
    const std::string name = localeName.substr(0, localeName.find_first_of(".@"));
    if (name == "zh_CN" || name == "zh_SG" || name == "zh_Hans" || name == "zh")
        return 1;
    if (name == "zh_TW" || name == "zh_HK" || name == "zh_MO" || name == "zh_Hant")
        return 2;
    return 3;
}

int systemLanguage() {
    // The variables in the C library's order; QLocale::system() would also do,
    // but reads LANGUAGE lists and falls back differently.
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char *value = std::getenv(variable); value && *value)
            return languageOfLocale(value);
    return languageOfLocale(QLocale::system().name().toStdString());
}

int languageWithoutSettings(const cps::FileLocations &files) {
    return files.installed() && cps::settingsToRead(files) == files.deliveredSettings
               ? systemLanguage()
               : 0;
}

int messageLanguage(const std::vector<std::string> &words) {
    if (const int lang = langOption(words))
        return lang;
    const std::string programDir = programDirOption(words);
    const cps::FileLocations files =
        programDir.empty() ? cps::locateProgramFiles(QCoreApplication::applicationDirPath())
                           : cps::portableLocations(programDir);
    if (const int lang = languageWithoutSettings(files))
        return lang;
    // Read as the session reads it: a value outside 1..3 (or not a number) is English.
    try {
        const int lang = cps::toInt16(
            cps::IniFile(cps::settingsToRead(files)).read("Setting", "Language", "2", 9));
        return lang >= 1 && lang <= 3 ? lang : 3;
    } catch (const std::exception &) {
        return 3;
    }
}

void useMessageLanguage(int lang) {
    static std::vector<std::unique_ptr<QTranslator>> installed;
    for (const auto &t : installed)
        QCoreApplication::removeTranslator(t.get());
    installed.clear();
    if (lang != 1 && lang != 2)
        return;
    const QString suffix = lang == 1 ? QStringLiteral("_zh_CN.qm") : QStringLiteral("_zh_TW.qm");
    const QDir folder(QStringLiteral(":/i18n"));
    for (const QString &name : folder.entryList({QLatin1Char('*') + suffix}, QDir::Files)) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(folder.filePath(name)) &&
            QCoreApplication::installTranslator(translator.get()))
            installed.push_back(std::move(translator));
    }
    // Qt's own messages (the option parser's "Missing value after ..."), when
    // Qt's translations are installed.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase") + suffix.chopped(3),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt.get()))
        installed.push_back(std::move(qt));
}

} // namespace cli
