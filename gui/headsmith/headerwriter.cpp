#include "gui/headsmith/headerwriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

headsmith::RewriteResult writeHeaderWithProgress(const QString& partFile, const HeaderFields& fields,
                                                 Platform& platform, QWidget* parent, int delayMs,
                                                 std::optional<textfile::Encoding> encoding) {
    // Every question first: a progress window that came up over a question would take its keys.
    const headsmith::ReplaceAnswers answers = headsmith::askReplaceQuestions(partFile, fields, platform);
    if (answers.header == false && !fields.addClosing) return {headsmith::RewriteResult::Outcome::Declined, {}};
    QProgressDialog progress(QCoreApplication::translate("HeadsmithWindow", "Writing the header into the part file..."),
                             QCoreApplication::translate("HeadsmithWindow", "Cancel"), 0, 1000, parent);
    progress.setObjectName(QStringLiteral("prgHeader"));
    progress.setWindowTitle(QCoreApplication::translate("HeadsmithWindow", "Corvane Headsmith"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(delayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setValue(0);
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    const auto report = [&](qint64 done, qint64 total) {
        const int value = total > 0 ? int(done * 1000 / total) : 0;
        if (value != progress.value()) progress.setValue(value);
        // Keep the Cancel button alive even while the bar does not move.
        if (sinceEvents.elapsed() >= 50) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
        return !progress.wasCanceled();
    };
    return headsmith::rewritePartFile(partFile, fields, platform, report, LineReader::DefaultBuffer, answers, encoding);
}
