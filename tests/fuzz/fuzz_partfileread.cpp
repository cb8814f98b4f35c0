// Any bytes as a part file. Reading never crashes; whatever it accepts goes onto a panel, and saving
// that panel writes every line of the input back unchanged (line ends become CR LF, the opening lines
// are added where they were missing); the saved file reads back to the same blocks and saves to the
// same bytes.
#include "fuzzsupport.h"

#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "core/partfile/partfilereader.h"

namespace {

int sixPerChar(const QString& s) {
    return 6 * static_cast<int>(s.size());
}

QByteArray shown(const ProgramModel& m) {
    QByteArray out;
    for (int n = 1; n <= m.lineCount(); ++n) {
        const LineRow& r = m.row(n);
        const PanelBlock& b = m.block(r.kind, r.blockIndex);
        out += QByteArray::number(code(r.kind)) + '|' + b.text.caption.toUtf8() + '|' +
               m.inlineComment(r.kind, r.blockIndex).toUtf8() + '|' + QByteArray::number(b.shape.fill) + '\n';
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const partfilereader::ReadResult r = partfilereader::read(content);
    if (!r.ok) {
        fuzz::check(!r.error.isEmpty(), "a refusal without a reason");
        return 0;
    }
    ProgramModel m(sixPerChar);
    fuzz::check(m.load(r.lines), "the panel refused what was read", content.toHex());
    fuzz::check(m.checkInvariants().isEmpty(), "panel invariants", m.checkInvariants().toUtf8());

    // A byte-order mark before the lines and an end-of-file byte after them stay where they were.
    const QByteArray bom = content.startsWith("\xEF\xBB\xBF") ? content.first(3) : QByteArray();
    QByteArray lines = content.mid(bom.size());
    const bool eofMark = lines.endsWith('\x1a');
    if (eofMark) lines.chop(1);
    QList<QByteArray> expected = textfile::splitLines(lines, textfile::LoneCr::EndsLine);
    const qsizetype head = r.kept.headLines();
    if (r.kept.opening().isEmpty())
        expected = expected.mid(0, head) +
                   QList<QByteArray>{partfile::CreatedLine.toLatin1(), partfile::NoticeLine.toLatin1(), "'"} +
                   expected.mid(head);
    const QString path = fuzz::freshWorkDir().filePath(QStringLiteral("read.cvp"));
    const FileResult saved = partfile::write(path, m, r.kept);
    fuzz::check(saved.ok, "saving what was read failed", saved.error.toUtf8());
    const QByteArray written = fuzz::readFile(path);
    fuzz::check(written == bom + fuzz::crlfJoined(expected) + (eofMark ? "\x1a" : ""),
                "a line was not written back as read", "input:   " + content.toHex() + "\nwritten: " + written.toHex());

    const partfilereader::ReadResult again = partfilereader::read(written);
    fuzz::check(again.ok, "the saved file was refused", again.error.toUtf8());
    ProgramModel m2(sixPerChar);
    fuzz::check(m2.load(again.lines), "the panel refused the saved file");
    fuzz::check(shown(m2) == shown(m), "the saved file reads as other blocks", shown(m) + "\n--\n" + shown(m2));
    fuzz::check(partfile::write(path, m2, again.kept).ok && fuzz::readFile(path) == written,
                "saving again changed the bytes");
    return 0;
}
