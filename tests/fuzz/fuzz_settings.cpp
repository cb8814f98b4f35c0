// Any bytes as stacker.ini and as the old cvheader.ini.
//
// stacker.ini: the reader decides without crashing, only one exact form selects Advanced (blanks
// around the pieces allowed), reading from the file agrees with reading its first line (as far as
// the bounded read goes), and a
// save over it leaves exactly one settings file that reads back as saved.
//
// cvheader.ini: the loader reads its lines as the thirteen answers in order, deletes the file, and
// an empty file falls through to the variables file.
#include "fuzzsupport.h"

#include "core/headsmith/headeranswers.h"
#include "core/settings.h"

namespace {

void stackerIni(const QByteArray& bytes, uint8_t nameCase) {
    const qsizetype end = bytes.indexOf('\n');
    const QByteArray firstLine = end < 0 ? bytes : bytes.left(end);
    const bool advanced = settings::selectsAdvanced(firstLine);
    if (advanced) {
        QByteArray s = firstLine;
        if (s.endsWith('\r')) s.chop(1);
        s.replace(" ", "");
        fuzz::check(s == "advanced=1", "stacker.ini: Advanced chosen by a line of another form", firstLine.toHex());
    }

    // The file may be spelt in any letter case; the program finds it all the same.
    QDir& dir = fuzz::freshWorkDir();
    QString name = settings::FileName;
    for (int i = 0; i < name.size() && i < 8; ++i)
        if ((nameCase >> i) & 1) name[i] = name[i].toUpper();
    fuzz::writeFile(dir.filePath(name), bytes);
    const QString found = settings::findFile(dir.path());
    fuzz::check(found == dir.filePath(name), "stacker.ini: not found", name.toUtf8());
    // Only so much of the line is read: a longer one is taken by its start.
    fuzz::check(settings::selectsAdvanced(settings::readFirstLine(found)) ==
                    settings::selectsAdvanced(firstLine.left(settings::MaxFirstLine)),
                "stacker.ini: the file reads otherwise than its first line", bytes.toHex());

    // Saving the other mode replaces that file rather than adding a second one.
    const FileResult saved = settings::save(dir.path(), !advanced);
    fuzz::check(saved.ok, "stacker.ini: save failed", saved.error.toUtf8());
    fuzz::check(fuzz::entries(dir.path()) == QStringList{name}, "stacker.ini: not exactly one file after a save",
                fuzz::entries(dir.path()).join(u' ').toUtf8());
    fuzz::check(settings::selectsAdvanced(settings::readFirstLine(found)) == !advanced,
                "stacker.ini: the saved mode does not read back");
}

void cvheaderIni(const QByteArray& bytes) {
    QDir& dir = fuzz::freshWorkDir();
    dir.mkdir(QStringLiteral("program"));
    dir.mkdir(QStringLiteral("parts"));
    fuzz::InputPlatform platform;
    platform.programDir = dir.filePath(QStringLiteral("program"));
    platform.partsDir = dir.filePath(QStringLiteral("parts"));
    const QString path = QDir(platform.programDir).filePath(headeranswers::OldSettingsName);
    fuzz::writeFile(path, bytes);

    HeaderAnswers header;
    header.material = QStringLiteral("kept when the file is empty");
    const headeranswers::Loaded loaded = headeranswers::load(platform, header);
    fuzz::check(loaded.error.isEmpty(), "cvheader.ini: an error on a readable file", loaded.error.toUtf8());
    fuzz::check(!QFile::exists(path), "cvheader.ini: the old file was not removed");
    fuzz::check(platform.asked.isEmpty(), "cvheader.ini: the loader asked something");

    const QList<QByteArray> lines = textfile::splitLines(bytes);
    if (lines.isEmpty()) {
        // Nothing to use: the variables file (absent here) decides, and the answers stay.
        fuzz::check(loaded.source == headeranswers::Loaded::Source::None, "cvheader.ini: empty file used");
        fuzz::check(header.material == QLatin1String("kept when the file is empty"),
                    "cvheader.ini: empty file changed an answer");
        return;
    }
    fuzz::check(loaded.source == headeranswers::Loaded::Source::OldSettings, "cvheader.ini: not used");
    const QString* const answers[] = {
        &header.createdBy, &header.copyrightHolder, &header.restrictions, &header.contactName, &header.phone,
        &header.email,     &header.units,           &header.zZero,        &header.bitSize,     &header.bitType,
        &header.blank,     &header.material,        &header.thickness};
    // The thirteen lines read decide the file's encoding.
    const textfile::Encoding encoding = textfile::encodingOf(lines.mid(0, qsizetype(std::size(answers))).join('\n'));
    for (qsizetype i = 0; i < qsizetype(std::size(answers)); ++i) {
        const QString expected =
            i < lines.size() ? textfile::oneLine(textfile::decode(lines.at(i), encoding)) : QString();
        fuzz::check(*answers[i] == expected, "cvheader.ini: an answer is not its line", QByteArray::number(i));
    }
    // A missing line is an empty value, which chooses mm and the material surface like a "0".
    fuzz::check(loaded.metric == (headeranswers::leadingNumber(header.units) == 0),
                "cvheader.ini: units not chosen by their value");
    fuzz::check(loaded.tableTop == (headeranswers::leadingNumber(header.zZero) != 0),
                "cvheader.ini: Z zero not chosen by its value");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in{data, size};
    const uint8_t nameCase = in.byte();
    const QByteArray bytes = in.rest();
    stackerIni(bytes, nameCase);
    cvheaderIni(bytes);
    return 0;
}
