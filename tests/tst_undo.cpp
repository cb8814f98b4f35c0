// The undo history over the panel model's own operations: random programs built by adds, GOSUB sets,
// drags, deletions, edits and resets are taken back step by step to where they started and brought
// forward again, with the written file checked at every step.
#include "core/panel/panelpointer.h"
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "gui/document/partdocument.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Step {
    ProgramModel::Snapshot before;
    ProgramModel::Snapshot after;
    QStringList fileBefore;
    QStringList fileAfter;
};

struct Program {
    PartDocument document{[](const QString& s) { return 6 * static_cast<int>(s.size()); }};
    ProgramModel& model = document.model();
    PanelPointer pointer{model};

    // Runs a change of the model and records it as one step, as the document's own operations do.
    bool record(const QString& name, const std::function<void()>& change) {
        const ProgramModel::Snapshot before = model.snapshot();
        change();
        return document.recordChange(name, before);
    }
};

// Presses on the bare strip left of a line's labels, as a hand grabs a block.
QPointF grip(const ProgramModel& m, const LineRow& r) {
    const PanelShape& s = m.block(r.kind, r.blockIndex).shape;
    return {s.left + 2, s.top + 8};
}

} // namespace

class tst_Undo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomHistoriesGoBackAndForth_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 60; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }

    void randomHistoriesGoBackAndForth() {
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed);
        Program p;
        ProgramModel& m = p.model;
        const ProgramModel::Snapshot start = m.snapshot();
        const QStringList startFile = partfile::programLines(m);
        std::vector<Step> steps;
        const auto line = [&]() -> const LineRow& {
            return p.model.row(1 + int(rng.bounded(int(p.model.lineCount()))));
        };

        for (int op = 0; op < 80; ++op) {
            Step step{m.snapshot(), {}, partfile::programLines(m), {}};
            bool recorded = false;
            switch (rng.bounded(14)) {
            case 0:
            case 1:
            case 2: {
                static constexpr Kind Simple[] = {Kind::Move,  Kind::Comment, Kind::Pause, Kind::Blank,
                                                  Kind::Label, Kind::End,     Kind::Jog,   Kind::GoTo};
                const Kind k = Simple[rng.bounded(int(std::size(Simple)))];
                const QString n = QString::number(op);
                recorded = p.record(QStringLiteral("add"), [&] { m.add(k, "t" + n + "'c", "'i" + n); });
                break;
            }
            case 3:
                recorded = p.record(QStringLiteral("gosub"), [&] {
                    m.addGoSub(QStringLiteral("GOSUB s%1:").arg(op), QStringLiteral("s%1:").arg(op));
                });
                break;
            case 4:
            case 5:
            case 6: {
                // A whole drag, recorded from the press as the view records it.
                if (p.model.lineCount() == 0) break;
                const QPointF from = grip(m, line());
                const auto y = static_cast<float>(rng.bounded(8, 8 + 24 * (p.model.lineCount() + 2)));
                p.pointer.mouseDown(LeftButton, float(from.x()), float(from.y()));
                p.pointer.mouseMove(LeftButton, 30, y);
                p.pointer.mouseMove(LeftButton, 30, y);
                p.pointer.mouseUp(LeftButton, 30, y);
                recorded = p.document.recordChange(QStringLiteral("drop"), step.before);
                break;
            }
            case 7:
            case 8: {
                if (p.model.lineCount() == 0) break;
                const QPointF at = grip(m, line());
                p.pointer.mouseDown(RightButton, float(at.x()), float(at.y()));
                step.before = m.snapshot(); // a right press selects, which is no step
                if (m.selectionExists()) recorded = p.record(QStringLiteral("delete"), [&] { m.deleteLine(); });
                break;
            }
            case 9:
            case 10: {
                if (p.model.lineCount() == 0) break;
                const LineRow r = line();
                recorded = p.record(QStringLiteral("edit"), [&] {
                    m.setCaptions(r.kind, r.blockIndex, QStringLiteral("e%1").arg(op), QStringLiteral("'x"), true);
                });
                break;
            }
            case 12:
            case 13: {
                // A line moved a row up or down from the keyboard, through the model's drop.
                if (p.model.lineCount() == 0) break;
                const int at = 1 + int(rng.bounded(int(p.model.lineCount())));
                const int step = rng.bounded(2) ? 1 : -1;
                recorded = p.record(QStringLiteral("move"), [&] { m.moveLine(at, step); });
                break;
            }
            case 11:
                if (rng.bounded(3) == 0) recorded = p.record(QStringLiteral("reset"), [&] { m.reset(); });
                break;
            }
            QVERIFY2(m.checkInvariants().isEmpty(), qPrintable(m.checkInvariants()));
            if (!recorded) continue;
            step.after = m.snapshot();
            step.fileAfter = partfile::programLines(m);
            QVERIFY(!(step.after == step.before));
            steps.push_back(std::move(step));
        }
        QCOMPARE(p.document.undoStack()->count(), int(steps.size()));

        for (auto s = steps.rbegin(); s != steps.rend(); ++s) {
            p.document.undoStack()->undo();
            QVERIFY(m.snapshot() == s->before);
            QCOMPARE(partfile::programLines(m), s->fileBefore);
            QVERIFY2(m.checkInvariants().isEmpty(), qPrintable(m.checkInvariants()));
        }
        QCOMPARE(partfile::programLines(m), startFile);
        if (!steps.empty() && steps.front().before == start) QVERIFY(m.snapshot() == start);

        for (const Step& s : steps) {
            p.document.undoStack()->redo();
            QVERIFY(m.snapshot() == s.after);
            QCOMPARE(partfile::programLines(m), s.fileAfter);
        }
        QVERIFY(!p.document.undoStack()->canRedo());
    }

    // The history is bounded, and the saved program is the only one shown as saved: undoing back to
    // it shows no unsaved work while it is within reach; once it has fallen off the bottom of the
    // history no undo or redo reaches it, and the work stays unsaved.
    void boundedHistoryKeepsTheSavedState_data() {
        QTest::addColumn<int>("pastLimit"); // edits after the save, beyond the history's limit
        QTest::addColumn<bool>("reachable");
        QTest::newRow("one short of the limit") << -1 << true;
        QTest::newRow("at the limit") << 0 << true;
        QTest::newRow("one past") << 1 << false;
        QTest::newRow("far past") << 300 << false;
    }

    void boundedHistoryKeepsTheSavedState() {
        QFETCH(int, pastLimit);
        QFETCH(bool, reachable);
        QTemporaryDir dir;
        Program p;
        QUndoStack* stack = p.document.undoStack();
        const int limit = stack->undoLimit();
        QVERIFY2(limit > 0, "the undo history has no limit");
        p.model.add(Kind::Move, QStringLiteral("MX, 0"), {});
        p.document.setFilePath(dir.filePath(QStringLiteral("job.cvp")));
        QVERIFY(p.document.save().ok);
        const QStringList saved = partfile::programLines(p.model);
        for (int i = 1; i <= limit + pastLimit; ++i) {
            QVERIFY(p.document.editLine({Kind::Move, 1}, QStringLiteral("MX, %1").arg(i), {}));
            QVERIFY(stack->count() <= limit);
        }
        while (stack->canUndo())
            stack->undo();
        QCOMPARE(partfile::programLines(p.model) == saved, reachable);
        QCOMPARE(p.document.isModified(), !reachable);
        while (stack->canRedo()) {
            stack->redo();
            QVERIFY(p.document.isModified());
        }
    }

    // A subroutine goes and comes back whole: its RETURN with it, and where it stood.
    void goSubComesBackWithItsReturn_data() {
        QTest::addColumn<bool>("drag");
        QTest::newRow("deleted") << false;
        QTest::newRow("dragged to the top") << true;
    }

    void goSubComesBackWithItsReturn() {
        QFETCH(bool, drag);
        Program p;
        ProgramModel& m = p.model;
        m.add(Kind::Move, QStringLiteral("X1"), {});
        m.add(Kind::Move, QStringLiteral("X2"), {});
        m.addGoSub(QStringLiteral("GOSUB a:"), QStringLiteral("a:"));
        m.add(Kind::Move, QStringLiteral("X3"), {});
        ProgramModel::Snapshot before = m.snapshot();
        const QStringList file = partfile::programLines(m);
        const float returnTop = m.block(Kind::Return, 1).shape.top;
        const PanelShape goSub = m.block(Kind::GoSub, 1).shape;

        if (drag) {
            p.pointer.mouseDown(LeftButton, goSub.left + 2, goSub.top + 8);
            p.pointer.mouseMove(LeftButton, 30, 10);
            p.pointer.mouseUp(LeftButton, 30, 10);
            QVERIFY(p.document.recordChange(QStringLiteral("drop"), before));
            QVERIFY(m.block(Kind::Return, 1).shape.top != returnTop);
        } else {
            QVERIFY(p.pointer.mouseDown(RightButton, goSub.left + 2, goSub.top + 8));
            before = m.snapshot(); // the press selected the line
            QVERIFY(p.record(QStringLiteral("delete"), [&] { m.deleteLine(); }));
            QCOMPARE(m.blocks(Kind::Return).size(), std::size_t(1));
        }
        QVERIFY(partfile::programLines(m) != file);
        p.document.undoStack()->undo();
        QCOMPARE(m.block(Kind::Return, 1).shape.top, returnTop);
        QCOMPARE(partfile::programLines(m), file);
        QVERIFY(m.snapshot() == before);
    }
};

#include "testmain.h"
QTEST_MAIN(tst_Undo)
#include "tst_undo.moc"
