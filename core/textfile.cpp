#include "core/textfile.h"

#include "platform/savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

FileResult FileResult::failure(const QString& path, const QString& reason) {
    return {false, QStringLiteral("%1\n\n%2").arg(path, reason)};
}

namespace textfile {

namespace {

// A byte that the system's encoding cannot take back as it came stands for itself as one of these
// code points (never valid text on their own), so that encoding gives the same byte again.
constexpr char16_t EscapeBase = 0xDC00;
bool isEscape(QChar c) {
    return c.unicode() >= EscapeBase + 0x80 && c.unicode() <= EscapeBase + 0xFF;
}

QByteArray encodeSystem(QStringView text) {
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

// The text of bytes when the system's encoding reads them and gives the same bytes back.
bool decodesExactly(QByteArrayView bytes, QString& text) {
    QStringDecoder decoder(QStringConverter::System);
    text = decoder.decode(bytes);
    return !decoder.hasError() && std::none_of(text.begin(), text.end(), isEscape) && encodeSystem(text) == bytes;
}

} // namespace

QByteArray encode(const QString& text) {
    if (std::none_of(text.begin(), text.end(), isEscape)) return encodeSystem(text);
    QByteArray out;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isEscape(text.at(i))) continue;
        out += encodeSystem(QStringView(text).sliced(from, i - from));
        if (i < text.size()) out += char(text.at(i).unicode() - EscapeBase);
        from = i + 1;
    }
    return out;
}

QString decode(const QByteArray& bytes) {
    QString text;
    if (decodesExactly(bytes, text)) return text;
    // Text in another code page: ASCII reads the same in all of them; each run of other bytes is
    // read by the system's encoding where that gives the bytes back, else byte by byte as escapes.
    text.clear();
    const auto ascii = [&](qsizetype i) { return uchar(bytes.at(i)) < 0x80; };
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype start = i;
        const bool plain = ascii(i);
        while (i < bytes.size() && ascii(i) == plain)
            ++i;
        const QByteArrayView run = QByteArrayView(bytes).sliced(start, i - start);
        QString part;
        if (plain) {
            text += QLatin1StringView(run);
        } else if (decodesExactly(run, part)) {
            text += part;
        } else {
            for (const char b : run)
                text += QChar(char16_t(EscapeBase + uchar(b)));
        }
    }
    return text;
}

FileResult saveLines(const QString& path, const QList<QByteArray>& lines) {
    SaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return FileResult::failure(path, file.errorString());
    for (const QByteArray& line : lines) {
        if (file.write(line) != line.size() || file.write(Crlf, 2) != 2) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return FileResult::failure(path, reason);
        }
    }
    if (!file.commit()) return FileResult::failure(path, file.errorString());
    return {};
}

QByteArrayView trimmed(QByteArrayView s, QByteArrayView blanks) {
    while (!s.isEmpty() && blanks.contains(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && blanks.contains(s.back()))
        s.chop(1);
    return s;
}

QString findNoCase(const QString& folder, const QString& name) {
    const QDir dir(folder);
    // Any kind of entry counts, a FIFO or a dangling link too, so that it is refused by name rather
    // than taken for a missing file.
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return {};
}

QList<QByteArray> splitLines(const QByteArray& content, LoneCr loneCr) {
    QList<QByteArray> lines;
    const char* const ends = loneCr == LoneCr::EndsLine ? "\r\n" : "\n";
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const char c = content.at(i);
        if (!std::strchr(ends, c) || c == '\0') continue;
        qsizetype stop = i;
        if (c == '\n' && stop > start && content.at(stop - 1) == '\r') --stop;
        lines << content.mid(start, stop - start);
        if (c == '\r' && i + 1 < content.size() && content.at(i + 1) == '\n') ++i;
        start = i + 1;
    }
    if (start < content.size()) lines << content.mid(start);
    return lines;
}

} // namespace textfile

namespace {
bool isBreaking(char32_t c) {
    // The C0 controls and DEL. Characters from 0x80 up stand for the code page's bytes (a byte that the
    // system's encoding cannot decode may come through as one), so they are text.
    return (c < 0x20 && c != '\t') || c == 0x7f;
}
} // namespace

QString textfile::oneLine(const QString& text) {
    if (!breaksLine(text)) return text;
    QString out;
    out.reserve(text.size());
    bool inRun = false;
    for (const QChar c : text) {
        if (isBreaking(c.unicode())) {
            if (!inRun) out += QLatin1Char(' ');
            inRun = true;
        } else {
            out += c;
            inRun = false;
        }
    }
    return out;
}

bool textfile::breaksLine(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return isBreaking(c.unicode()); });
}

bool textfile::breaksLine(const QByteArray& bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return isBreaking(uchar(c)); });
}
