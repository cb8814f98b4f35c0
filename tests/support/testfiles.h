#pragma once

#include <QDir>
#include <QFile>
#include <QTest>

// Small file helpers the test executables share.

// The file's bytes, or "<missing>" when it cannot be read (so a comparison names what went wrong).
inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Writes bytes as the whole file; fails the calling test when it cannot.
inline void putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Everything in a folder, hidden, special and dangling entries too: what a failed write left behind.
inline QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
