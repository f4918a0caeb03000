#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString installQtTranslations(int lang) {
    static QTranslator *installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    const QLocale locale = lang == 1   ? QLocale(QLocale::Chinese, QLocale::China)
                           : lang == 2 ? QLocale(QLocale::Chinese, QLocale::Taiwan)
                                       : QLocale(QLocale::English, QLocale::UnitedStates);
    QLocale::setDefault(locale);
    if (lang != 1 && lang != 2)
        return {};
    const QString name =
        lang == 1 ? QStringLiteral("qtbase_zh_CN") : QStringLiteral("qtbase_zh_TW");
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(name, folder)) {
        delete translator;
        return {};
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return translator->filePath();
}
