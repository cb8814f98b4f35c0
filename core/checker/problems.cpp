#include "core/checker/problems.h"

#include <QCoreApplication>

#include <algorithm>

namespace checker {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("checker", text);
}

// The dry run's rules that say what a checker rule says of the same line.
bool repeats(const QString& dryRunRule, const QString& checkerRule) {
    static const std::pair<const char*, const char*> Same[] = {{"missing-label", "unknown-label"},
                                                               {"duplicate-label", "duplicate-label"},
                                                               {"missing-file", "missing-file"},
                                                               {"missing-file", "not-a-file"},
                                                               {"extra-values", "extra-values"}};
    return std::any_of(std::begin(Same), std::end(Same), [&](const auto& same) {
        return dryRunRule == QLatin1String(same.first) && checkerRule == QLatin1String(same.second);
    });
}

} // namespace

QList<Finding> problems(const QList<Finding>& checked, const dryrun::Trace* trace, const KeptFile* kept,
                        const Place& place) {
    QList<Finding> out = checked;
    if (trace) {
        for (const dryrun::Note& note : trace->warnings) {
            const bool main = note.source.file == 0;
            if (main && std::any_of(checked.begin(), checked.end(), [&](const Finding& f) {
                    return f.file.isEmpty() && f.line == note.source.line && repeats(note.rule, f.rule);
                }))
                continue;
            Finding f;
            f.rule = QStringLiteral("dry-run");
            f.severity = note.error ? Severity::Error : Severity::Warning;
            f.line = note.source.line;
            f.message = note.text;
            if (!main) f.file = trace->files.value(note.source.file);
            if (main && place) place(f);
            out << f;
        }
    }
    if (kept && kept->bareEndLine > 0) {
        Finding f;
        f.rule = QStringLiteral("line-ends");
        f.severity = Severity::Note;
        f.message = (kept->bareEndCr ? tr("Lines of this file end in CR alone (the first is line %1 of the file); "
                                          "Save ends every line with CR LF, so the file will change.")
                                     : tr("Lines of this file end in LF alone (the first is line %1 of the file); "
                                          "Save ends every line with CR LF, so the file will change."))
                        .arg(kept->bareEndLine);
        out << f;
    }
    return out;
}

QString countText(const QList<Finding>& findings) {
    const int errors = count(findings, Severity::Error);
    const int warnings = count(findings, Severity::Warning);
    const int notes = count(findings, Severity::Note);
    QString text = (errors == 1 ? tr("1 error") : tr("%1 errors").arg(errors)) + QStringLiteral(", ") +
                   (warnings == 1 ? tr("1 warning") : tr("%1 warnings").arg(warnings));
    if (notes > 0) text += QStringLiteral(", ") + (notes == 1 ? tr("1 note") : tr("%1 notes").arg(notes));
    return text;
}

} // namespace checker
