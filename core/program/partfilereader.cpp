#include "core/program/partfilereader.h"

#include "core/headsmith/headertext.h"
#include "core/program/linesyntax.h"
#include "core/program/partfile.h"
#include "core/program/partfilescan.h"
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

using namespace linesyntax;

QString tr(const char* text) {
    return QCoreApplication::translate("partfilereader", text);
}

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

bool isControl(char16_t c) {
    return (c < 0x20 && c != u'\t') || c == 0x7f;
}

// One program line read from the file. A control character (a form feed, an escape) makes no line
// the dialogs compose: such a line is a free command, each such character shown by its visible sign
// (U+2400 and on), and written back as it was read.
LoadedLine lineOf(const QByteArray& bytes, textfile::Encoding encoding) {
    const QString text = textfile::decode(bytes, encoding);
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return isControl(c.unicode()); })) return classify(text);
    QString shown = text;
    for (QChar& c : shown)
        if (isControl(c.unicode())) c = QChar(c.unicode() == 0x7f ? char16_t(0x2421) : char16_t(0x2400 + c.unicode()));
    LoadedLine line{Kind::Blank, shown, {}};
    line.written = bytes;
    return line;
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

// The blocks of a scanned file, and what it keeps beside them.
ReadResult fromScan(partfilescan::Scan&& scan) {
    if (!scan.ok) return refuse(scan.error);
    ReadResult r;
    for (const QByteArray& bytes : scan.program)
        r.lines.push_back(lineOf(bytes, scan.kept.encoding));
    pairGoSubs(r.lines);
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

ReadResult readFile(const QString& path) {
    return fromScan(scanPath(path, partfilescan::Mode::Whole));
}

ReadResult readKept(const QString& path) {
    partfilescan::Scan scan = scanPath(path, partfilescan::Mode::KeptOnly);
    scan.program.clear();
    return fromScan(std::move(scan));
}

dryrun::Loaded readForDryRun(const QString& path, const QString& name) {
    partfilescan::Scan scan = scanPath(path, partfilescan::Mode::Whole);
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
        if (auto line = partfile::composeLine(l.kind, l.held, l.comment)) read << *line;
    return read == partfile::programLines(program).mid(3);
}

} // namespace partfilereader
