#pragma once

#include <QLocale>

// Installs the program's own translation (embedded in the program) and Qt's own for the standard
// buttons, for the first of the locale's interface languages that has one; "es-MX" falls back to
// "es". True when the program's translation was found; English needs none.
bool installTranslations(const QLocale& locale = QLocale());
