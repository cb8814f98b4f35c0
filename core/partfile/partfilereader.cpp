#include "core/partfile/partfilereader.h"

#include "core/headsmith/headertext.h"
#include "core/partfile/linereader.h"
#include "core/partfile/partfile.h"
#include "core/partfile/partfilescan.h"
#include "core/textfile.h"
#include "platform/regularfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace partfilereader {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("partfilereader", text);
}

bool isControl(char16_t c) {
    return (c < 0x20 && c != u'\t') || c == 0x7f;
}

// One program line read from the file. A control character (a form feed, an escape) makes no line
// the dialogs compose: such a line is a free command, each such character shown by its visible sign
// (U+2400 and on), and written back as it was read.
LoadedLine lineOf(const QByteArray& bytes, textfile::Encoding encoding) {
    const QString text = textfile::decode(bytes, encoding);
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return isControl(c.unicode()); }))
        return linereader::read(text, bytes);
    QString shown = text;
    for (QChar& c : shown)
        if (isControl(c.unicode())) c = QChar(c.unicode() == 0x7f ? char16_t(0x2421) : char16_t(0x2400 + c.unicode()));
    LoadedLine line{Kind::Blank, shown, {}};
    line.written = bytes;
    line.writtenText = shown;
    return line;
}

ReadResult refuse(const QString& why) {
    ReadResult r;
    r.error = why;
    return r;
}

// The blocks of a scanned file, and what it keeps beside them.
ReadResult fromScan(partfilescan::Scan&& scan) {
    if (!scan.ok) return refuse(scan.error);
    ReadResult r;
    for (const QByteArray& bytes : scan.program)
        r.lines.push_back(lineOf(bytes, scan.kept.encoding));
    linereader::pairGoSubs(r.lines);
    r.kept.file = std::make_shared<KeptFile>(std::move(scan.kept));
    r.ok = true;
    return r;
}

QString named(const QString& path, const QString& why) {
    return QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(path), why);
}

// Scans the file at path; the kept parts are then found in it for as long as it stays what it was.
// A refusal names the file.
partfilescan::Scan scanPath(const QString& path, partfilescan::Mode mode) {
    partfilescan::Scan refused;
    const FileIdentity before = FileIdentity::of(path);
    QFile file(path);
    QString why;
    if (!regularfile::openForReading(file, &why, QIODevice::Unbuffered)) {
        refused.error = named(path, why);
        return refused;
    }
    partfilescan::Scan scan = partfilescan::scan(file, mode);
    file.close();
    if (scan.ok && FileIdentity::of(path) != before) {
        scan.ok = false;
        scan.error = tr("The file was changed by another program while it was read.");
    }
    if (!scan.ok) {
        refused.error = named(path, scan.error);
        return refused;
    }
    scan.kept.path = path;
    scan.kept.identity = before;
    return scan;
}

} // namespace

ReadResult read(const QByteArray& content) {
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    ReadResult r = fromScan(partfilescan::scan(buffer));
    if (r.ok) r.kept.file->memory = content;
    return r;
}

ReadResult readFile(const QString& path, partfilescan::Mode mode) {
    return fromScan(scanPath(path, mode));
}

ReadResult readKept(const QString& path) {
    partfilescan::Scan scan = scanPath(path, partfilescan::Mode::KeptOnly);
    scan.program.clear();
    return fromScan(std::move(scan));
}

dryrun::Loaded readForDryRun(const QString& path, const QString& name, partfilescan::Mode mode) {
    partfilescan::Scan scan = scanPath(path, mode);
    if (!scan.ok) return {false, scan.error, {}};
    // The lines as they stand in the file: what the router runs, numbered as an editor numbers them.
    QStringList lines;
    for (const QByteArray& line : std::as_const(scan.kept.opening))
        lines << textfile::decode(line, scan.kept.encoding);
    for (const QByteArray& line : scan.program)
        lines << textfile::decode(line, scan.kept.encoding);
    const KeptLines kept{std::make_shared<KeptFile>(std::move(scan.kept))};
    return {true, {}, partfile::dryRunLines(kept, lines, name, QFileInfo(path).absolutePath())};
}

bool sameProgram(const ReadResult& result, const ProgramModel& program) {
    QStringList read;
    for (const LoadedLine& l : result.lines)
        read << linereader::lineOf(l);
    return read == partfile::programLines(program).mid(3);
}

} // namespace partfilereader
