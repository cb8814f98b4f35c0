#include "core/panel/panelpointer.h"
#include "core/panel/programmodel.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QTest>

#include <memory>

namespace {

int sixPerChar(const QString& s) {
    return 6 * static_cast<int>(s.size());
}

// A fresh model with 6 px per character labels.
struct Panel {
    ProgramModel m;
    PanelPointer ptr{m};
    explicit Panel(ProgramModel::LabelWidth w = sixPerChar) : m(std::move(w)) {}

    // Adds Move lines captioned with the given names (each a block of its own).
    void addMoves(const QStringList& names) {
        for (const QString& n : names)
            QVERIFY(m.add(Kind::Move, n, QString()));
    }
    const PanelBlock& blockOfRow(int i) const {
        const LineRow& r = m.row(i);
        return m.block(r.kind, r.blockIndex);
    }
    // "P@32 Q@56 ...": each row's held text (or kind name when empty) and its Top, in row order.
    QString rows() const {
        QStringList out;
        for (int i = 1; i <= m.lineCount(); ++i) {
            const LineRow& r = m.row(i);
            QString name = m.heldText(r.kind, r.blockIndex);
            if (name.isEmpty()) name = QString::fromLatin1(kinds::info(r.kind).name);
            out << QStringLiteral("%1@%2").arg(name).arg(r.top);
        }
        return out.join(u' ');
    }
    // Every row's block stands on its row at the block column.
    QString misplaced() const {
        QStringList out;
        for (int i = 1; i <= m.lineCount(); ++i) {
            const PanelBlock& b = blockOfRow(i);
            const qint16 top = m.row(i).top;
            if (b.shape.top != top || b.shape.left != blocklayout::BlockLeft || b.text.top != top + 2 ||
                b.text.left != blocklayout::BlockLeft + 8)
                out << QString::number(i);
        }
        return out.join(u',');
    }
    // Press on the uncovered strip left of a block's label, carry it with the left button, release.
    void dragRow(int i, float releaseY) {
        const float y = blockOfRow(i).shape.top + 8;
        QVERIFY(!ptr.mouseDown(LeftButton, 23, y));
        // A jump, then the pointer rests: past the panel's bottom the first move only grows the panel.
        ptr.mouseMove(LeftButton, 23, releaseY);
        ptr.mouseMove(LeftButton, 23, releaseY);
        ptr.mouseUp(LeftButton, 23, releaseY);
    }
};

} // namespace

class tst_PanelModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstBlocksStandOnTheRows();
    void shapeWidthFollowsTheLabels();
    void fixedWidthKinds_data();
    void fixedWidthKinds();
    void blankSplitsAtTheApostrophe_data();
    void blankSplitsAtTheApostrophe();
    void goSubAddsThreeLines();
    void panelGrowsOnlyPastItsHeight();
    void drops_data();
    void drops();
    void releaseWithinOnePixelIsNoDrop();
    void fastDragStillDrops();
    void releaseAfterLeavingThePanelIsNoDrop();
    void pressRoundsHalvesToEven();
    void hitTestBordersAreStrict_data();
    void hitTestBordersAreStrict();
    void labelsTakePresses();
    void pointerShowsHandOnlyOverUncoveredShape();
    void rightPressCapturesEveryKind_data();
    void rightPressCapturesEveryKind();
    void rightPressOnEmptySpaceOpensNothing();
    void labelsShowTheArrowAfterThePopUp();
    void middleButtonDropsWithoutCarrying();
    void goSubDragCarriesItsReturn();
    void goSubDroppedOnItsOwnRowChangesNothing();
    void dropIntoSubroutineKeepsReturnLast();
    void dragNeedsAPressOnAnExistingBlock();
    void deleteShiftsLaterBlocksOfTheKind();
    void deleteOnlyLine();
    void deleteGoSubTakesItsReturn();
    void deleteEnd();
    void dropsStayWithinTheBound();
    void marchingDownStaysWithinTheBound();
    void panelFullOnlyWhenTheLastLineIsOnTheLowestRow();
    void randomSequencesKeepTheTableSound();
};

void tst_PanelModel::firstBlocksStandOnTheRows() {
    Panel p;
    QVERIFY(p.m.add(Kind::Move, QStringLiteral("M2, 1, 2"), QString()));
    const PanelBlock& b = p.m.block(Kind::Move, 1);
    QCOMPARE(b.shape.left, 20.f);
    QCOMPARE(b.shape.top, 32.f);
    QCOMPARE(b.text.left, 28.f);
    QCOMPARE(b.text.top, 34.f);
    QVERIFY(b.shape.visible && b.text.visible && b.comment.visible);
    QCOMPARE(p.m.nextTop(), qint16(32));
    QCOMPARE(p.m.lineCount(), qint16(1));
    QCOMPARE(p.m.row(1).kind, Kind::Move);
    QCOMPARE(p.m.row(1).blockIndex, qint16(1));
    QCOMPARE(p.m.row(1).mark, qint16(1));
    QVERIFY(p.m.add(Kind::Jog, QStringLiteral("JX, 1"), QString()));
    QCOMPARE(p.rows(), QStringLiteral("M2, 1, 2@32 JX, 1@56"));
    QCOMPARE(p.m.count(Kind::Jog), qint16(1));
    QCOMPARE(p.m.currentKind(), Kind::Jog);
}

void tst_PanelModel::shapeWidthFollowsTheLabels() {
    Panel p([](const QString& s) { return s == QLatin1String("text") ? 40 : s.isEmpty() ? 0 : 60; });
    QVERIFY(p.m.add(Kind::Move, QStringLiteral("text"), QStringLiteral("'comment")));
    const PanelBlock& b = p.m.block(Kind::Move, 1);
    QCOMPARE(b.comment.left, 76.f);
    QCOMPARE(b.comment.top, 34.f);
    QCOMPARE(b.shape.width, 156.f);
    QCOMPARE(p.m.inlineComment(Kind::Move, 1), QStringLiteral("'comment"));
}

void tst_PanelModel::fixedWidthKinds_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<float>("width");
    QTest::addColumn<bool>("oval");
    QTest::newRow("comment") << Kind::Comment << QStringLiteral("'note") << QStringLiteral("'note") << 600.f << false;
    QTest::newRow("pause") << Kind::Pause << QStringLiteral("PAUSE, 3") << QStringLiteral("PAUSE, 3") << 200.f << false;
    QTest::newRow("end keeps its caption")
        << Kind::End << QStringLiteral("ignored") << QStringLiteral("END") << 40.f << true;
}

void tst_PanelModel::fixedWidthKinds() {
    QFETCH(Kind, kind);
    QFETCH(QString, text);
    Panel p;
    QVERIFY(p.m.add(kind, text, QStringLiteral("'dropped")));
    const PanelBlock& b = p.m.block(kind, 1);
    QTEST(b.text.caption, "caption");
    QTEST(b.shape.width, "width");
    QTEST(b.shape.oval, "oval");
    QVERIFY(!b.comment.visible);
    QCOMPARE(p.m.inlineComment(kind, 1), QString());
}

void tst_PanelModel::blankSplitsAtTheApostrophe_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<bool>("coloured");
    QTest::newRow("command and comment") << QStringLiteral("MX, 2 'home") << QStringLiteral("MX, 2 ")
                                         << QStringLiteral("'home") << true;
    QTest::newRow("comment only") << QStringLiteral("'all of it") << QString() << QStringLiteral("'all of it") << true;
    QTest::newRow("second apostrophe stays in the comment")
        << QStringLiteral("C3 'a'b") << QStringLiteral("C3 ") << QStringLiteral("'a'b") << true;
    QTest::newRow("no apostrophe") << QStringLiteral("SO, 1, 1") << QStringLiteral("SO, 1, 1") << QString() << false;
}

void tst_PanelModel::blankSplitsAtTheApostrophe() {
    QFETCH(QString, text);
    QFETCH(bool, coloured);
    Panel p;
    // The colour comes from the last right-clicked block: a red Variable line.
    QVERIFY(p.m.add(Kind::Variable, QStringLiteral("&&x = 1"), QString()));
    QVERIFY(p.ptr.mouseDown(RightButton, 23, 40));
    p.ptr.mouseUp(RightButton, 23, 40);
    QVERIFY(p.m.add(Kind::Blank, text, QString()));
    const PanelBlock& b = p.m.block(Kind::Blank, 1);
    QTEST(b.text.caption, "caption");
    QTEST(b.comment.caption, "comment");
    QCOMPARE(b.text.color, coloured ? kinds::Red : kinds::Black);
    QCOMPARE(b.comment.left, b.text.left + b.text.width + 8);
    QCOMPARE(b.shape.width, b.comment.left + b.comment.width + 20);
}

void tst_PanelModel::goSubAddsThreeLines() {
    Panel p;
    QVERIFY(p.m.addGoSub(QStringLiteral("GOSUB sub1:"), QStringLiteral("sub1:")));
    QCOMPARE(p.rows(), QStringLiteral("GOSUB sub1:@32 sub1:@56 RETURN@152"));
    QCOMPARE(p.m.nextTop(), qint16(152));
    QCOMPARE(p.m.currentKind(), Kind::Label);
    QCOMPARE(p.m.block(Kind::GoSub, 1).shape.width, 200.f);
    QCOMPARE(p.m.block(Kind::Label, 1).shape.width, 200.f);
    QCOMPARE(p.m.block(Kind::Label, 1).shape.fill, kinds::Orange);
    QCOMPARE(p.m.block(Kind::Return, 1).shape.width, 81.f);
    QCOMPARE(p.m.block(Kind::Return, 1).text.caption, QStringLiteral("RETURN"));
    QVERIFY(p.m.add(Kind::Move, QStringLiteral("after"), QString()));
    QCOMPARE(p.m.row(4).top, qint16(176));
    QCOMPARE(p.m.checkInvariants(), QString());
}

void tst_PanelModel::panelGrowsOnlyPastItsHeight() {
    Panel p;
    QCOMPARE(p.m.panelHeight(), 617.f);
    p.addMoves({QStringLiteral("A")});
    // Dragging below the bottom grows the panel to y + 48 on the move; the drop lands on row 1256.
    QVERIFY(!p.ptr.mouseDown(LeftButton, 23, 40));
    p.ptr.mouseMove(LeftButton, 23, 700);
    QCOMPARE(p.m.panelHeight(), 748.f);
    p.ptr.mouseMove(LeftButton, 23, 1256);
    QCOMPARE(p.m.panelHeight(), 1304.f);
    QVERIFY(p.ptr.isHand() == false); // that move ended below the old bottom
    p.ptr.mouseMove(LeftButton, 23, 1260);
    QVERIFY(p.ptr.isHand());
    p.ptr.mouseUp(LeftButton, 23, 1260);
    QCOMPARE(p.rows(), QStringLiteral("A@1256"));
    QCOMPARE(p.m.nextTop(), qint16(1256));
    QCOMPARE(p.m.panelHeight(), 1304.f);

    p.addMoves({QStringLiteral("B"), QStringLiteral("C")});
    QCOMPARE(p.m.nextTop(), qint16(1304)); // equal to the height: no growth
    QCOMPARE(p.m.panelHeight(), 1304.f);
    p.addMoves({QStringLiteral("D")});
    QCOMPARE(p.m.nextTop(), qint16(1328));
    QCOMPARE(p.m.panelHeight(), 1328.f + 1304.f + 48.f);
}

void tst_PanelModel::drops_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("dragged");
    QTest::addColumn<float>("releaseY");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("nextTop");
    const QStringList pqrs{QStringLiteral("P"), QStringLiteral("Q"), QStringLiteral("R"), QStringLiteral("S")};
    QTest::newRow("S to the top") << pqrs << 4 << 30.f << QStringLiteral("S@32 P@56 Q@80 R@104") << 104;
    QTest::newRow("Q down to S") << pqrs << 2 << 100.f << QStringLiteral("P@32 R@56 Q@80 S@104") << 104;
    // The first line moved down leaves row 32 empty; the next add still goes below S.
    QTest::newRow("P down") << pqrs << 1 << 90.f << QStringLiteral("Q@56 P@80 R@104 S@128") << 128;
    QTest::newRow("S above the first row") << pqrs << 4 << 10.f << QStringLiteral("S@8 P@32 Q@56 R@80") << 104;
    QTest::newRow("R far below") << QStringList{QStringLiteral("P"), QStringLiteral("Q"), QStringLiteral("R")} << 3
                                 << 200.f << QStringLiteral("P@32 Q@56 R@176") << 176;
    QTest::newRow("row boundary belongs below") << pqrs << 1 << 96.f << QStringLiteral("Q@56 R@80 P@104 S@128") << 128;
}

void tst_PanelModel::drops() {
    QFETCH(QStringList, lines);
    QFETCH(int, dragged);
    QFETCH(float, releaseY);
    QFETCH(int, nextTop);
    Panel p;
    p.addMoves(lines);
    const qint16 before = p.m.nextTop();
    p.dragRow(dragged, releaseY);
    QTEST(p.rows(), "after");
    QCOMPARE(p.misplaced(), QString());
    QCOMPARE(p.m.nextTop(), qint16(nextTop));
    QVERIFY(p.m.nextTop() >= before);
    QCOMPARE(p.m.checkInvariants(), QString());
    p.addMoves({QStringLiteral("N")});
    QCOMPARE(p.m.row(p.m.lineCount()).top, qint16(nextTop + 24));
}

void tst_PanelModel::releaseWithinOnePixelIsNoDrop() {
    Panel p;
    p.addMoves({QStringLiteral("P"), QStringLiteral("Q")});
    QVERIFY(!p.ptr.mouseDown(LeftButton, 23, 40));
    p.ptr.mouseMove(LeftButton, 200, 40.5f);
    p.ptr.mouseMove(LeftButton, 300, 41);
    p.ptr.mouseMove(LeftButton, 300, 41);
    QVERIFY(p.ptr.isHand());
    p.ptr.mouseUp(LeftButton, 300, 41);
    // Left where the pointer took it, off the block column; the table is untouched.
    QCOMPARE(p.m.block(Kind::Move, 1).shape.left, 297.f);
    QCOMPARE(p.m.block(Kind::Move, 1).shape.top, 33.f);
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56"));

    // Just over a pixel is a drop, even onto the same row.
    QVERIFY(!p.ptr.mouseDown(LeftButton, 300, 40));
    p.ptr.mouseMove(LeftButton, 300, 41.25f);
    p.ptr.mouseUp(LeftButton, 300, 41.25f);
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56"));
    QCOMPARE(p.misplaced(), QString());
}

void tst_PanelModel::fastDragStillDrops() {
    // A quick upward drag delivers moves further apart than the grab offset; the block is carried
    // before the hand is decided, so the release still drops it.
    Panel p;
    p.addMoves({QStringLiteral("P"), QStringLiteral("Q"), QStringLiteral("R")});
    QVERIFY(!p.ptr.mouseDown(LeftButton, 23, 89));
    for (float y = 79; y >= 19; y -= 10) {
        p.ptr.mouseMove(LeftButton, 23, y);
        QVERIFY(p.ptr.isHand());
    }
    p.ptr.mouseUp(LeftButton, 23, 19);
    QCOMPARE(p.rows(), QStringLiteral("R@8 P@32 Q@56"));
    QCOMPARE(p.misplaced(), QString());
}

void tst_PanelModel::releaseAfterLeavingThePanelIsNoDrop() {
    Panel p;
    p.addMoves({QStringLiteral("P"), QStringLiteral("Q")});
    QVERIFY(!p.ptr.mouseDown(LeftButton, 23, 40));
    p.ptr.mouseMove(LeftButton, 23, 100);
    p.ptr.mouseMove(LeftButton, -5, 120);
    QVERIFY(!p.ptr.isHand());
    p.ptr.mouseUp(LeftButton, -5, 120);
    QCOMPARE(p.m.block(Kind::Move, 1).shape.left, -3.f); // x clamped to 0, minus the grab offset
    QCOMPARE(p.m.block(Kind::Move, 1).shape.top, 112.f);
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56"));
    // Past the right edge the block is pinned to the panel's full width.
    QVERIFY(!p.ptr.mouseDown(LeftButton, 23, 64));
    p.ptr.mouseMove(LeftButton, 699, 64);
    p.ptr.mouseMove(LeftButton, 699, 64);
    QCOMPARE(p.m.block(Kind::Move, 2).shape.left, 697.f);
    QVERIFY(p.ptr.isHand());
    p.ptr.mouseMove(LeftButton, 701, 90);
    QVERIFY(!p.ptr.isHand());
    p.ptr.mouseUp(LeftButton, 701, 90);
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56"));
}

void tst_PanelModel::pressRoundsHalvesToEven() {
    Panel p;
    for (auto [y, expected] : {std::pair{40.5f, 40}, {41.5f, 42}, {41.49f, 41}, {-3.5f, -4}, {1e7f, 32767}}) {
        p.ptr.mouseDown(LeftButton, 500, y);
        p.ptr.mouseUp(LeftButton, 500, y);
        QCOMPARE(p.ptr.pressY(), qint16(expected));
    }
}

void tst_PanelModel::hitTestBordersAreStrict_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<bool>("hit");
    // The END block: shape 20, 32, 40 x 17.
    QTest::newRow("inside") << 21.f << 33.f << true;
    QTest::newRow("left edge") << 20.f << 40.f << false;
    QTest::newRow("right edge") << 60.f << 40.f << false;
    QTest::newRow("just left of right edge") << 59.99f << 40.f << true;
    QTest::newRow("top edge") << 30.f << 32.f << false;
    QTest::newRow("bottom edge") << 30.f << 49.f << false;
    QTest::newRow("just above bottom edge") << 30.f << 48.99f << true;
    QTest::newRow("template element 0") << 5.f << 5.f << false;
}

void tst_PanelModel::hitTestBordersAreStrict() {
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(bool, hit);
    Panel p;
    QVERIFY(p.m.add(Kind::End, QString(), QString()));
    for (const auto& order : {std::span<const Kind>(kinds::PressOrder), std::span<const Kind>(kinds::PointerOrder),
                              std::span<const Kind>(kinds::RightPressOrder)}) {
        const PanelHit h = p.ptr.hitBlock(x, y, order);
        QCOMPARE(static_cast<bool>(h), hit);
        if (hit) QCOMPARE(h.index, 1);
    }
}

void tst_PanelModel::labelsTakePresses() {
    Panel p;
    p.addMoves({QStringLiteral("P"), QStringLiteral("Q")});
    p.m.select(Kind::Move, 2);
    // The label "P" covers 28..34 x 34..47: a press there is not a press on the panel.
    QVERIFY(p.ptr.overLabel(30, 40));
    QVERIFY(!p.ptr.overLabel(27.9f, 40));
    QVERIFY(!p.ptr.overLabel(30, 33.9f));
    QVERIFY(!p.ptr.mouseDown(RightButton, 30, 40));
    QVERIFY(!p.ptr.mouseDown(LeftButton, 30, 40));
    QCOMPARE(p.m.selected(Kind::Move), qint16(2));
    QCOMPARE(p.ptr.pressY(), qint16(0));
    p.ptr.mouseMove(LeftButton, 30, 120);
    QVERIFY(!p.ptr.isHand());
    p.ptr.mouseUp(LeftButton, 30, 120);
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56"));
    QCOMPARE(p.misplaced(), QString());
}

void tst_PanelModel::pointerShowsHandOnlyOverUncoveredShape() {
    Panel p;
    p.addMoves({QStringLiteral("P")});
    p.ptr.mouseMove(0, 23, 40); // left of the label
    QVERIFY(p.ptr.isHand());
    p.ptr.mouseMove(0, 30, 40); // on the label
    QVERIFY(!p.ptr.isHand());
    p.ptr.mouseMove(0, 40, 33); // the strip above the label
    QVERIFY(p.ptr.isHand());
    p.ptr.mouseMove(0, 400, 40); // empty panel
    QVERIFY(!p.ptr.isHand());
}

void tst_PanelModel::rightPressCapturesEveryKind_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<double>("color");
    QTest::newRow("move") << Kind::Move << QStringLiteral("MX, 1") << QStringLiteral("'go")
                          << QStringLiteral("MX, 1   'go") << 0.0;
    QTest::newRow("move without comment")
        << Kind::Move << QStringLiteral("MX, 1") << QString() << QStringLiteral("MX, 1   ") << 0.0;
    QTest::newRow("variable") << Kind::Variable << QStringLiteral("&&d = 1") << QString()
                              << QStringLiteral("&&d = 1   ") << 255.0;
    QTest::newRow("speed") << Kind::Speed << QStringLiteral("VS, 2") << QStringLiteral("'s")
                           << QStringLiteral("VS, 2   's") << 16711680.0;
    QTest::newRow("pause") << Kind::Pause << QStringLiteral("PAUSE, 3") << QString() << QStringLiteral("PAUSE, 3   ")
                           << 16711680.0;
    QTest::newRow("comment") << Kind::Comment << QStringLiteral("'cut outline") << QString()
                             << QStringLiteral("'cut outline   ") << 32768.0;
    QTest::newRow("end") << Kind::End << QString() << QString() << QStringLiteral("END   ") << 255.0;
    QTest::newRow("goSub") << Kind::GoSub << QStringLiteral("GOSUB s:") << QString() << QStringLiteral("GOSUB s:   ")
                           << 255.0;
}

void tst_PanelModel::rightPressCapturesEveryKind() {
    QFETCH(Kind, kind);
    QFETCH(QString, text);
    QFETCH(QString, comment);
    Panel p;
    // An earlier capture that the pressed block must replace.
    QVERIFY(p.m.add(Kind::Jog, QStringLiteral("JX, 9"), QStringLiteral("'old")));
    QVERIFY(p.ptr.mouseDown(RightButton, 23, 40));
    if (kind == Kind::GoSub)
        QVERIFY(p.m.addGoSub(text, QStringLiteral("s:")));
    else
        QVERIFY(p.m.add(kind, text, comment));
    QVERIFY(p.ptr.mouseDown(RightButton, 23, 64));
    QCOMPARE(p.m.currentKind(), kind);
    QCOMPARE(p.m.selected(kind), qint16(1));
    QVERIFY(p.m.selectionExists());
    // The colour as the toolkit encodes it: red + 256 green + 65536 blue.
    const Rgb c = p.m.copiedColor();
    QTEST(double(((c >> 16) & 0xFF) + 256 * ((c >> 8) & 0xFF) + 65536 * (c & 0xFF)), "color");
    QTEST(p.m.selectionText(), "clip");
}

void tst_PanelModel::rightPressOnEmptySpaceOpensNothing() {
    Panel p;
    p.addMoves({QStringLiteral("P")});
    QVERIFY(p.ptr.mouseDown(RightButton, 23, 40));
    QVERIFY(!p.ptr.mouseDown(RightButton, 400, 300));
    QCOMPARE(p.ptr.pressY(), qint16(300));
    // The selection, and what Copy would place, stay the block pressed before.
    QCOMPARE(p.m.selection(), (PanelHit{Kind::Move, 1}));
    QCOMPARE(p.m.selectionText(), QStringLiteral("P   "));
}

void tst_PanelModel::labelsShowTheArrowAfterThePopUp() {
    // The pop-up menu takes the mouse and the release never reaches the panel; the labels must
    // still show the arrow afterwards.
    Panel p;
    p.addMoves({QStringLiteral("Move it")});
    QVERIFY(p.ptr.mouseDown(RightButton, 23, 40));
    const PanelLabel& label = p.m.block(Kind::Move, 1).text;
    p.ptr.mouseMove(0, label.left + 2, label.top + 2);
    QVERIFY(!p.ptr.isHand());
    p.ptr.mouseMove(0, 23, 40);
    QVERIFY(p.ptr.isHand());
}

void tst_PanelModel::middleButtonDropsWithoutCarrying() {
    Panel p;
    p.addMoves({QStringLiteral("P"), QStringLiteral("Q"), QStringLiteral("R"), QStringLiteral("S")});
    QVERIFY(!p.ptr.mouseDown(MiddleButton, 23, 40));
    QCOMPARE(p.m.selected(Kind::Move), qint16(1));
    // The release must find a block under the hand: release over S.
    p.ptr.mouseMove(MiddleButton, 23, 110);
    QCOMPARE(p.m.block(Kind::Move, 1).shape.top, 32.f);
    QVERIFY(p.ptr.isHand());
    p.ptr.mouseUp(MiddleButton, 23, 110);
    QCOMPARE(p.rows(), QStringLiteral("Q@56 R@80 P@104 S@128"));
    QCOMPARE(p.misplaced(), QString());

    // Over empty space the hand is gone and nothing drops.
    QVERIFY(!p.ptr.mouseDown(MiddleButton, 23, 112));
    p.ptr.mouseMove(MiddleButton, 23, 300);
    p.ptr.mouseUp(MiddleButton, 23, 300);
    QCOMPARE(p.rows(), QStringLiteral("Q@56 R@80 P@104 S@128"));
}

void tst_PanelModel::goSubDragCarriesItsReturn() {
    Panel p;
    p.addMoves({QStringLiteral("P")});
    QVERIFY(p.m.addGoSub(QStringLiteral("GOSUB a:"), QStringLiteral("a:")));
    QCOMPARE(p.rows(), QStringLiteral("P@32 GOSUB a:@56 a:@80 RETURN@176"));
    QVERIFY(!p.ptr.mouseDown(LeftButton, 23, 64));
    p.ptr.mouseMove(LeftButton, 33, 30);
    QCOMPARE(p.m.block(Kind::GoSub, 1).shape.top, 22.f);
    QCOMPARE(p.m.block(Kind::Return, 1).shape.top, 142.f);
    QCOMPARE(p.m.block(Kind::Return, 1).shape.left, 30.f);
    QCOMPARE(p.m.block(Kind::Return, 1).text.top, 144.f);
    p.ptr.mouseMove(LeftButton, 33, 10);
    p.ptr.mouseMove(LeftButton, 33, 10);
    p.ptr.mouseUp(LeftButton, 33, 10);
    // GOSUB on row 8 with its RETURN 120 below; P and the label are pushed and the gaps close one row
    // each. The RETURN block follows its line.
    QCOMPARE(p.rows(), QStringLiteral("GOSUB a:@8 P@32 a:@80 RETURN@104"));
    QCOMPARE(p.misplaced(), QString());
    QCOMPARE(p.m.checkInvariants(), QString());
}

void tst_PanelModel::goSubDroppedOnItsOwnRowChangesNothing() {
    Panel p;
    QVERIFY(p.m.addGoSub(QStringLiteral("GOSUB s:"), QStringLiteral("s:")));
    p.addMoves({QStringLiteral("z"), QStringLiteral("y"), QStringLiteral("x"), QStringLiteral("after")});
    for (int i = 0; i < 3; ++i)
        p.dragRow(p.m.lineCount() - 1, 8 + 24 * (3 + i) + 5);
    // Each drop closes the gap it leaves by one row only, so "after" keeps a gap above it.
    const QString full = QStringLiteral("GOSUB s:@32 s:@56 x@80 y@104 z@128 RETURN@152 after@248");
    QCOMPARE(p.rows(), full);
    p.dragRow(1, 45);
    QCOMPARE(p.rows(), full);
    QCOMPARE(p.misplaced(), QString());
    QCOMPARE(p.m.checkInvariants(), QString());
}

void tst_PanelModel::dropIntoSubroutineKeepsReturnLast() {
    Panel p;
    QVERIFY(p.m.addGoSub(QStringLiteral("GOSUB s:"), QStringLiteral("s:")));
    p.addMoves({QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")});
    // Fill the body: drop the last line into the next body row, three times.
    for (int i = 0; i < 3; ++i)
        p.dragRow(p.m.lineCount(), 8 + 24 * (3 + i) + 5);
    QCOMPARE(p.rows(), QStringLiteral("GOSUB s:@32 s:@56 a@80 b@104 c@128 RETURN@152"));
    // A line dropped into the full body pushes the RETURN down with the rest.
    QVERIFY(p.m.add(Kind::Jog, QStringLiteral("w"), QString()));
    p.dragRow(p.m.lineCount(), 110);
    QCOMPARE(p.rows(), QStringLiteral("GOSUB s:@32 s:@56 a@80 w@104 b@128 c@152 RETURN@176"));
    QCOMPARE(p.misplaced(), QString());
    QCOMPARE(p.m.checkInvariants(), QString());
}

void tst_PanelModel::dragNeedsAPressOnAnExistingBlock() {
    Panel p;
    // Nothing selected yet (template element 0): a drag from empty space must neither fail nor move anything.
    QVERIFY(!p.ptr.mouseDown(LeftButton, 300, 300));
    p.ptr.mouseMove(LeftButton, 300, 200);
    p.ptr.mouseUp(LeftButton, 300, 200);
    QCOMPARE(p.m.block(Kind::Move, 0).shape.top, 0.f);

    p.addMoves({QStringLiteral("P"), QStringLiteral("Q")});
    QVERIFY(!p.ptr.mouseDown(LeftButton, 23, 64)); // selects Q
    p.ptr.mouseUp(LeftButton, 23, 64);
    QVERIFY(!p.ptr.mouseDown(LeftButton, 300, 300)); // misses: the selection stays, no drag
    QCOMPARE(p.m.selected(Kind::Move), qint16(2));
    p.ptr.mouseMove(LeftButton, 23, 20);
    QCOMPARE(p.m.block(Kind::Move, 2).shape.top, 56.f);
    p.ptr.mouseUp(LeftButton, 23, 20);
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56"));

    // A deleted block is not carried either, even if the press hit it before the deletion.
    QVERIFY(!p.ptr.mouseDown(LeftButton, 23, 64));
    p.m.deleteLine();
    p.ptr.mouseMove(LeftButton, 23, 20);
    p.ptr.mouseUp(LeftButton, 23, 20);
    QCOMPARE(p.rows(), QStringLiteral("P@32"));
    QCOMPARE(p.misplaced(), QString());

    // Nor after Reset.
    QVERIFY(!p.ptr.mouseDown(LeftButton, 23, 40));
    p.m.reset();
    p.ptr.mouseMove(LeftButton, 23, 200);
    p.ptr.mouseUp(LeftButton, 23, 200);
    QCOMPARE(p.m.lineCount(), qint16(0));
    QCOMPARE(p.m.checkInvariants(), QString());
}

void tst_PanelModel::deleteShiftsLaterBlocksOfTheKind() {
    Panel p;
    p.addMoves({QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third, longer")});
    QVERIFY(p.m.add(Kind::Jog, QStringLiteral("jog"), QStringLiteral("'j")));
    const float thirdWidth = p.m.block(Kind::Move, 3).shape.width;
    QVERIFY(p.ptr.mouseDown(RightButton, 23, 64));
    QCOMPARE(p.m.selected(Kind::Move), qint16(2));
    p.m.deleteLine();
    QCOMPARE(p.m.count(Kind::Move), qint16(2));
    QCOMPARE(p.m.blocks(Kind::Move).size(), std::size_t(3));
    QCOMPARE(p.m.lineCount(), qint16(3));
    QCOMPARE(p.rows(), QStringLiteral("first@32 third, longer@80 jog@104"));
    const PanelBlock& moved = p.m.block(Kind::Move, 2);
    QCOMPARE(moved.shape.top, 80.f);
    QCOMPARE(moved.shape.width, thirdWidth);
    QCOMPARE(moved.comment.left, moved.text.left + moved.text.width + 8);
    QCOMPARE(p.m.row(2).blockIndex, qint16(2));
    QCOMPARE(p.m.block(Kind::Jog, 1).shape.top, 104.f);
    QCOMPARE(p.m.nextTop(), qint16(104));
    QCOMPARE(p.misplaced(), QString());
    QCOMPARE(p.m.checkInvariants(), QString());

    // A drop closes the gap the deletion left.
    p.dragRow(3, 110);
    QCOMPARE(p.rows(), QStringLiteral("first@32 third, longer@56 jog@80"));
}

void tst_PanelModel::deleteOnlyLine() {
    Panel p;
    QVERIFY(p.m.add(Kind::Pause, QStringLiteral("PAUSE"), QString()));
    QVERIFY(p.ptr.mouseDown(RightButton, 23, 40));
    p.m.deleteLine();
    QCOMPARE(p.m.lineCount(), qint16(0));
    QCOMPARE(p.m.count(Kind::Pause), qint16(0));
    QVERIFY(!p.m.selectionExists());
    // A second delete on the vanished selection does nothing.
    p.m.deleteLine();
    QCOMPARE(p.m.checkInvariants(), QString());
    QCOMPARE(p.m.nextTop(), qint16(32));
}

void tst_PanelModel::deleteGoSubTakesItsReturn() {
    Panel p;
    QVERIFY(p.m.addGoSub(QStringLiteral("GOSUB a:"), QStringLiteral("a:")));
    QVERIFY(p.m.addGoSub(QStringLiteral("GOSUB b:"), QStringLiteral("b:")));
    QCOMPARE(p.rows(), QStringLiteral("GOSUB a:@32 a:@56 RETURN@152 GOSUB b:@176 b:@200 RETURN@296"));
    QVERIFY(p.ptr.mouseDown(RightButton, 23, 40));
    QCOMPARE(p.m.currentKind(), Kind::GoSub);
    p.m.deleteLine();
    QCOMPARE(p.rows(), QStringLiteral("a:@56 GOSUB b:@176 b:@200 RETURN@296"));
    QCOMPARE(p.m.count(Kind::GoSub), qint16(1));
    QCOMPARE(p.m.count(Kind::Label), qint16(2));
    QCOMPARE(p.m.row(4).blockIndex, qint16(1));
    QCOMPARE(p.m.block(Kind::Return, 1).shape.top, 296.f);
    QCOMPARE(p.misplaced(), QString());
    QCOMPARE(p.m.checkInvariants(), QString());
}

void tst_PanelModel::deleteEnd() {
    Panel p;
    p.addMoves({QStringLiteral("P")});
    QVERIFY(p.m.add(Kind::End, QString(), QString()));
    QVERIFY(p.ptr.mouseDown(RightButton, 23, 64));
    QCOMPARE(p.m.currentKind(), Kind::End);
    p.m.deleteLine();
    QCOMPARE(p.rows(), QStringLiteral("P@32"));
    QCOMPARE(p.m.count(Kind::End), qint16(0));
}

void tst_PanelModel::dropsStayWithinTheBound() {
    Panel p;
    p.addMoves({QStringLiteral("P"), QStringLiteral("Q")});
    QVERIFY(!p.ptr.mouseDown(LeftButton, 23, 40));
    p.ptr.mouseMove(LeftButton, 23, 30000);
    QCOMPARE(p.m.panelHeight(), float(PanelPointer::MaxDragY + 48));
    QCOMPARE(p.m.block(Kind::Move, 1).shape.top, float(PanelPointer::MaxDragY - 8));
    p.ptr.mouseMove(LeftButton, 23, 30000);
    p.ptr.mouseUp(LeftButton, 23, 30000);
    QCOMPARE(p.m.block(Kind::Move, 1).shape.top, float(PanelPointer::MaxDragY - 8)); // released outside
    p.ptr.mouseMove(LeftButton, 23, PanelPointer::MaxDragY);
    p.ptr.mouseUp(LeftButton, 23, PanelPointer::MaxDragY); // no press, no drop
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56"));

    // Released inside: the row is bounded, and the gap above it closes by one row.
    p.dragRow(1, PanelPointer::MaxDragY - 4);
    QCOMPARE(p.rows(), QStringLiteral("Q@56 P@9560"));
    p.addMoves({QStringLiteral("R")});
    QCOMPARE(p.rows(), QStringLiteral("Q@56 P@9560 R@9584"));
    QCOMPARE(p.m.canAdd(Kind::Move), AddRefusal::PanelFull);
    QVERIFY(!p.m.add(Kind::Move, QStringLiteral("refused"), QString()));
    // Q dropped onto R's row pushes R past the last row; the lowest lines are pulled back up.
    p.dragRow(1, ProgramModel::MaxRowTop + 5);
    QCOMPARE(p.rows(), QStringLiteral("P@9536 Q@9560 R@9584"));
    QCOMPARE(p.misplaced(), QString());
    QCOMPARE(p.m.checkInvariants(), QString());
}

void tst_PanelModel::marchingDownStaysWithinTheBound() {
    // Dropping the first line one row down shifts every line below it; repeated, that must stop at
    // the last row instead of passing the sort's limit.
    Panel p;
    for (int i = 0; i < 100; ++i)
        QVERIFY(p.m.add(Kind::Move, QString::number(i), QString()));
    for (int step = 0; step < 420; ++step) {
        const float top = p.blockOfRow(1).shape.top;
        p.dragRow(1, top + 24 + 5);
        const QString problems = p.m.checkInvariants();
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }
    QCOMPARE(p.m.row(100).top, ProgramModel::MaxRowTop);
    QCOMPARE(p.misplaced(), QString());
}

void tst_PanelModel::panelFullOnlyWhenTheLastLineIsOnTheLowestRow() {
    // An overshooting drag leaves NextTop far below the lines; a later drag up leaves it there.
    Panel p;
    p.addMoves({QStringLiteral("P"), QStringLiteral("Q"), QStringLiteral("R")});
    p.dragRow(3, PanelPointer::MaxDragY - 4);
    p.addMoves({QStringLiteral("S")});
    p.dragRow(4, 100);
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56 S@80 R@9560"));
    QCOMPARE(p.m.nextTop(), ProgramModel::MaxRowTop);
    // The lines end higher up, so the add goes one row below the last line.
    QCOMPARE(p.m.canAdd(Kind::Move), AddRefusal::None);
    p.addMoves({QStringLiteral("T")});
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56 S@80 R@9560 T@9584"));
    // Now the last line is on the lowest row: refused, and the advice given works.
    QCOMPARE(p.m.canAdd(Kind::Move), AddRefusal::PanelFull);
    p.dragRow(5, 100); // the last line up onto an empty row
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56 S@80 T@104 R@9560"));
    p.addMoves({QStringLiteral("U")});
    QCOMPARE(p.rows(), QStringLiteral("P@32 Q@56 S@80 T@104 R@9560 U@9584"));
    QCOMPARE(p.m.checkInvariants(), QString());
}

void tst_PanelModel::randomSequencesKeepTheTableSound() {
    const Kind addable[] = {Kind::Move,  Kind::FileCall, Kind::IfThen,  Kind::Label, Kind::End,
                            Kind::Pause, Kind::Variable, Kind::Comment, Kind::GoTo,  Kind::Speed,
                            Kind::Input, Kind::Jog,      Kind::Blank};
    const QString texts[] = {QString(),
                             QStringLiteral("MX, 1"),
                             QStringLiteral("a 'b"),
                             QStringLiteral("'only"),
                             QStringLiteral("&&v = 2"),
                             QStringLiteral("a much longer command text, 1, 2, 3")};
    QRandomGenerator rng(20260712);
    auto pick = [&rng](int n) { return static_cast<int>(rng.bounded(n)); };
    auto coord = [&rng](int span) {
        return static_cast<float>(rng.bounded(span + 200)) - 100.f + static_cast<float>(rng.bounded(4)) / 4.f;
    };
    for (int run = 0; run < 4; ++run) {
        Panel p;
        int drags = 0;
        int reordered = 0;
        int maxLines = 0;
        int refused = 0;
        int inserted = 0;
        for (int step = 0; step < 6000; ++step) {
            const int op = pick(100);
            const int height = static_cast<int>(p.m.panelHeight());
            if (op < 22) {
                const Kind k = addable[pick(static_cast<int>(std::size(addable)))];
                const AddRefusal refusal = p.m.canAdd(k);
                const bool can = refusal == AddRefusal::None;
                // Full only when no row is left below the last line.
                const int lastTop = p.m.lineCount() > 0 ? p.m.row(p.m.lineCount()).top : 8;
                if (p.m.lineCount() < ProgramModel::MaxLines)
                    QCOMPARE(refusal == AddRefusal::PanelFull, lastTop == ProgramModel::MaxRowTop);
                QCOMPARE(p.m.add(k, texts[pick(6)], texts[pick(6)]), can);
                refused += !can;
            } else if (op < 24) {
                const bool can = p.m.canAdd(Kind::GoSub) == AddRefusal::None;
                QCOMPARE(p.m.addGoSub(QStringLiteral("GOSUB s:"), QStringLiteral("s:")), can);
            } else if (op < 70) {
                // A drag: press near a block (often on it), a few moves, a release.
                float x = coord(200);
                float y = coord(height);
                if (p.m.lineCount() > 0 && pick(3) > 0) {
                    const PanelBlock& b = p.blockOfRow(1 + pick(p.m.lineCount()));
                    x = b.shape.left + 1 + static_cast<float>(pick(7));
                    y = b.shape.top + 1 + static_cast<float>(pick(15));
                }
                constexpr std::array<int, 5> buttons{LeftButton, LeftButton, LeftButton, MiddleButton, RightButton};
                const int button = buttons[static_cast<std::size_t>(pick(5))];
                p.ptr.mouseDown(button, x, y);
                const int held = button == RightButton ? 0 : button;
                for (int moves = pick(4); moves > 0; --moves) {
                    x = coord(760);
                    // Mostly around the lines; now and then far below, which grows the panel.
                    y = pick(40) == 0 ? coord(12000) : coord(pick(8) == 0 ? height : p.m.nextTop() + 100);
                    p.ptr.mouseMove(held, x, y);
                }
                // Mostly the pointer rests before the release, as a hand does, so the block is under it.
                if (pick(4) > 0) p.ptr.mouseMove(held, x, y);
                const qint16 before = p.m.lineCount();
                const QString rowsBefore = p.rows();
                p.ptr.mouseUp(button, x, pick(3) == 0 ? y + static_cast<float>(pick(3)) - 1 : y);
                QCOMPARE(p.m.lineCount(), before);
                ++drags;
                reordered += p.rows() != rowsBefore;
            } else if (op < 76) {
                p.ptr.mouseMove(0, coord(760), coord(height));
            } else if (op < 80) {
                // Lines inserted at any row, now and then with a subroutine: they take their rows, the
                // lines above stay, the lines below keep their order and move down together.
                std::vector<LoadedLine> lines;
                for (int n = pick(pick(6) == 0 ? 40 : 5); n > 0; --n) {
                    const Kind k = addable[pick(static_cast<int>(std::size(addable)))];
                    lines.push_back({k, texts[pick(6)], texts[pick(6)]});
                }
                if (pick(3) == 0) {
                    const int goSub = static_cast<int>(lines.size());
                    lines.push_back({Kind::GoSub, QStringLiteral("GOSUB s:"), {}});
                    lines.push_back({Kind::Label, QStringLiteral("s:"), {}, true});
                    lines.push_back({Kind::Return, QStringLiteral("RETURN"), {}, false, goSub});
                }
                const int at = 1 + pick(p.m.lineCount() + 1);
                const auto n = static_cast<int>(lines.size());
                const AddRefusal refusal = p.m.canInsert(at, lines);
                if (refusal != AddRefusal::CounterFull) QCOMPARE(refusal == AddRefusal::None, n <= p.m.insertRoom(at));
                QList<LineRow> before;
                const QList<ProgramLine> linesBefore = p.m.lines();
                for (int i = 1; i <= p.m.lineCount(); ++i)
                    before << p.m.row(i);
                const bool done = p.m.insert(at, lines);
                QCOMPARE(done, refusal == AddRefusal::None && n > 0);
                QCOMPARE(p.m.lineCount(), before.size() + (done ? n : 0));
                const int shift = done && at <= before.size() ? p.m.row(at + n).top - before[at - 1].top : 0;
                QVERIFY(shift >= 0);
                for (int i = 0; i < before.size(); ++i) {
                    const int row = i + 1 < at || !done ? i + 1 : i + 1 + n;
                    const LineRow& r = p.m.row(row);
                    QCOMPARE(p.m.line(row), linesBefore[i]);
                    QCOMPARE(r.top, qint16(before[i].top + (row > i + 1 ? shift : 0)));
                }
                for (int i = 0; done && i < n; ++i)
                    QCOMPARE(p.m.row(at + i).kind, lines[static_cast<std::size_t>(i)].kind);
                inserted += done;
            } else if (op < 92) {
                // Odd runs delete less and never reset, so the table fills up and the rows run out.
                if (p.m.lineCount() > 0 && (run % 2 == 0 || pick(3) == 0)) {
                    const PanelBlock& b = p.blockOfRow(1 + pick(p.m.lineCount()));
                    if (p.ptr.mouseDown(RightButton, b.shape.left + 2, b.shape.top + 1)) {
                        QVERIFY(!p.m.selectionText().isEmpty());
                        QVERIFY(p.m.selectionExists());
                        const qint16 before = p.m.lineCount();
                        const bool goSub = p.m.currentKind() == Kind::GoSub;
                        p.m.deleteLine();
                        QCOMPARE(p.m.lineCount(), qint16(before - (goSub ? 2 : 1)));
                    }
                    p.ptr.mouseUp(RightButton, b.shape.left + 2, b.shape.top + 1);
                }
            } else if (op < 99) {
                if (p.m.lineCount() > 0) {
                    const LineRow r = p.m.row(1 + pick(p.m.lineCount()));
                    const Kind k = r.kind;
                    p.m.setCaptions(k, r.blockIndex, texts[pick(6)], texts[pick(6)], kinds::info(k).hasComment);
                }
            } else if (run % 2 == 0) {
                p.m.reset();
            }
            const QString problems = p.m.checkInvariants();
            if (!problems.isEmpty())
                QFAIL(qPrintable(QStringLiteral("run %1 step %2 op %3:\n%4").arg(run).arg(step).arg(op).arg(problems)));
            maxLines = std::max<int>(maxLines, p.m.lineCount());
        }
        qInfo("run %d: %d drags, %d reordered, max %d lines, %d adds refused, %d inserts", run, drags, reordered,
              maxLines, refused, inserted);
        QVERIFY(drags > 2000);
        QVERIFY(inserted > 20);
        QVERIFY(reordered > 150);
        if (run % 2) QVERIFY(refused > 0);
    }
}

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_PanelModel)
#include "tst_panelmodel.moc"
