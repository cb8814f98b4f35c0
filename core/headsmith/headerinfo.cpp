#include "core/headsmith/headerinfo.h"

#include "core/headsmith/headertext.h"

#include <QRegularExpression>

#include <utility>

bool HeaderInfo::isEmpty() const {
    return description.isEmpty() && createdBy.isEmpty() && date.isEmpty() && !hasCutLine && bit.isEmpty() &&
           zeroAt.isEmpty() && offsetMode.isEmpty() && notes.isEmpty();
}

namespace headerinfo {

namespace {

QRegularExpression pattern(const char* text) {
    // Operators retype headers by hand: the words are read without regard to case.
    return QRegularExpression(QLatin1String(text), QRegularExpression::CaseInsensitiveOption);
}

// The line's text after its apostrophes, without the blanks around it.
QStringView bodyOf(QStringView line) {
    qsizetype i = 0;
    while (i < line.size() && line[i] == u'\'')
        ++i;
    return line.mid(i).trimmed();
}

} // namespace

void Reader::add(QStringView line) {
    if (m_done) return;
    const QStringView t = line.trimmed();
    const bool afterCut = std::exchange(m_afterCut, false);
    // An opening file copied into the header may bring a header of its own: its answers are not
    // this file's. Once this file's header has ended, nothing after it is an answer.
    if (t == headertext::HeaderStart || t == headertext::HeaderStartOld) {
        ++m_depth;
        return;
    }
    if (t == headertext::HeaderEnd) {
        if (m_depth > 0 && --m_depth == 0) m_done = true;
        return;
    }
    if (m_depth > 1) return;
    if (!t.startsWith(u"''")) {
        // The notes end with an empty line; a command line means the header is over.
        if (m_section == Section::Notes && !t.isEmpty() && !t.startsWith(u'\'')) {
            m_section = Section::None;
            m_notesDone = true;
        }
        return;
    }
    const QStringView body = bodyOf(t);
    if (body.contains(u"*****")) {
        if (body.contains(u"Creation and Contact", Qt::CaseInsensitive))
            m_section = Section::Contact;
        else if (body.contains(u"Additional notes", Qt::CaseInsensitive) && !m_notesDone)
            m_section = Section::Notes;
        else {
            if (m_section == Section::Notes) m_notesDone = true;
            m_section = Section::None;
        }
        return;
    }
    if (m_section == Section::Notes) {
        if (!body.isEmpty()) m_info.notes << body.toString();
        return;
    }

    if (!m_info.hasCutLine && body.startsWith(u"cut this file", Qt::CaseInsensitive)) {
        static const QRegularExpression cut =
            pattern("^cut this file out of an? (.+?) piece of (.*) that's (.+?) thick$");
        const QRegularExpressionMatch m = cut.match(body);
        if (m.hasMatch()) {
            m_info.hasCutLine = true;
            m_info.blank = m.captured(1);
            m_info.material = m.captured(2).trimmed();
            m_info.thickness = m.captured(3);
            m_afterCut = true;
            return;
        }
    }
    if (afterCut && m_info.bit.isEmpty()) {
        static const QRegularExpression using_ = pattern("^using an? (.+)$");
        const QRegularExpressionMatch m = using_.match(body);
        if (m.hasMatch()) {
            m_info.bit = m.captured(1).trimmed();
            return;
        }
    }
    if (!m_haveZero && body.contains(u"zeroed", Qt::CaseInsensitive)) {
        static const QRegularExpression zero = pattern("^with the z-axis zeroed at (.+)$");
        const QRegularExpressionMatch m = zero.match(body);
        if (m.hasMatch()) {
            m_haveZero = true;
            m_info.zeroAt = m.captured(1);
            if (m_info.zeroAt.contains(QStringLiteral("table"), Qt::CaseInsensitive))
                m_info.zeroOnTable = true;
            else if (m_info.zeroAt.contains(QStringLiteral("blank"), Qt::CaseInsensitive) ||
                     m_info.zeroAt.contains(QStringLiteral("material"), Qt::CaseInsensitive))
                m_info.zeroOnTable = false;
            return;
        }
    }
    if (!m_haveOffset && body.startsWith(u"file must be cut in", Qt::CaseInsensitive)) {
        static const QRegularExpression offset =
            pattern("^file must be cut in ([23]d) offset mode\\W*(?:move to (.*?)\\s*before cutting)?\\W*$");
        const QRegularExpressionMatch m = offset.match(body);
        if (m.hasMatch()) {
            m_haveOffset = true;
            m_info.offsetMode = m.captured(1).toLower();
            m_info.offsetTo = m.captured(2);
            return;
        }
    }
    if (!m_haveCreated && body.startsWith(u"created by", Qt::CaseInsensitive)) {
        // The name may hold " on "; the date never does, so the last one divides them.
        static const QRegularExpression createdOn = pattern("^created by (.*) on (.*)$");
        static const QRegularExpression created = pattern("^created by (.*)$");
        QRegularExpressionMatch m = createdOn.match(body);
        if (!m.hasMatch()) m = created.match(body);
        m_haveCreated = true;
        m_info.createdBy = m.captured(1).trimmed();
        m_info.date = m.captured(2).trimmed();
        return;
    }
    // The description stands alone between the contact banner and the "Created by" line.
    if (m_section == Section::Contact && !m_haveCreated && m_info.description.isEmpty() && !body.isEmpty())
        m_info.description = body.toString();
}

HeaderInfo read(const QStringList& lines) {
    Reader reader;
    for (const QString& line : lines)
        reader.add(line);
    return reader.info();
}

} // namespace headerinfo
