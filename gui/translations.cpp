#include "gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installTranslations(const QLocale& locale) {
    auto* app = QCoreApplication::instance();
    auto* own = new QTranslator(app);
    // QTranslator walks locale.uiLanguages(), which honours LANGUAGE (LANGUAGE=es gives "es" first
    // even when LANG is C.UTF-8).
    if (!own->load(locale, QStringLiteral("cvstacker"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    // Qt's texts (Close, Yes, No, Cancel) in the language the program's own translation is in, and only
    // then, so that a window never mixes two languages.
    auto* qt = new QTranslator(app);
    if (qt->load(QStringLiteral("qtbase_") + own->language(), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}
