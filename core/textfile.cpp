#include "core/textfile.h"

#include "platform/savefile.h"

#include <QStringDecoder>
#include <QStringEncoder>

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
