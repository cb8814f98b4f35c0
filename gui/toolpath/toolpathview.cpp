#include "gui/toolpath/toolpathview.h"

#include "gui/plaintext.h"
#include "gui/toolpath/measuretext.h"

#include <QApplication>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr double HitRadius = 5; // pixels
constexpr double DegreesPerPixel = 0.4;

} // namespace

ToolpathView::ToolpathView(QWidget* parent) : QWidget(parent), m_settle(new QTimer(this)) {
    setObjectName(QStringLiteral("picToolpath"));
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_settle->setSingleShot(true);
    m_settle->setInterval(150);
    connect(m_settle, &QTimer::timeout, this, [this] { invalidate(); });
}

void ToolpathView::setTrace(std::shared_ptr<const dryrun::Trace> trace) {
    const dryrun::LineRef current = m_scene.currentLine();
    m_scene.setTrace(std::move(trace));
    m_scene.setCurrentLine(current);
    m_hovered = -1;
    // A view the operator zoomed or turned stays as it is for the next run of the same file.
    if (m_scene.isFitted()) fitScene();
    invalidate();
}

void ToolpathView::setViewKind(ViewKind kind) {
    if (kind == m_scene.viewKind()) return;
    m_scene.setViewKind(kind);
    if (m_scene.isFitted()) fitScene();
    m_hovered = -1;
    invalidate();
}

void ToolpathView::setCurrentLine(dryrun::LineRef line) {
    m_scene.setCurrentLine(line);
    update();
}

void ToolpathView::setScrubPosition(int position) {
    m_scene.setScrubPosition(position);
    update();
}

void ToolpathView::fitToView() {
    fitScene();
    invalidate();
}

void ToolpathView::fitScene() {
    m_scene.fit(size());
    m_fitSize = size();
}

int ToolpathView::segmentAt(QPoint pos) const {
    return m_scene.segmentAt(pos, HitRadius);
}

QString ToolpathView::segmentText(int segment) const {
    const dryrun::Segment& s = m_scene.trace()->segments[segment];
    const QString file = m_scene.trace()->files.value(s.source.file);
    QString text = tr("%1, line %2")
                       .arg(QFileInfo(file).fileName().isEmpty() ? file : QFileInfo(file).fileName())
                       .arg(s.source.line);
    if (s.region == dryrun::Region::Header) text += u' ' + tr("(header)");
    if (s.region == dryrun::Region::Closing) text += u' ' + tr("(closing block)");
    const QString line = m_lineText ? m_lineText(s.source) : QString();
    if (!line.isEmpty()) text += u'\n' + line;
    const dryrun::Unit unit = m_scene.unit();
    const auto n = [unit](double v) { return measuretext::length(v, unit); };
    text += u'\n' + (s.jog ? tr("Jog to X %1, Y %2, Z %3 at %4") : tr("Move to X %1, Y %2, Z %3 at %4"))
                        .arg(n(s.to.x), n(s.to.y), n(s.to.z), measuretext::speed(s.speed, unit));
    return text;
}

QString ToolpathView::pointText(QPoint pos) const {
    // Where the pointer is on the plane of a flat view; the 3D view has no one point there.
    const ToolpathProjection& p = m_scene.projection();
    if (p.kind == ViewKind::ThreeD || !m_scene.trace()) return {};
    const QPointF at = p.screenToPlane(pos);
    const dryrun::Unit unit = m_scene.unit();
    const QString across = p.kind == ViewKind::Side ? QStringLiteral("Y") : QStringLiteral("X");
    const QString up = p.kind == ViewKind::Top ? QStringLiteral("Y") : QStringLiteral("Z");
    return QStringLiteral("%1 %2  %3 %4")
        .arg(across, measuretext::length(at.x(), unit), up, measuretext::length(at.y(), unit));
}

QString ToolpathView::toolTipText(QPoint pos) const {
    const int segment = segmentAt(pos);
    if (segment >= 0) return segmentText(segment);
    const QString point = pointText(pos);
    const QString help = m_scene.viewKind() == ViewKind::ThreeD
                             ? tr("Wheel: zoom. Drag: move. Right drag or Shift+drag: turn. Double click: fit.")
                             : tr("Wheel: zoom. Drag: move. Double click: fit.");
    return point.isEmpty() ? help : point + u'\n' + help;
}

QImage ToolpathView::renderImage() const {
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    m_scene.paint(p, size());
    return image;
}

void ToolpathView::invalidate() {
    m_cacheValid = false;
    update();
}

void ToolpathView::renderCache(ToolpathScene::Quality quality) {
    const qreal ratio = devicePixelRatioF();
    if (m_cache.size() != size() * ratio) m_cache = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    m_cache.setDevicePixelRatio(ratio);
    QPainter p(&m_cache);
    m_scene.paintStatic(p, size(), quality);
    m_cacheProjection = m_scene.projection();
    m_cacheReached = m_scene.scrubPosition();
    m_cacheValid = true;
}

void ToolpathView::paintEvent(QPaintEvent*) {
    // A hidden widget's resize reaches resizeEvent only once it shows; a fitted view follows its size anyway.
    if (m_scene.isFitted() && m_fitSize != size()) fitScene();
    const ToolpathProjection& now = m_scene.projection();
    const bool sized = m_cache.size() == size() * devicePixelRatioF();
    if (!m_cacheValid || !sized || !now.samePlane(m_cacheProjection)) {
        // A turn in progress draws fast, then once more in full when it ends.
        renderCache(m_drag == Drag::Turn ? ToolpathScene::Quality::Draft : ToolpathScene::Quality::Full);
    } else if (now.scale == m_cacheProjection.scale && now.offset == m_cacheProjection.offset &&
               m_scene.scrubPosition() != m_cacheReached) {
        // Playing forward only adds segments: draw those onto the cache; going back draws anew.
        if (m_scene.scrubPosition() > m_cacheReached) {
            QPainter c(&m_cache);
            m_scene.paintReached(c, size(), m_cacheReached, m_scene.scrubPosition());
            m_cacheReached = m_scene.scrubPosition();
        } else {
            renderCache(ToolpathScene::Quality::Full);
        }
    }

    QPainter p(this);
    if (now.scale == m_cacheProjection.scale && now.offset == m_cacheProjection.offset) {
        p.drawImage(0, 0, m_cache);
    } else {
        // A pan or zoom in progress: the cached picture moved and scaled until the gesture ends.
        const double k = now.scale / m_cacheProjection.scale;
        const QPointF shift = now.offset - m_cacheProjection.offset * k;
        p.fillRect(rect(), ToolpathScene::backgroundColor());
        p.save();
        p.setTransform(QTransform(k, 0, 0, k, shift.x(), shift.y()));
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.drawImage(0, 0, m_cache);
        p.restore();
    }
    if (m_hovered >= 0) m_scene.paintSegments(p, {m_hovered}, QPen(QColor(0x10, 0x10, 0x10, 200), 2.5));
    m_scene.paintOverlay(p, size());
}

void ToolpathView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_scene.isFitted()) {
        fitScene();
    } else if (event->oldSize().isValid()) {
        // Keep the middle of the picture in the middle.
        const QSize grown = event->size() - event->oldSize();
        ToolpathProjection p = m_scene.projection();
        p.panBy(QPointF(grown.width() / 2.0, grown.height() / 2.0));
        m_scene.setProjection(p);
    }
    invalidate();
}

void ToolpathView::mousePressEvent(QMouseEvent* event) {
    const bool threeD = m_scene.viewKind() == ViewKind::ThreeD;
    const bool left = event->button() == Qt::LeftButton;
    if (!left && !(threeD && event->button() == Qt::RightButton)) return QWidget::mousePressEvent(event);
    m_drag = Drag::Pending;
    m_turning = threeD && (!left || (event->modifiers() & Qt::ShiftModifier));
    m_pressPos = m_lastPos = event->position().toPoint();
}

void ToolpathView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_drag == Drag::None) return hover(pos);
    if (m_drag == Drag::Pending) {
        if ((pos - m_pressPos).manhattanLength() < QApplication::startDragDistance()) return;
        m_drag = m_turning ? Drag::Turn : Drag::Pan;
        m_hovered = -1;
    }
    const QPoint delta = pos - m_lastPos;
    m_lastPos = pos;
    if (m_drag == Drag::Pan)
        m_scene.panBy(delta);
    else
        m_scene.turnBy(delta.x() * DegreesPerPixel, delta.y() * DegreesPerPixel);
    update();
}

void ToolpathView::mouseReleaseEvent(QMouseEvent* event) {
    const Drag drag = m_drag;
    m_drag = Drag::None;
    if (drag == Drag::Pending && event->button() == Qt::LeftButton) {
        const int segment = segmentAt(event->position().toPoint());
        if (segment >= 0) Q_EMIT lineActivated(m_scene.trace()->segments[segment].source);
    } else if (drag == Drag::Pan || drag == Drag::Turn) {
        invalidate();
    }
    QWidget::mouseReleaseEvent(event);
}

void ToolpathView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) fitToView();
}

void ToolpathView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) return QWidget::wheelEvent(event);
    // 1.2 times per notch of 120.
    m_scene.zoomAbout(event->position(), std::pow(1.2, steps / 120.0));
    m_settle->start();
    update();
}

void ToolpathView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (m_drag == Drag::None) hover(QPoint(-10000, -10000));
}

void ToolpathView::hover(QPoint pos) {
    const int segment = segmentAt(pos);
    if (segment == m_hovered) return;
    m_hovered = segment;
    update();
    const dryrun::LineRef line = segment >= 0 ? m_scene.trace()->segments[segment].source : dryrun::LineRef{};
    if (QToolTip::isVisible()) {
        if (segment >= 0)
            QToolTip::showText(mapToGlobal(pos), plainToolTip(segmentText(segment)), this);
        else
            QToolTip::hideText();
    }
    if (line != m_hoveredLine) {
        m_hoveredLine = line;
        Q_EMIT lineHovered(line);
    }
}

bool ToolpathView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), plainToolTip(toolTipText(help->pos())), this);
        return true;
    }
    return QWidget::event(event);
}
