#pragma once

// Small helpers shared by the fuzz targets: a platform that answers from the fuzz input, one
// temporary folder per process, file helpers, and a way to stop on a broken property.

#include "platform/platform.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Stops the run: libFuzzer saves the input that got here as a crash.
[[noreturn]] inline void fail(const char* what, const QByteArray& detail = {}) {
    std::fprintf(stderr, "property broken: %s\n%s\n", what, detail.constData());
    std::fflush(stderr);
    std::abort();
}

inline void check(bool ok, const char* what, const QByteArray& detail = {}) {
    if (!ok) fail(what, detail);
}

// Reads the fuzz input from the front; past the end every read gives zero.
struct Input {
    const uint8_t* p = nullptr;
    size_t n = 0;

    bool empty() const { return n == 0; }
    uint8_t byte() {
        if (n == 0) return 0;
        --n;
        return *p++;
    }
    int word() { return byte() | (byte() << 8); }
    QByteArray rest() {
        const QByteArray out(reinterpret_cast<const char*>(p), static_cast<qsizetype>(n));
        p += n;
        n = 0;
        return out;
    }
    // The rest of the input up to the next sep (which is skipped), or all of it.
    QByteArray section(QByteArrayView sep) {
        const QByteArrayView rest(reinterpret_cast<const char*>(p), static_cast<qsizetype>(n));
        const qsizetype at = rest.indexOf(sep);
        const qsizetype take = at < 0 ? rest.size() : at;
        const qsizetype skip = at < 0 ? take : take + sep.size();
        const QByteArray out = rest.first(take).toByteArray();
        p += skip;
        n -= static_cast<size_t>(skip);
        return out;
    }
};

// One temporary folder for the whole process, removed at exit; each run empties it first.
inline QDir& workDir() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/stacker-fuzz-XXXXXX"));
    static QDir d = [] {
        if (!dir.isValid()) fail("no temporary folder", dir.errorString().toUtf8());
        return QDir(dir.path());
    }();
    return d;
}

// Empties the work folder and returns it.
inline QDir& freshWorkDir() {
    QDir& d = workDir();
    const QStringList entries = d.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& e : entries) {
        const QString path = d.filePath(e);
        if (QFileInfo(path).isDir())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
    return d;
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        fail("could not prepare a file", path.toUtf8());
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) fail("could not read back a file", path.toUtf8());
    return f.readAll();
}

// Names in a folder, so a run can tell that no temporary file was left behind.
inline QStringList entries(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    return names;
}

// Answers Yes/No questions from a row of bits taken from the input and records what was asked.
// Every other service has a fixed answer; a file dialog is never expected here.
class InputPlatform final : public Platform {
public:
    struct Question {
        QString text;
        QString title;
    };

    quint32 answers = 0; // bit i answers question i
    QList<Question> asked;
    QString programDir;
    QString partsDir;

    bool askYesNo(const QString& text, const QString& title, Icon) override {
        const bool yes = asked.size() < 32 && (answers >> asked.size()) & 1u;
        asked.append({text, title});
        return yes;
    }
    Answer askYesNoCancel(const QString& text, const QString& title, Icon icon) override {
        return askYesNo(text, title, icon) ? Answer::Yes : Answer::No;
    }
    void tell(const QString& text, const QString& title, Icon) override { asked.append({text, title}); }
    std::optional<QString> chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override {
        fail("unexpected save dialog");
    }
    std::optional<QString> chooseOpenFile(const QString&, const QString&, const QString&, const QString&) override {
        fail("unexpected open dialog");
    }
    void setClipboardText(const QString&) override {}
    bool startDetached(const QString&, const QStringList&) override { return false; }
    QString shortDate() override { return QStringLiteral("1/2/2026"); }
    QString programFolder() override { return programDir; }
    QString partsFolder() override { return partsDir; }
};

// Lines as the part-file reader sees them: LF ends a line and takes one CR before it along; a
// last line without an LF counts, and a lone CR at its end was meant as its line end.
inline QList<QByteArray> readerLines(const QByteArray& content) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        const qsizetype lf = content.indexOf('\n', start);
        qsizetype stop = lf < 0 ? content.size() : lf;
        if (stop > start && content.at(stop - 1) == '\r') --stop;
        lines << content.mid(start, stop - start);
        if (lf < 0) break;
        start = lf + 1;
    }
    return lines;
}

inline QByteArray crlfJoined(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

} // namespace fuzz
