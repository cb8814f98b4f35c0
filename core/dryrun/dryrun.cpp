#include "core/dryrun/dryrun.h"
#include "core/dryrun/dryrunengine.h"

#include "core/partfile/calledfile.h"
#include "core/textfile.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

// The rules this follows are written down in docs/dry-run.md; a change of rule changes both. The
// engine behind run() is described in dryrunengine.h.
namespace dryrun {

namespace engine {

QString tr(const char* text) {
    return QCoreApplication::translate("dryrun", text);
}

QString number(double v) {
    return QString::number(v, 'g', 10);
}

QString exactNumber(double v) {
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

} // namespace engine

int Trace::stopCount() const {
    int n = 0;
    for (const Stop& s : stops)
        n += s.times;
    return n;
}

Program programFromText(const QString& name, const QString& folder, const QString& text, Region region) {
    Program p;
    p.name = name;
    p.folder = folder;
    qsizetype from = 0;
    int number = 0;
    while (from < text.size()) {
        qsizetype end = text.indexOf(u'\n', from);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0) end = text.size();
        if (end > from && text[end - 1] == u'\r') --end;
        p.lines.push_back(SourceLine{text.mid(from, end - from), ++number, region});
        from = next;
    }
    return p;
}

Loader fileLoader() {
    return [](const QString& path) -> Loaded {
        const QString found = calledfile::locate(path);
        if (found.isEmpty()) return {false, engine::tr("no such file"), {}};
        // Only a regular file is opened: a FIFO would block the run, a device might never end.
        QFile file(found);
        QString why;
        if (!regularfile::openForReading(file, &why)) return {false, why, {}};
        // A called file is read up to a bound, so that a huge one cannot exhaust memory; the lines
        // past it are named as not read.
        constexpr qint64 MaxBytes = qint64(16) << 20;
        QByteArray bytes = file.read(MaxBytes);
        const bool cut = file.bytesAvailable() > 0 || file.size() > bytes.size();
        if (cut) bytes.truncate(bytes.lastIndexOf('\n') + 1);
        Program program = programFromText(QFileInfo(path).fileName(), QFileInfo(found).path(), textfile::decode(bytes));
        if (cut)
            program.unread.push_back({int(program.lines.size()) + 1,
                                      engine::tr("the lines from here on were not read: the dry run reads at most "
                                                 "%1 MiB of a called file.")
                                          .arg(MaxBytes >> 20)});
        return {true, {}, std::move(program)};
    };
}

Trace run(const Program& program, const Settings& settings, const Answers& answers, const Loader& loader,
          const std::atomic<bool>* cancel, std::atomic<qint64>* progress) {
    return engine::Runner(program, settings, answers, loader, cancel, progress).run();
}

} // namespace dryrun
