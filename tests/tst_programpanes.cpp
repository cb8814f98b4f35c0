// The text pane against the file Save writes, and the tool tip of a File call line.
#include "core/panel/programmodel.h"
#include "core/textfile.h"
#include "goldenprograms.h"
#include "gui/mainwindow/panelview.h"
#include "gui/mainwindow/programpanes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

class tst_programpanes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The dry run of a program calling long files may warn thousands of times: the pane lists the
    // first findings and one row for the rest; a click on that row chooses no line.
    void problemsListIsBounded() {
        ProblemsPane pane;
        QList<checker::Finding> findings;
        for (int i = 1; i <= ProblemsPane::Shown + 25; ++i)
            findings << checker::Finding{QStringLiteral("dry-run"), checker::Severity::Warning, 0, i};
        pane.setFindings(findings);
        QTreeWidget* list = pane.list();
        QCOMPARE(list->topLevelItemCount(), ProblemsPane::Shown + 1);
        QVERIFY(list->topLevelItem(ProblemsPane::Shown)->text(1).contains(QStringLiteral("25 more")));
        QCOMPARE(list->topLevelItem(ProblemsPane::Shown)->data(0, Qt::UserRole).toInt(), 0);
    }

    void textIsTheSavedFile_data() { addGoldenPrograms(); }

    // Byte for byte the golden file, and the dotted blanks are the very three before each comment.
    void textIsTheSavedFile() {
        QFETCH(QList<QStringList>, lines);
        QFETCH(QString, file);
        ProgramModel panel(&PanelView::labelWidth);
        QVERIFY(buildGoldenProgram(panel, lines));
        ProgramTextView view;
        view.showProgram(panel, QString(), 0);

        QByteArray bytes;
        const QStringList shown = view.lines();
        for (const QString& line : shown)
            bytes += textfile::encode(line, textfile::Encoding::Windows1252).value() + textfile::Crlf;
        QFile golden(QStringLiteral(STACKER_TEST_DATA "/partfile/") + file);
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QCOMPARE(bytes, golden.readAll());

        int dotted = 0;
        for (int i = 0; i < shown.size(); ++i) {
            const int gap = view.gapAt(i);
            if (gap < 0) continue;
            ++dotted;
            QCOMPARE(shown[i].mid(gap, 3), QStringLiteral("   "));
        }
        // Every line written with the three blanks has them dotted (a free command has none).
        int withComment = 0;
        for (const QStringList& l : lines) {
            const Kind k = kindFromCode(l[0].toInt());
            const WriteRule w = kinds::info(k).write;
            withComment += (w == WriteRule::HeldAndComment || w == WriteRule::InputUndoubled) ? 1 : 0;
            withComment += k == Kind::GoSub ? 1 : 0; // its label line
        }
        QCOMPARE(dotted, withComment);
    }

    // A File call line names its file, a relative one from the part file's folder; the tool tip
    // shows the file's first lines.
    void calledFileTip() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QFile called(dir.filePath(QStringLiteral("sub/part.cvp")));
        QVERIFY(called.open(QIODevice::WriteOnly));
        called.write("MX, 1\r\nMY, 2\r\n");
        called.close();
        ProgramModel panel(&PanelView::labelWidth);
        QVERIFY(panel.add(Kind::Move, QStringLiteral("MX, 0"), {}));
        QVERIFY(panel.add(Kind::FileCall, QStringLiteral("FP, sub/part.cvp,,,,, 0"), {}));
        ProgramTextView view;
        view.showProgram(panel, dir.path(), 2);
        QCOMPARE(view.calledFile(3), QString());
        QCOMPARE(view.calledFile(4), QDir(dir.path()).filePath(QStringLiteral("sub/part.cvp")));
        QCOMPARE(firstLinesOf(view.calledFile(4)), QStringLiteral("MX, 1\nMY, 2"));
        QVERIFY(firstLinesOf(dir.filePath(QStringLiteral("gone.cvp"))).contains(QStringLiteral("gone.cvp")));
        // The highlighted line is the current block's.
        QCOMPARE(view.textCursor().blockNumber(), 4);
    }
};

#include "testmain.h"
QTEST_MAIN(tst_programpanes)
#include "tst_programpanes.moc"
