#include "core/headsmith/headeranswers.h"

#include "core/linestream.h"
#include "platform/platform.h"
#include "platform/regularfile.h"
#include "platform/savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace headeranswers {

namespace {

// Which value a known key carries, in the order a new file lists them (the marker is row 1).
enum class Field {
    Name,
    CopyrightHolder,
    Restrictions,
    ContactName,
    Phone,
    Email,
    Units,
    ZZero,
    BitSize,
    BitType,
    Blank,
    Material,
    Thickness,
    HeaderDir,
    FooterDir,
    HeaderName,
    FooterName,
    PartDir
};

struct KeyInfo {
    const char* key;
    Field field;
};

constexpr std::array<KeyInfo, 18> Keys{{
    {"&header_name", Field::Name},
    {"&header_copyright_holder", Field::CopyrightHolder},
    {"&header_restrictions", Field::Restrictions},
    {"&header_contactname", Field::ContactName},
    {"&header_phone", Field::Phone},
    {"&header_email", Field::Email},
    {"&header_units", Field::Units},
    {"&header_ZZero", Field::ZZero},
    {"&header_bitsize", Field::BitSize},
    {"&header_bittype", Field::BitType},
    {"&header_blank", Field::Blank},
    {"&header_material", Field::Material},
    {"&header_thickness", Field::Thickness},
    {"&header_headernamedir", Field::HeaderDir},
    {"&header_footernamedir", Field::FooterDir},
    {"&header_headernamefile", Field::HeaderName},
    {"&header_footernamefile", Field::FooterName},
    {"&header_partfiledir", Field::PartDir},
}};

// Keys are compared as bytes: a key with any other byte in it belongs to someone else.
const KeyInfo* findKey(QByteArrayView key) {
    for (const KeyInfo& k : Keys)
        if (key == QByteArrayView(k.key)) return &k;
    return nullptr;
}

QString* storedValue(HeaderAnswers& h, Field field) {
    switch (field) {
    case Field::Name:
        return &h.createdBy;
    case Field::CopyrightHolder:
        return &h.copyrightHolder;
    case Field::Restrictions:
        return &h.restrictions;
    case Field::ContactName:
        return &h.contactName;
    case Field::Phone:
        return &h.phone;
    case Field::Email:
        return &h.email;
    case Field::Units:
        return &h.units;
    case Field::ZZero:
        return &h.zZero;
    case Field::BitSize:
        return &h.bitSize;
    case Field::BitType:
        return &h.bitType;
    case Field::Blank:
        return &h.blank;
    case Field::Material:
        return &h.material;
    case Field::Thickness:
        return &h.thickness;
    case Field::HeaderDir:
        return &h.openingFolder;
    case Field::FooterDir:
        return &h.closingFolder;
    case Field::HeaderName:
        return &h.openingName;
    case Field::FooterName:
        return &h.closingName;
    case Field::PartDir:
        return &h.partFolder;
    }
    return nullptr;
}

// The line written for a key. An update writes the name and copyright holder without the blank
// after "="; the bit size never has one. Reading trims, so every form reads back the same.
// Nothing, with *refused set, when the value holds a character the file's encoding cannot hold.
std::optional<QByteArray> lineFor(const KeyInfo& k, const HeaderFields& f, const HeaderAnswers& h, bool update,
                                  textfile::Encoding encoding, QString* refused) {
    QString value;
    QString sep = QStringLiteral(" = ");
    switch (k.field) {
    case Field::Name:
        value = f.createdBy;
        if (update) sep = QStringLiteral(" =");
        break;
    case Field::CopyrightHolder:
        value = f.copyright;
        if (update) sep = QStringLiteral(" =");
        break;
    case Field::Restrictions:
        value = f.use;
        break;
    case Field::ContactName:
        value = f.contactName;
        break;
    case Field::Phone:
        value = f.phone;
        break;
    case Field::Email:
        value = f.email;
        break;
    case Field::Units:
        value = f.metric ? QStringLiteral("1") : QStringLiteral("0");
        break;
    case Field::ZZero:
        value = f.tableTop ? QStringLiteral("1") : QStringLiteral("0");
        break;
    case Field::BitSize:
        value = f.bitSize;
        sep = QStringLiteral(" =");
        break;
    case Field::BitType:
        value = f.bitType;
        break;
    case Field::Blank:
        value = f.blank;
        break;
    case Field::Material:
        value = f.material;
        break;
    case Field::Thickness:
        value = f.thickness;
        break;
    case Field::HeaderDir:
        value = h.openingFolder;
        break;
    case Field::FooterDir:
        value = h.closingFolder;
        break;
    case Field::HeaderName:
        value = h.openingName;
        break;
    case Field::FooterName:
        value = h.closingName;
        break;
    case Field::PartDir:
        value = h.partFolder;
        break;
    }
    const std::optional<QByteArray> text = textfile::encode(sep + value, encoding, refused);
    if (!text) return std::nullopt;
    return QByteArray(k.key) + *text;
}

QString unencodableReason(const QString& refused, textfile::Encoding encoding) {
    return QCoreApplication::translate("Headsmith",
                                       "An answer holds the character \"%1\", which this file's encoding, %2, "
                                       "cannot hold. Nothing was written.")
        .arg(refused, textfile::encodingName(encoding));
}

// A composed line that would break in two is a fault of the program: better no file than a
// twentieth line made from an answer.
QString brokenLineReason() {
    return QCoreApplication::translate("Headsmith",
                                       "A line composed for this file holds a line break. Nothing was written.");
}

// The old settings file holds thirteen short lines: no more is read, whatever the file holds.
bool readOldSettings(const QString& path, QList<QByteArray>& lines, QString& reason) {
    constexpr qsizetype LineCount = 13;
    constexpr qint64 MaxLine = 64 * 1024;
    QFile file(path);
    if (!regularfile::openForReading(file, &reason)) return false;
    while (lines.size() < LineCount && !file.atEnd()) {
        QByteArray line = file.readLine(MaxLine);
        if (line.isEmpty() && file.error() != QFileDevice::NoError) {
            reason = file.errorString();
            return false;
        }
        const bool whole = line.endsWith('\n');
        if (whole) line.chop(1);
        if (whole && line.endsWith('\r')) line.chop(1);
        lines << line;
        if (!whole) break; // the end of the file, or a line too long to be one of its answers
    }
    return true;
}

// The part of a line that can be an entry: a bare CR ends it, as it did for the program that
// wrote these files first, so what follows one is never taken into a value.
QByteArrayView entryPart(QByteArrayView line) {
    const qsizetype cr = line.indexOf('\r');
    return cr < 0 ? line : line.first(cr);
}

// The known key a line sets, if any; looked at before any decoding, as most lines of a large file
// are someone else's.
const KeyInfo* knownKey(QByteArrayView line) {
    line = entryPart(line);
    const qsizetype eq = line.indexOf('=');
    return eq < 0 ? nullptr : findKey(textfile::trimmed(line.first(eq), QByteArrayView(" \t")));
}

// Calls use(line) for every whole line of the file at path, read as a stream, and tooLong(start) with
// the first piece of every line too long to come whole; false with a reason when the file could not
// be read.
template <typename Use, typename TooLong>
bool forEachLine(const QString& path, QString& reason, Use use, TooLong tooLong) {
    LineReader in(path);
    if (!in.open()) {
        reason = in.errorString();
        return false;
    }
    LineReader::Piece piece;
    while (in.next(piece)) {
        if (piece.whole()) {
            if (!use(piece.bytes)) return true;
        } else if (piece.starts) {
            tooLong(piece.bytes);
        }
    }
    if (in.failed()) {
        reason = in.errorString();
        return false;
    }
    return true;
}

void loadOldSettings(const QList<QByteArray>& lines, HeaderAnswers& h, Loaded& loaded) {
    // The lines read are all the program knows of the file: they decide its encoding.
    const textfile::Encoding encoding = textfile::encodingOf(lines.join('\n'));
    // Thirteen bare values; a shorter file leaves the rest empty.
    QString* const targets[] = {&h.createdBy, &h.copyrightHolder, &h.restrictions, &h.contactName, &h.phone,
                                &h.email,     &h.units,           &h.zZero,        &h.bitSize,     &h.bitType,
                                &h.blank,     &h.material,        &h.thickness};
    for (qsizetype i = 0; i < qsizetype(std::size(targets)); ++i)
        *targets[i] = i < lines.size() ? textfile::oneLine(textfile::decode(lines.at(i), encoding)) : QString();
    // In this older file a non-zero unit means inch; a missing line is an empty value like any other.
    loaded.metric = leadingNumber(h.units) == 0;
    loaded.tableTop = leadingNumber(h.zZero) != 0;
}

void loadVariable(QByteArrayView line, textfile::Encoding encoding, HeaderAnswers& h, Loaded& loaded) {
    const KeyInfo* k = knownKey(line);
    if (!k) return;
    const std::optional<Entry> entry = parseEntry(line, encoding);
    switch (k->field) {
    case Field::Units:
        // Only the units are not kept as text: "1" means millimetres, anything else inch.
        loaded.metric = entry->value == QLatin1String("1");
        break;
    case Field::ZZero:
        h.zZero = entry->value;
        loaded.tableTop = leadingNumber(entry->value) != 0;
        break;
    default:
        *storedValue(h, k->field) = entry->value;
        break;
    }
}

} // namespace

QString variablesFilePath(const QString& partsFolder) {
    return QDir::toNativeSeparators(QDir(partsFolder).filePath(QStringLiteral("custom/header_variables.cvc")));
}

std::optional<Entry> parseEntry(QByteArrayView line, textfile::Encoding encoding) {
    line = entryPart(line);
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) return std::nullopt;
    QByteArrayView rest = line.sliced(eq + 1);
    const qsizetype second = rest.indexOf('=');
    if (second >= 0) rest = rest.first(second);
    const QByteArrayView blanks(" \t");
    return Entry{textfile::trimmed(line.first(eq), blanks).toByteArray(),
                 textfile::oneLine(textfile::decode(textfile::trimmed(rest, blanks), encoding))};
}

double leadingNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) ++i;
    const qsizetype digitsFrom = i;
    while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128)
        ++i;
    if (i < n && text.at(i) == u'.') {
        ++i;
        while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128)
            ++i;
    }
    if (i == digitsFrom || (i == digitsFrom + 1 && text.at(digitsFrom) == u'.')) return 0;
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    return ok ? v : 0;
}

Loaded load(Platform& platform, HeaderAnswers& header) {
    Loaded loaded;
    header.variablesFile = variablesFilePath(platform.partsFolder());

    const QString oldPath = textfile::findNoCase(platform.programFolder(), OldSettingsName);
    if (!oldPath.isEmpty()) {
        QList<QByteArray> lines;
        QString reason;
        if (!readOldSettings(oldPath, lines, reason)) {
            loaded.error =
                QCoreApplication::translate("Headsmith", "The old Headsmith settings file could not be read:\n%1\n\n%2")
                    .arg(QDir::toNativeSeparators(oldPath), reason);
        } else {
            // An empty file holds no answers; it goes, and the variables file is read instead.
            const bool used = !lines.isEmpty();
            if (used) {
                loadOldSettings(lines, header, loaded);
                loaded.source = Loaded::Source::OldSettings;
            }
            if (!QFile::remove(oldPath))
                loaded.error = QCoreApplication::translate("Headsmith",
                                                           "The old Headsmith settings file could not be removed:\n%1")
                                   .arg(QDir::toNativeSeparators(oldPath));
            if (used) return loaded;
        }
    }

    const QString path = header.variablesFile;
    if (!QFileInfo::exists(path)) return loaded;
    QString reason;
    QStringList tooLong; // keys whose lines the bounded read could not take whole
    const textfile::Encoding encoding = textfile::fileEncoding(path);
    const bool read = forEachLine(
        path, reason,
        [&](QByteArrayView line) {
            loadVariable(line, encoding, header, loaded);
            return true;
        },
        [&](QByteArrayView start) {
            if (const KeyInfo* k = knownKey(start)) tooLong << QString::fromLatin1(k->key);
        });
    if (!read) {
        loaded.error =
            QCoreApplication::translate("Headsmith", "The saved Headsmith answers could not be read:\n%1\n\n%2")
                .arg(path, reason);
        return loaded;
    }
    if (!tooLong.isEmpty())
        loaded.error =
            QCoreApplication::translate("Headsmith", "These saved Headsmith answers in\n%1\nare longer than %2 bytes "
                                                     "and were not loaded:\n%3\n\nWhat the window holds takes their "
                                                     "place when the header is written.")
                .arg(path)
                .arg(LineReader::DefaultBuffer)
                .arg(tooLong.join(u'\n'));
    loaded.source = Loaded::Source::Variables;
    return loaded;
}

std::optional<QList<QByteArray>> newFileLines(const HeaderFields& f, const HeaderAnswers& header, QString* refused) {
    // A new file is written in the code page the control software reads, as a new part file is.
    QList<QByteArray> lines{QByteArrayLiteral("&my_hasrunheader = 1")};
    for (const KeyInfo& k : Keys) {
        const std::optional<QByteArray> line = lineFor(k, f, header, false, textfile::Encoding::Windows1252, refused);
        if (!line) return std::nullopt;
        lines << *line;
    }
    return lines;
}

FileResult writeNew(const QString& path, const HeaderFields& f, const HeaderAnswers& header) {
    QString refused;
    const std::optional<QList<QByteArray>> made = newFileLines(f, header, &refused);
    if (!made) return FileResult::failure(path, unencodableReason(refused, textfile::Encoding::Windows1252));
    const QList<QByteArray>& lines = *made;
    if (std::any_of(lines.begin(), lines.end(), [](const QByteArray& l) { return textfile::breaksLine(l); }))
        return FileResult::failure(path, brokenLineReason());
    return textfile::saveLines(path, lines);
}

FileResult save(Platform& platform, HeaderAnswers& header, const HeaderFields& f) {
    if (header.variablesFile.isEmpty()) header.variablesFile = variablesFilePath(platform.partsFolder());
    const QString path = header.variablesFile;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        // Say what stands in the way (a file where a folder should be, most likely).
        const QString problem = savefile::pathProblem(path);
        return FileResult::failure(
            path,
            problem.isEmpty() ? QCoreApplication::translate("Headsmith", "Its folder could not be created.") : problem);
    }
    if (!QFileInfo::exists(path)) return writeNew(path, f, header);

    QString reason;
    bool marked = false;
    if (!forEachLine(
            path, reason,
            [&](QByteArrayView line) {
                const qsizetype eq = entryPart(line).indexOf('=');
                marked = eq >= 0 && textfile::trimmed(line.first(eq), QByteArrayView(" \t")) == MarkerKey;
                return !marked;
            },
            [](QByteArrayView) {}))
        return FileResult::failure(path, reason);
    // A file Headsmith did not write belongs to someone else: leave it alone.
    if (!marked) return {};

    // The answers go in in the file's own encoding.
    const textfile::Encoding encoding = textfile::fileEncoding(path);
    std::array<QByteArray, Keys.size()> replaced;
    for (std::size_t i = 0; i < Keys.size(); ++i) {
        QString refused;
        const std::optional<QByteArray> line = lineFor(Keys[i], f, header, true, encoding, &refused);
        if (!line) return FileResult::failure(path, unencodableReason(refused, encoding));
        replaced[i] = *line;
        if (textfile::breaksLine(replaced[i])) return FileResult::failure(path, brokenLineReason());
    }

    // Streamed through: the lines of known keys are replaced, every other byte is kept.
    StreamedReplace file(path);
    if (!file.openWriter()) return FileResult::failure(path, file.writeError());
    if (!file.openReader()) {
        file.cancel();
        return FileResult::failure(path, file.readError());
    }
    LineReader::Piece piece;
    // Inside the old value of a known key, read in pieces: the new line has taken its place.
    bool dropping = false;
    while (file.reader().next(piece) && !file.writer().failed()) {
        QByteArrayView kept = piece.bytes;
        const KeyInfo* k = piece.starts ? knownKey(piece.bytes) : nullptr;
        if (k || dropping) {
            if (k) file.writer().put(replaced[std::size_t(k - Keys.data())]);
            // What a bare CR cut off is someone else's and stays.
            const qsizetype entry = entryPart(piece.bytes).size();
            kept = piece.bytes.sliced(entry);
            dropping = !piece.ends && entry == piece.bytes.size();
        }
        file.writer().put(kept);
        if (piece.ends) file.writer().endLine();
    }
    if (file.reader().failed()) {
        file.cancel();
        return FileResult::failure(path, file.readError());
    }
    if (!file.commit()) return FileResult::failure(path, file.writeError());
    return {};
}

} // namespace headeranswers
