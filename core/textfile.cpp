#include "core/textfile.h"

#include "platform/regularfile.h"
#include "platform/savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

FileResult FileResult::failure(const QString& path, const QString& reason) {
    return {false, QStringLiteral("%1\n\n%2").arg(path, reason)};
}

namespace textfile {

namespace {

// Windows-1252 from 0x80 to 0x9F; the five bytes the code page leaves undefined stand for the control
// characters of the same number, as Windows itself reads them, so that they come back as they were.
constexpr char16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char c : bytes) {
        const auto b = static_cast<uchar>(c);
        *out++ = b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b);
    }
    return text;
}

std::optional<char> encodeCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] == c) return char(0x80 + i);
    return std::nullopt;
}

// Decodes bytes already known to be valid UTF-8, a byte-order mark included: nothing is dropped.
QString decodeUtf8(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto b = static_cast<uchar>(bytes[i]);
        if (b < 0x80) {
            text += QChar(b);
            ++i;
            continue;
        }
        const int length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        char32_t c = b & (0xFF >> (length + 1));
        for (int k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<uchar>(bytes[i + k]) & 0x3F);
        if (QChar::requiresSurrogates(c)) {
            text += QChar(QChar::highSurrogate(c));
            text += QChar(QChar::lowSurrogate(c));
        } else {
            text += QChar(char16_t(c));
        }
        i += length;
    }
    return text;
}

void appendUtf8(QByteArray& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

QString encodingName(Encoding encoding) {
    return encoding == Encoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1252");
}

void Utf8Check::add(QByteArrayView bytes) {
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n && !m_bad) {
        if (m_need == 0) {
            // Most text is ASCII: eight bytes at a time while it is.
            while (i + 8 <= n) {
                quint64 w;
                std::memcpy(&w, p + i, sizeof w);
                if (w & 0x8080808080808080ULL) break;
                i += 8;
            }
            if (i >= n) break;
            const auto b = static_cast<uchar>(p[i++]);
            if (b < 0x80) continue;
            m_ascii = false;
            m_low = 0x80;
            m_high = 0xBF;
            if (b >= 0xC2 && b <= 0xDF) {
                m_need = 1;
            } else if (b >= 0xE0 && b <= 0xEF) {
                m_need = 2;
                if (b == 0xE0) m_low = 0xA0;  // no overlong forms
                if (b == 0xED) m_high = 0x9F; // no surrogates
            } else if (b >= 0xF0 && b <= 0xF4) {
                m_need = 3;
                if (b == 0xF0) m_low = 0x90;
                if (b == 0xF4) m_high = 0x8F; // nothing above U+10FFFF
            } else {
                m_bad = true;
            }
            continue;
        }
        const auto b = static_cast<uchar>(p[i++]);
        if (b < m_low || b > m_high) {
            m_bad = true;
            break;
        }
        m_low = 0x80;
        m_high = 0xBF;
        --m_need;
    }
}

Encoding encodingOf(QByteArrayView bytes) {
    Utf8Check check;
    check.add(bytes);
    return check.encoding();
}

Encoding fileEncoding(const QString& path) {
    QFile file(path);
    if (!regularfile::openForReading(file, nullptr, QIODevice::Unbuffered)) return Encoding::Windows1252;
    Utf8Check check;
    QByteArray buffer(qsizetype(1) << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(buffer.data(), buffer.size());
        if (n < 0) return Encoding::Windows1252;
        if (n == 0) break;
        check.add(QByteArrayView(buffer.constData(), n));
        if (check.broken()) break;
    }
    return check.encoding();
}

QString decode(QByteArrayView bytes, Encoding encoding) {
    if (encoding == Encoding::Utf8) {
        Utf8Check check;
        check.add(bytes);
        if (check.valid()) return decodeUtf8(bytes);
    }
    return decodeCp1252(bytes);
}

QString decode(const QByteArray& bytes) {
    return decode(bytes, encodingOf(bytes));
}

std::optional<QByteArray> encode(QStringView text, Encoding encoding, QString* refused) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        char32_t u = c.unicode();
        qsizetype length = 1;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            u = QChar::surrogateToUcs4(c, text[i + 1]);
            length = 2;
        }
        std::optional<char> byte;
        if (encoding == Encoding::Windows1252) byte = encodeCp1252(u);
        // A surrogate without its other half is no character: no encoding can write it.
        const bool lone = length == 1 && c.isSurrogate();
        if (lone || (encoding == Encoding::Windows1252 && !byte)) {
            if (refused) *refused = text.sliced(i, length).toString();
            return std::nullopt;
        }
        if (byte)
            out += *byte;
        else
            appendUtf8(out, u);
        i += length - 1;
    }
    return out;
}

QString unencodable(QStringView text, Encoding encoding) {
    QString refused;
    return encode(text, encoding, &refused) ? QString() : refused;
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
    // The C0 controls and DEL. Characters from 0x80 up are text: the five bytes Windows-1252 leaves
    // undefined come through as the control characters of their number and stay what they were.
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
