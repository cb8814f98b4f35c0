#include "core/textfile.h"

#include "platform/savefile.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

FileResult FileResult::failure(const QString& path, const QString& reason) {
    return {false, QStringLiteral("%1\n\n%2").arg(path, reason)};
}

namespace textfile {

QByteArray encode(const QString& text) {
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

QString decode(const QByteArray& bytes) {
    QStringDecoder decoder(QStringConverter::System);
    return decoder.decode(bytes);
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

QList<QByteArray> splitLines(const QByteArray& content) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0) {
            lines << content.mid(start);
            break;
        }
        qsizetype stop = end;
        if (stop > start && content.at(stop - 1) == '\r') --stop;
        lines << content.mid(start, stop - start);
        start = end + 1;
    }
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
