#pragma once

#include <QDir>

// Whether the tests run on Windows, where some paths and names mean something else (a drive's root
// is a real path, letter case does not tell files apart).
inline bool onWindows() {
    return QDir::isAbsolutePath(QStringLiteral("C:/"));
}
