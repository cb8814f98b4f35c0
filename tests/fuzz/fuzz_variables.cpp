// Any bytes as the variables file, any single-line answers: loading never fails on a readable file;
// saving keeps every foreign line byte for byte and in its place, leaves a file Headsmith did not
// write alone, never leaves a temporary file, and what was saved loads back.
//
// Input: a flags byte, the answers separated by NUL up to a double NUL, then the file's bytes.
#include "fuzzsupport.h"

#include "core/headsmith/headeranswers.h"

namespace {

using headeranswers::Entry;

enum Flags : uint8_t {
    Metric = 1,
    TableTop = 2,
    NoFile = 4,        // no variables file yet
    NoFolder = 8,      // not even the custom folder
    FolderIsFile = 16, // a regular file where the custom folder belongs: saving must fail cleanly
    FileIsFolder = 32, // a folder where the variables file belongs
};

bool knownKey(const QByteArray& line) {
    static const QByteArrayList keys = [] {
        QByteArrayList k;
        // Kept in a variable: a range-for over *temporary() would read a destroyed list.
        const auto lines = headeranswers::newFileLines({}, {});
        for (const QByteArray& l : *lines)
            k << headeranswers::parseEntry(l)->key;
        k.removeAll(headeranswers::MarkerKey);
        return k;
    }();
    const std::optional<Entry> e = headeranswers::parseEntry(line);
    return e && keys.contains(e->key);
}

bool hasMarker(const QList<QByteArray>& lines) {
    for (const QByteArray& l : lines) {
        const std::optional<Entry> e = headeranswers::parseEntry(l);
        if (e && e->key == headeranswers::MarkerKey) return true;
    }
    return false;
}

// A text that the file keeps as it is: no "=", which ends a value, and no blank at either end.
bool keepsAsIs(const QString& s) {
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    return !s.contains(u'=') && (s.isEmpty() || (!blank(s.front()) && !blank(s.back())));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in{data, size};
    const uint8_t flags = in.byte();
    const QList<QByteArray> answerBytes = in.section(QByteArrayView("\0\0", 2)).split('\0');
    const QByteArray content = in.rest();

    QStringList answers;
    for (const QByteArray& a : answerBytes) {
        const QString s = textfile::decode(a);
        answers << textfile::oneLine(s); // every answer comes from a one-line box
    }
    const auto answer = [&](int i) { return answers.at(i % answers.size()); };

    HeaderFields f;
    f.metric = flags & Metric;
    f.tableTop = flags & TableTop;
    QString* const texts[] = {&f.createdBy, &f.copyright, &f.use,   &f.contactName, &f.phone,    &f.email,
                              &f.bitSize,   &f.bitType,   &f.blank, &f.material,    &f.thickness};
    for (int i = 0; i < int(std::size(texts)); ++i)
        *texts[i] = answer(i);

    QDir& dir = fuzz::freshWorkDir();
    fuzz::InputPlatform platform;
    platform.programDir = dir.path();
    platform.partsDir = dir.filePath(QStringLiteral("parts"));
    const QString custom = dir.filePath(QStringLiteral("parts/custom"));
    const QString path = headeranswers::variablesFilePath(platform.partsDir);
    dir.mkpath(QStringLiteral("parts"));
    if (flags & FolderIsFile) {
        fuzz::writeFile(custom, content);
    } else if (flags & FileIsFolder) {
        dir.mkpath(path);
    } else if (!(flags & NoFolder)) {
        dir.mkpath(custom);
        if (!(flags & NoFile)) fuzz::writeFile(path, content);
    }
    const bool fileBefore = QFileInfo(path).isFile();

    HeaderAnswers header;
    const headeranswers::Loaded loaded = headeranswers::load(platform, header);
    const bool unreadable = (flags & FileIsFolder) && !(flags & FolderIsFile);
    fuzz::check(loaded.error.isEmpty() != unreadable, "load: an error on a readable file, or none on a folder",
                loaded.error.toUtf8());
    // The remembered file locations go back into the file as they were loaded.
    const QString dirs[] = {header.openingFolder, header.closingFolder, header.openingName, header.closingName,
                            header.partFolder};

    // Answers go into the file in its own encoding (a new file's is Windows-1252); one that it cannot
    // hold stops the save before anything is written.
    const bool marked = fileBefore && hasMarker(fuzz::readerLines(content));
    const textfile::Encoding encoding = marked ? textfile::encodingOf(content) : textfile::Encoding::Windows1252;
    bool holdable = true;
    for (const QString* t : texts)
        holdable = holdable && textfile::unencodable(*t, encoding).isEmpty();

    const FileResult saved = headeranswers::save(platform, header, f);
    fuzz::check(platform.asked.isEmpty(), "save: asked a question");
    if (!holdable && (marked || !fileBefore) && !(flags & (FolderIsFile | FileIsFolder))) {
        fuzz::check(!saved.ok && saved.error.contains(QStringLiteral("cannot hold")),
                    "save: wrote an answer its file cannot hold", saved.error.toUtf8());
        fuzz::check(fileBefore ? fuzz::readFile(path) == content : !QFileInfo::exists(path),
                    "save: a refused save changed the file, or made one");
        return 0;
    }

    if (flags & (FolderIsFile | FileIsFolder)) {
        fuzz::check(!saved.ok, "save: reported success where nothing can be written");
        if (flags & FolderIsFile)
            fuzz::check(fuzz::readFile(custom) == content, "save: the file in the folder's place changed");
        fuzz::check(fuzz::entries(dir.filePath(QStringLiteral("parts"))) == QStringList{QStringLiteral("custom")},
                    "save: something was left beside the custom folder");
        return 0;
    }
    fuzz::check(saved.ok, "save: failed in a writable folder", saved.error.toUtf8());
    fuzz::check(fuzz::entries(custom) == QStringList{QFileInfo(path).fileName()}, "save: a temporary file was left",
                fuzz::entries(custom).join(u' ').toUtf8());

    const QByteArray after = fuzz::readFile(path);
    // The update streams the file through the part-file reader: a lone CR at its very end ends the line.
    const QList<QByteArray> before = fuzz::readerLines(content);
    if (fileBefore && !hasMarker(before)) {
        fuzz::check(after == content, "save: changed a file Headsmith did not write");
        return 0;
    }
    const QList<QByteArray> lines = textfile::splitLines(after);
    fuzz::check(after.isEmpty() || after.endsWith("\r\n"), "save: the last line has no CR LF");
    if (fileBefore) {
        fuzz::check(lines.size() == before.size(), "save: the number of lines changed", after.toHex());
        for (qsizetype i = 0; i < before.size(); ++i) {
            if (knownKey(before[i])) {
                fuzz::check(headeranswers::parseEntry(lines[i])->key == headeranswers::parseEntry(before[i])->key,
                            "save: a known line turned into another", lines[i].toHex());
            } else {
                fuzz::check(lines[i] == before[i], "save: a foreign line changed",
                            before[i].toHex() + " became " + lines[i].toHex());
            }
        }
    } else {
        fuzz::check(lines == *headeranswers::newFileLines(f, header), "save: a new file is not the nineteen lines");
    }

    // What was saved loads back, for every key the file holds.
    HeaderAnswers again;
    const headeranswers::Loaded reloaded = headeranswers::load(platform, again);
    fuzz::check(reloaded.error.isEmpty(), "reload: failed", reloaded.error.toUtf8());
    QByteArrayList present;
    for (const QByteArray& l : lines)
        if (knownKey(l)) present << headeranswers::parseEntry(l)->key;
    const struct {
        const char* key;
        const QString& saved;
        const QString& loaded;
    } pairs[] = {
        {"&header_name", f.createdBy, again.createdBy},
        {"&header_copyright_holder", f.copyright, again.copyrightHolder},
        {"&header_restrictions", f.use, again.restrictions},
        {"&header_contactname", f.contactName, again.contactName},
        {"&header_phone", f.phone, again.phone},
        {"&header_email", f.email, again.email},
        {"&header_bitsize", f.bitSize, again.bitSize},
        {"&header_bittype", f.bitType, again.bitType},
        {"&header_blank", f.blank, again.blank},
        {"&header_material", f.material, again.material},
        {"&header_thickness", f.thickness, again.thickness},
        {"&header_headernamedir", dirs[0], again.openingFolder},
        {"&header_footernamedir", dirs[1], again.closingFolder},
        {"&header_headernamefile", dirs[2], again.openingName},
        {"&header_footernamefile", dirs[3], again.closingName},
        {"&header_partfiledir", dirs[4], again.partFolder},
    };
    // The same bytes come back; read as UTF-8 when the file as saved is valid UTF-8.
    const textfile::Encoding reread = textfile::encodingOf(after);
    for (const auto& p : pairs)
        if (present.contains(QByteArray(p.key)) && keepsAsIs(p.saved))
            fuzz::check(p.loaded == textfile::oneLine(textfile::decode(*textfile::encode(p.saved, encoding), reread)),
                        "reload: an answer came back otherwise", p.key);
    if (present.contains("&header_units"))
        fuzz::check(reloaded.metric == f.metric, "reload: units came back otherwise");
    if (present.contains("&header_ZZero"))
        fuzz::check(reloaded.tableTop == f.tableTop, "reload: the Z zero came back otherwise");
    return 0;
}
