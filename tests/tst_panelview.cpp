#include "gui/mainwindow/panelscrollarea.h"
#include "gui/mainwindow/panelview.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace {

// A frame around a fresh model, shown so that mouse events reach it.
struct Shown {
    ProgramModel m{&PanelView::labelWidth};
    PanelScrollArea frame{m};
    PanelView* panel = frame.panel();
    QScrollBar* bar = frame.scrollBar();

    Shown() {
        frame.show();
        frame.activateWindow();
    }
    void addMoves(const QStringList& names) {
        for (const QString& n : names)
            QVERIFY(m.add(Kind::Move, n, QString()));
        panel->refresh();
    }
    QString order() const {
        QStringList out;
        for (int i = 1; i <= m.lineCount(); ++i) {
            const LineRow& r = m.row(i);
            out << QStringLiteral("%1@%2").arg(m.heldText(r.kind, r.blockIndex)).arg(r.top);
        }
        return out.join(u' ');
    }
    QPoint subControlCentre(QStyle::SubControl sc) const {
        QStyleOptionSlider opt;
        opt.initFrom(bar);
        opt.orientation = Qt::Vertical;
        opt.minimum = bar->minimum();
        opt.maximum = bar->maximum();
        opt.sliderPosition = bar->sliderPosition();
        opt.sliderValue = bar->value();
        opt.singleStep = bar->singleStep();
        opt.pageStep = bar->pageStep();
        opt.upsideDown = bar->invertedAppearance();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, bar).center();
    }
};

} // namespace

class tst_PanelView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesAndGeometry();
    void ampersandsShowOnce();
    void scrollBarFollowsTheHeight();
    void thumbMovesThePanel();
    void arrowsTrackAndWheelMoveThePanel();
    void dragGrowsThePanelAndTheRange();
    void mouseDragReordersTheModel();
    void pointerIsTheHandOnlyOverUncoveredShape();
    void rightPressOnBlockRequestsThePopup();
};

void tst_PanelView::namesAndGeometry() {
    Shown s;
    QCOMPARE(s.frame.objectName(), QStringLiteral("Picture1"));
    QCOMPARE(s.panel->objectName(), QStringLiteral("picPanel"));
    QCOMPARE(s.bar->objectName(), QStringLiteral("VScroll1"));
    QCOMPARE(s.frame.size(), QSize(729, 641));
    QCOMPARE(s.panel->geometry(), QRect(0, 0, 700, 617));
    // Beside the panel, inside the frame, and the panel is seen whole whether the bar shows or not.
    for (const bool barShown : {false, true}) {
        if (barShown) s.addMoves(QStringList(30, QStringLiteral("M")));
        QCOMPARE(s.bar->isVisibleTo(&s.frame), barShown);
        QCOMPARE(s.frame.viewport()->size(), QSize(700, 617));
        QCOMPARE(s.bar->width(), 25);
        const int barLeft = s.bar->mapTo(&s.frame, QPoint()).x() - s.frame.contentsRect().x();
        QCOMPARE(barLeft, 700);
        QCOMPARE(barLeft + s.bar->width(), s.frame.contentsRect().width());
    }
}

void tst_PanelView::ampersandsShowOnce() {
    QCOMPARE(PanelView::displayText(QStringLiteral("IF &&a > 1 THEN &&b = 2")),
             QStringLiteral("IF &a > 1 THEN &b = 2"));
    QCOMPARE(PanelView::displayText(QStringLiteral("'salt & pepper")), QStringLiteral("'salt & pepper"));
    QCOMPARE(PanelView::labelWidth(QStringLiteral("&&depth")), PanelView::labelWidth(QStringLiteral("&depth")));
    QVERIFY(PanelView::labelWidth(QStringLiteral("MX, 1")) > PanelView::labelWidth(QStringLiteral("MX")));
    QCOMPARE(PanelView::labelWidth(QString()), 0);
}

void tst_PanelView::scrollBarFollowsTheHeight() {
    Shown s;
    QCOMPARE(s.bar->height(), s.frame.visibleHeight());
    QVERIFY(!s.bar->isVisibleTo(&s.frame));
    QSignalSpy resized(s.panel, &PanelView::panelResized);
    QStringList names;
    for (int i = 0; i < 25; ++i)
        names << QStringLiteral("M%1").arg(i);
    s.addMoves(names); // the 25th block stands at 608, inside the panel
    QVERIFY(!s.bar->isVisibleTo(&s.frame));
    QCOMPARE(resized.count(), 0);
    s.addMoves({QStringLiteral("grows")}); // 632 > 617: height 632 + 617 + 48
    QCOMPARE(resized.count(), 1);
    QCOMPARE(s.panel->height(), 1297);
    QVERIFY(s.bar->isVisibleTo(&s.frame));
    QCOMPARE(s.bar->maximum(), 1297 - s.frame.visibleHeight());
    QCOMPARE(s.bar->value(), 0);
    // Reset keeps the height and the bar.
    s.m.reset();
    s.panel->refresh();
    QVERIFY(s.bar->isVisibleTo(&s.frame));
    QCOMPARE(s.bar->maximum(), 1297 - s.frame.visibleHeight());
}

void tst_PanelView::thumbMovesThePanel() {
    Shown s;
    QStringList names;
    for (int i = 0; i < 26; ++i)
        names << QStringLiteral("M%1").arg(i);
    s.addMoves(names);
    s.bar->setSliderDown(true);
    s.bar->setSliderPosition(200);
    QCOMPARE(s.panel->y(), -200);
    s.bar->setSliderPosition(s.bar->maximum());
    s.bar->setSliderDown(false);
    // At the end the panel's bottom edge meets the viewport's.
    QCOMPARE(s.panel->y() + s.panel->height(), s.frame.visibleHeight());
    QCOMPARE(s.panel->x(), 0);
}

void tst_PanelView::arrowsTrackAndWheelMoveThePanel() {
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.frame));
    QStringList names;
    for (int i = 0; i < 26; ++i)
        names << QStringLiteral("M%1").arg(i);
    s.addMoves(names);

    QTest::mouseClick(s.bar, Qt::LeftButton, {}, s.subControlCentre(QStyle::SC_ScrollBarAddLine));
    QCOMPARE(s.bar->value(), PanelScrollArea::ArrowStep);
    QCOMPARE(s.panel->y(), -PanelScrollArea::ArrowStep);
    QTest::mouseClick(s.bar, Qt::LeftButton, {}, s.subControlCentre(QStyle::SC_ScrollBarAddPage));
    const int paged = std::min(s.bar->maximum(), PanelScrollArea::ArrowStep + s.frame.visibleHeight());
    QVERIFY(paged > 2 * PanelScrollArea::ArrowStep);
    QCOMPARE(s.bar->value(), paged);
    QCOMPARE(s.panel->y(), -paged);
    QTest::mouseClick(s.bar, Qt::LeftButton, {}, s.subControlCentre(QStyle::SC_ScrollBarSubLine));
    QCOMPARE(s.bar->value(), paged - PanelScrollArea::ArrowStep);
    QCOMPARE(s.panel->y(), -s.bar->value());

    // The wheel over the panel: one notch towards the user scrolls down.
    const int before = s.bar->value();
    const QPointF at(300, 300);
    QWheelEvent down(at, s.panel->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(s.panel, &down);
    QCOMPARE(s.bar->value(), std::min(s.bar->maximum(), before + QApplication::wheelScrollLines() * 24));
    QVERIFY(s.bar->value() != before);
    QCOMPARE(s.panel->y(), -s.bar->value());
    QWheelEvent up(at, s.panel->mapToGlobal(at), QPoint(), QPoint(0, 1200), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(s.panel, &up);
    QCOMPARE(s.bar->value(), 0);
    QCOMPARE(s.panel->y(), 0);
}

void tst_PanelView::dragGrowsThePanelAndTheRange() {
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.frame));
    s.addMoves({QStringLiteral("P")});
    QTest::mousePress(s.panel, Qt::LeftButton, {}, QPoint(23, 40));
    QTest::mouseMove(s.panel, QPoint(23, 700));
    QCOMPARE(s.panel->height(), 748);
    QVERIFY(s.bar->isVisibleTo(&s.frame));
    QCOMPARE(s.bar->maximum(), 748 - s.frame.visibleHeight());
    QTest::mouseMove(s.panel, QPoint(23, 800));
    QCOMPARE(s.bar->maximum(), 848 - s.frame.visibleHeight());
    QTest::mouseRelease(s.panel, Qt::LeftButton, {}, QPoint(23, 800));
    QCOMPARE(s.order(), QStringLiteral("P@32")); // released below the old bottom: no drop
}

void tst_PanelView::mouseDragReordersTheModel() {
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.frame));
    s.addMoves({QStringLiteral("P"), QStringLiteral("Q"), QStringLiteral("R"), QStringLiteral("S")});
    QTest::mousePress(s.panel, Qt::LeftButton, {}, QPoint(23, 112));
    for (int y = 100; y >= 30; y -= 10)
        QTest::mouseMove(s.panel, QPoint(23, y));
    QTest::mouseMove(s.panel, QPoint(23, 30));
    QCOMPARE(s.m.block(Kind::Move, 4).shape.top, 22.f);
    QCOMPARE(s.panel->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseRelease(s.panel, Qt::LeftButton, {}, QPoint(23, 30));
    QCOMPARE(s.order(), QStringLiteral("S@32 P@56 Q@80 R@104"));
    QCOMPARE(s.m.block(Kind::Move, 4).shape.top, 32.f);
    QCOMPARE(s.m.block(Kind::Move, 1).shape.top, 56.f);
    QCOMPARE(s.m.selected(Kind::Move), qint16(4));
}

void tst_PanelView::pointerIsTheHandOnlyOverUncoveredShape() {
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.frame));
    s.addMoves({QStringLiteral("MX, 1")});
    const PanelBlock& b = s.m.block(Kind::Move, 1);
    QTest::mouseMove(s.panel, QPoint(23, 40));
    QCOMPARE(s.panel->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(s.panel->cursor().pixmap().size(), QSize(32, 32));
    QTest::mouseMove(s.panel, QPoint(static_cast<int>(b.text.left) + 3, 40));
    QCOMPARE(s.panel->cursor().shape(), Qt::ArrowCursor);
    // The strip at the block's right end, past its comment label.
    QTest::mouseMove(s.panel, QPoint(static_cast<int>(b.shape.left + b.shape.width) - 4, 40));
    QCOMPARE(s.panel->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(s.panel, QPoint(400, 300));
    QCOMPARE(s.panel->cursor().shape(), Qt::ArrowCursor);
}

void tst_PanelView::rightPressOnBlockRequestsThePopup() {
    Shown s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.frame));
    s.addMoves({QStringLiteral("P")});
    QVERIFY(s.m.add(Kind::End, QString(), QString()));
    s.panel->refresh();
    QSignalSpy popup(s.panel, &PanelView::popupRequested);
    QTest::mouseClick(s.panel, Qt::RightButton, {}, QPoint(400, 300));
    QCOMPARE(popup.count(), 0);
    QTest::mouseClick(s.panel, Qt::RightButton, {}, QPoint(30, 40)); // on the label
    QCOMPARE(popup.count(), 0);
    QTest::mouseClick(s.panel, Qt::RightButton, {}, QPoint(23, 64)); // the END block
    QCOMPARE(popup.count(), 1);
    QCOMPARE(popup.at(0).at(0).toPoint(), s.panel->mapToGlobal(QPoint(23, 64)));
    QCOMPARE(s.m.currentKind(), Kind::End);
    QTest::mouseClick(s.panel, Qt::RightButton, {}, QPoint(23, 40));
    QCOMPARE(popup.count(), 2);
    QCOMPARE(s.m.currentKind(), Kind::Move);
}

#include "testmain.h"
QTEST_MAIN(tst_PanelView)
#include "tst_panelview.moc"
