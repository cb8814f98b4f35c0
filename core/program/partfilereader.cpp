#include "core/program/partfilereader.h"

#include "core/headsmith/headertext.h"
#include "core/program/linereader.h"
#include "core/program/partfile.h"
#include "core/textfile.h"
#include "platform/regularfile.h"

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

// A part file larger than this cannot hold a hundred lines anyone typed; reading stops there.
constexpr qint64 MaxFileSize = qint64(64) << 20;

bool isControl(char c) {
    const auto u = static_cast<uchar>(c);
    return (u < 0x20 && c != '\t') || u == 0x7f;
}

ReadResult refuse(const QString& why) {
    ReadResult r;
    r.error = why;
    return r;
}

} // namespace

ReadResult read(const QByteArray& content) {
    if (content.contains('\0'))
        return refuse(tr("The file holds NUL bytes, so it is no text file and cannot be a part file."));
    const QList<QByteArray> lines = textfile::splitLines(content, textfile::LoneCr::EndsLine);
    const auto count = lines.size();
    const QByteArray headerStart = headertext::HeaderStart.toLatin1();
    const QByteArray headerStartOld = headertext::HeaderStartOld.toLatin1();
    const QByteArray headerEnd = headertext::HeaderEnd.toLatin1();
    const QByteArray closingStart = headertext::ClosingStart.toLatin1();
    const QByteArray closingEnd = headertext::ClosingEnd.toLatin1();

    ReadResult r;
    qsizetype from = 0;
    // A header counts only at the very top, where Headsmith looks for it, and only with its end line.
    if (count > 0 && (lines[0] == headerStart || lines[0] == headerStartOld)) {
        const qsizetype end = lines.indexOf(headerEnd, 1);
        if (end > 0) {
            from = end + 1;
            // Headsmith ends its header with an empty line, and a replaced header leaves the old one's.
            while (from < count && lines[from].isEmpty())
                ++from;
            r.kept.head = lines.mid(0, from);
        }
    }
    if (from + 2 < count && lines[from] == partfile::CreatedLine.toLatin1() && lines[from + 1].startsWith('\'') &&
        lines[from + 2] == partfile::ThirdLine.toLatin1()) {
        r.kept.opening = lines.mid(from, 3);
        from += 3;
    }
    // The first closing block with an end line ends the program; it and all after it are kept.
    qsizetype to = count;
    for (qsizetype i = lines.indexOf(closingStart, from); i >= 0; i = lines.indexOf(closingStart, i + 1)) {
        if (lines.indexOf(closingEnd, i + 1) > i) {
            to = i;
            break;
        }
    }
    r.kept.tail = lines.mid(to);

    const qsizetype programLines = to - from;
    if (programLines > ProgramModel::MaxLines)
        return refuse(tr("The file has %1 program lines, but the program can hold at most %2 lines.")
                          .arg(programLines)
                          .arg(ProgramModel::MaxLines));
    for (qsizetype i = from; i < to; ++i) {
        const QByteArray& bytes = lines[i];
        if (const auto bad = std::find_if(bytes.begin(), bytes.end(), isControl); bad != bytes.end())
            return refuse(tr("Line %1 of the file holds a control character (byte %2), which no command line "
                             "may hold.")
                              .arg(i + 1)
                              .arg(QStringLiteral("0x%1").arg(static_cast<uchar>(*bad), 2, 16, QLatin1Char('0'))));
        r.lines.push_back(linereader::read(textfile::decode(bytes), bytes));
    }
    linereader::pairGoSubs(r.lines);
    r.ok = true;
    return r;
}

std::optional<QByteArray> readContent(const QString& path, QString* error) {
    const auto fail = [&](const QString& why) {
        if (error) *error = QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(path), why);
        return std::nullopt;
    };
    QFile file(path);
    QString why;
    if (!regularfile::openForReading(file, &why)) return fail(why);
    if (file.size() > MaxFileSize) return fail(tr("The file is too large to be a part file."));
    QByteArray content = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) return fail(file.errorString());
    if (content.size() > MaxFileSize) return fail(tr("The file is too large to be a part file."));
    return content;
}

ReadResult readFile(const QString& path) {
    QString why;
    const std::optional<QByteArray> content = readContent(path, &why);
    if (!content) return refuse(why);
    ReadResult r = read(*content);
    if (!r.ok) r.error = QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(path), r.error);
    return r;
}

dryrun::Loaded readForDryRun(const QString& path, const QString& name) {
    QString why;
    const std::optional<QByteArray> content = readContent(path, &why);
    if (!content) return {false, why, {}};
    const ReadResult r = read(*content);
    if (!r.ok) return {false, QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(path), r.error), {}};
    // The lines as they stand in the file: what the router runs, numbered as an editor numbers them.
    const QList<QByteArray> lines = textfile::splitLines(*content, textfile::LoneCr::EndsLine);
    const qsizetype head = r.kept.head.size();
    const qsizetype tailFrom = lines.size() - r.kept.tail.size();
    dryrun::Program program{name, QFileInfo(path).absolutePath(), {}};
    program.lines.reserve(std::size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const dryrun::Region region = i < head        ? dryrun::Region::Header
                                      : i >= tailFrom ? dryrun::Region::Closing
                                                      : dryrun::Region::Program;
        program.lines.push_back({textfile::decode(lines[i]), int(i + 1), region});
    }
    return {true, {}, std::move(program)};
}

bool sameProgram(const ReadResult& result, const ProgramModel& program) {
    QStringList read;
    for (const LoadedLine& l : result.lines)
        read << linereader::lineOf(l);
    return read == partfile::programLines(program).mid(3);
}

} // namespace partfilereader
