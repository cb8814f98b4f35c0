#include "core/program/partfilereader.h"

#include "core/headsmith/headertext.h"
#include "core/program/linesyntax.h"
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

using namespace linesyntax;

QString tr(const char* text) {
    return QCoreApplication::translate("partfilereader", text);
}

// A part file larger than this cannot hold a hundred lines anyone typed; reading stops there.
constexpr qint64 MaxFileSize = qint64(64) << 20;

const QString Gap = QStringLiteral("   ");

bool isMove(const QString& h) {
    return composeAxes(u'M', fillAxes(u'M', h)) == h;
}
bool isJog(const QString& h) {
    return composeAxes(u'J', fillAxes(u'J', h)) == h;
}
bool isSpeed(const QString& h) {
    return h.startsWith(QStringLiteral("VS, ")) && composeSpeed(fillSpeed(h)) == h;
}
bool isFileCall(const QString& h) {
    return h.startsWith(QStringLiteral("FP, ")) && composeFileCall(fillFileCall(h)) == h;
}
bool isIf(const QString& h) {
    return h.startsWith(QStringLiteral("IF ")) && composeIf(fillIf(h)) == h;
}
bool isGoTo(const QString& h) {
    return h.startsWith(QStringLiteral("GOTO ")) && composeGoTo(fillGoTo(h)) == h;
}
bool isVariable(const QString& h) {
    // A name left at its prompt gives " = " and the value alone.
    return composeVar(fillVar(h)) == h ||
           (h.startsWith(QStringLiteral(" = ")) && composeVar({QString(VarNamePrompt), h.mid(3)}) == h);
}
bool isLabel(const QString& h) {
    return h.endsWith(u':');
}
bool isGoSub(const QString& h) {
    return h.startsWith(QStringLiteral("GOSUB ")) && composeGoSub(fillGoSub(h)).line == h;
}
bool isPause(const QString& h) {
    return composePause(fillPause(h)) == h;
}

// The held text of an INPUT line as written: the one the dialog could have composed whose written
// form is this. The text as it stands comes first (a line without a variable), then the text with
// one "&" doubled, from the last "&" back (the variable stands at the end).
std::optional<QString> inputHeld(const QString& written) {
    if (!written.startsWith(QStringLiteral("INPUT \""))) return std::nullopt;
    const auto composable = [](const QString& h) {
        const InputFields f = fillInput(h);
        // Without a variable the box was left at its sample, which composes to no variable at all.
        return composeInput(f) == h || composeInput({f.prompt, QString(InputVarPrompt)}) == h;
    };
    const auto fits = [&](const QString& h) { return partfile::writtenInput(h) == written && composable(h); };
    if (fits(written)) return written;
    for (qsizetype i = written.lastIndexOf(u'&'); i >= 0; i = i > 0 ? written.lastIndexOf(u'&', i - 1) : -1) {
        QString h = written;
        h.insert(i, u'&');
        if (fits(h)) return h;
    }
    return std::nullopt;
}

// The kinds with an inline comment, in the order a line is tried against them.
std::optional<LoadedLine> withComment(const QString& held, const QString& comment) {
    struct Test {
        Kind kind;
        bool (*is)(const QString&);
    };
    static constexpr Test Tests[] = {{Kind::FileCall, isFileCall}, {Kind::Speed, isSpeed}, {Kind::Move, isMove},
                                     {Kind::Jog, isJog},           {Kind::IfThen, isIf},   {Kind::GoTo, isGoTo},
                                     {Kind::Variable, isVariable}, {Kind::Label, isLabel}};
    // An empty held text (a Move or Jog with no axis) is too unclear to claim: it stays a free command.
    if (held.isEmpty()) return std::nullopt;
    if (auto h = inputHeld(held)) return LoadedLine{Kind::Input, *h, comment};
    for (const Test& t : Tests)
        if (t.is(held)) return LoadedLine{t.kind, held, comment};
    return std::nullopt;
}

// The block a program line reads as (GOSUB and RETURN only as candidates, paired later).
LoadedLine classify(const QString& line) {
    if (line == QLatin1String("END")) return {Kind::End, line, {}};
    if (line == QLatin1String("RETURN")) return {Kind::Return, line, {}};
    if (isGoSub(line)) return {Kind::GoSub, line, {}};
    if (line.startsWith(u'\'')) return {Kind::Comment, line, {}};
    if (isPause(line)) return {Kind::Pause, line, {}};
    // The writer joins held text and comment with three blanks, and a comment begins with "'": the
    // first such joint splits the line; a line ending in three blanks has an empty comment.
    for (qsizetype at = line.indexOf(Gap + u'\''); at >= 0; at = line.indexOf(Gap + u'\'', at + 1))
        if (auto l = withComment(line.left(at), line.mid(at + Gap.size()))) return *l;
    if (line.endsWith(Gap))
        if (auto l = withComment(line.chopped(Gap.size()), QString())) return *l;
    return {Kind::Blank, line, {}};
}

bool isControl(char c) {
    const auto u = static_cast<uchar>(c);
    return (u < 0x20 && c != '\t') || u == 0x7f;
}

// Pairs each RETURN with the nearest open GOSUB above it; an unpaired one of either is a free
// command holding its line. Each pair's Label is the nearest Label with the GOSUB's label text
// below it (else above it) that no other pair took.
void pairGoSubs(std::vector<LoadedLine>& lines) {
    std::vector<int> open;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        LoadedLine& l = lines[i];
        if (l.kind == Kind::GoSub) {
            open.push_back(static_cast<int>(i));
        } else if (l.kind == Kind::Return) {
            if (open.empty()) {
                l.kind = Kind::Blank;
            } else {
                l.goSub = open.back();
                open.pop_back();
            }
        }
    }
    for (int g : open)
        lines[static_cast<std::size_t>(g)].kind = Kind::Blank;

    const auto n = static_cast<int>(lines.size());
    for (int g = 0; g < n; ++g) {
        if (lines[static_cast<std::size_t>(g)].kind != Kind::GoSub) continue;
        const QString label = composeGoSub(fillGoSub(lines[static_cast<std::size_t>(g)].held)).label;
        const auto takes = [&](int i) {
            LoadedLine& l = lines[static_cast<std::size_t>(i)];
            if (l.kind != Kind::Label || l.goSubLabel || l.held != label) return false;
            l.goSubLabel = true;
            return true;
        };
        bool found = false;
        for (int i = g + 1; i < n && !found; ++i)
            found = takes(i);
        for (int i = g - 1; i >= 0 && !found; --i)
            found = takes(i);
    }
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
        r.lines.push_back(classify(textfile::decode(bytes)));
    }
    pairGoSubs(r.lines);
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
        if (auto line = partfile::composeLine(l.kind, l.held, l.comment)) read << *line;
    return read == partfile::programLines(program).mid(3);
}

} // namespace partfilereader
