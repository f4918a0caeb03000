#pragma once
// Qt's own texts (standard buttons Yes/No/OK, the file and print dialogs, the
// line edits' context menus) in the interface language, from Qt's translation
// files (Debian: qt6-translations-l10n).
#include <QString>

// Installs Qt's translation for interface language `lang` (1 Simplified
// Chinese, 2 Traditional Chinese, anything else English) in place of the one
// installed before. Returns the loaded file's path, empty for English or when
// the translations are not installed.
QString installQtTranslations(int lang);
