#include "gui/carve/carvedview.h"

#include "gui/toolpath/measuretext.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>

CarvedView::CarvedView(CarveWorker* worker, QWidget* parent)
    : QWidget(parent), m_worker(worker), m_rest(new QTimer(this)) {
    setObjectName(QStringLiteral("picCarved"));
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(tr("Wheel: zoom. Drag: move. Double click: fit. The readout below gives the depth of cut "
                  "under the pointer."));
    m_scene.setViewKind(ViewKind::Top);
    m_rest->setSingleShot(true);
    m_rest->setInterval(RestMs);
    connect(m_rest, &QTimer::timeout, this, &CarvedView::requestRegion);
    connect(m_worker, &CarveWorker::wholeReady, this, &CarvedView::updateUnderlays);
    connect(m_worker, &CarveWorker::regionReady, this, [this](const CarvedPicture& picture) {
        if (picture.moment != m_moment) return;
        m_region = picture;
        updateUnderlays();
    });
}

void CarvedView::setTrace(std::shared_ptr<const dryrun::Trace> trace) {
    m_scene.setTrace(std::move(trace));
    m_moment = std::size_t(m_scene.segmentCount());
    m_region = {};
    if (m_scene.isFitted()) fitToView();
    viewMoved();
}

void CarvedView::setMoment(int moment) {
    m_scene.setScrubPosition(moment);
    m_moment = std::size_t(std::max(moment, 0));
    m_worker->setMoment(m_moment);
    // A region of another moment would show cuts not made yet, or hide some made.
    if (m_region.moment != m_moment) m_region = {};
    viewMoved();
}

void CarvedView::setPathShown(bool shown) {
    m_scene.setPathShown(shown);
    update();
}

void CarvedView::setCurrentLine(dryrun::LineRef line) {
    m_scene.setCurrentLine(line);
    update();
}

void CarvedView::setMeasuring(bool on) {
    m_measuring = on;
    m_measure.clear();
    setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
    Q_EMIT measureChanged(QString());
    update();
}

void CarvedView::fitToView() {
    m_scene.fit(size());
    m_fitSize = size();
    viewMoved();
}

void CarvedView::viewMoved() {
    m_worker->cancelRegion();
    m_rest->start();
    updateUnderlays();
}

std::optional<carve::Grid> CarvedView::visibleGrid() const {
    const std::shared_ptr<const carve::Job>& job = m_worker->job();
    if (!job || width() <= 0 || height() <= 0) return std::nullopt;
    const ToolpathProjection& p = m_scene.projection();
    const QPointF a = p.screenToPlane(QPointF(0, height())), b = p.screenToPlane(QPointF(width(), 0));
    // One cell a device pixel: a high-density screen gets its own pixels.
    const double cell = 1.0 / (p.scale * devicePixelRatioF());
    return carvepictures::regionGrid(*job, QRectF(a, b), cell, m_worker->budgetBytes());
}

void CarvedView::requestRegion() {
    if (const std::optional<carve::Grid> grid = visibleGrid()) m_worker->requestRegion(*grid, m_moment);
}

void CarvedView::updateUnderlays() {
    std::vector<ToolpathScene::Underlay> layers;
    if (m_worker->whole().valid()) layers.push_back({m_worker->whole().relief, m_worker->whole().plane});
    if (m_region.valid()) layers.push_back({m_region.relief, m_region.plane});
    m_scene.setUnderlays(std::move(layers));
    update();
}

QString CarvedView::readoutAt(QPointF pos) const {
    const std::shared_ptr<const carve::Job>& job = m_worker->job();
    if (!job) return {};
    const QPointF at = m_scene.projection().screenToPlane(pos);
    const dryrun::Unit unit = job->unit();
    QString text = tr("X %1  Y %2").arg(measuretext::length(at.x(), unit), measuretext::length(at.y(), unit));
    const bool onBlank = at.x() >= 0 && at.x() <= job->sizeX() && at.y() >= 0 && at.y() <= job->sizeY();
    if (!onBlank) return text + QStringLiteral("  ") + tr("(off the blank)");
    const double depth = job->top() - carve::heightAt(*job, at.x(), at.y(), m_moment);
    return text + QStringLiteral("  ") + tr("Depth of cut %1").arg(measuretext::length(std::max(depth, 0.0), unit));
}

QString CarvedView::measureText() const {
    if (m_measure.size() < 2 || !m_worker->job()) return {};
    const dryrun::Unit unit = m_worker->job()->unit();
    const QPointF d = m_measure[1] - m_measure[0];
    return tr("Distance %1  \u0394X %2  \u0394Y %3")
        .arg(measuretext::length(std::hypot(d.x(), d.y()), unit), measuretext::length(d.x(), unit),
             measuretext::length(d.y(), unit));
}

void CarvedView::placeMeasurePoint(QPointF pos) {
    // A third click starts a new measure.
    if (m_measure.size() >= 2) m_measure.clear();
    m_measure.push_back(m_scene.projection().screenToPlane(pos));
    Q_EMIT measureChanged(measureText());
    update();
}

QImage CarvedView::renderImage() {
    // A view not shown yet has not fitted itself to its size.
    if (m_scene.isFitted() && m_fitSize != size()) fitToView();
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    m_scene.paint(p, size());
    paintMeasure(p);
    return image;
}

void CarvedView::paintMeasure(QPainter& painter) const {
    if (m_measure.empty()) return;
    const ToolpathProjection& p = m_scene.projection();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink(0x00, 0x6c, 0xd8);
    if (m_measure.size() == 2) {
        const QLineF line(p.toScreen(m_measure[0]), p.toScreen(m_measure[1]));
        painter.setPen(QPen(Qt::white, 4));
        painter.drawLine(line);
        painter.setPen(QPen(ink, 2));
        painter.drawLine(line);
    }
    for (const QPointF& at : m_measure) {
        const QPointF s = p.toScreen(at);
        painter.setPen(QPen(ink, 2));
        painter.setBrush(Qt::white);
        painter.drawEllipse(s, 4, 4);
    }
    painter.restore();
}

void CarvedView::paintEvent(QPaintEvent*) {
    if (m_scene.isFitted() && m_fitSize != size()) fitToView();
    QPainter p(this);
    m_scene.paint(p, size(), m_dragging ? ToolpathScene::Quality::Draft : ToolpathScene::Quality::Full);
    paintMeasure(p);
}

void CarvedView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_scene.isFitted()) {
        fitToView();
    } else if (event->oldSize().isValid()) {
        ToolpathProjection p = m_scene.projection();
        const QSize grown = event->size() - event->oldSize();
        p.panBy(QPointF(grown.width() / 2.0, grown.height() / 2.0));
        m_scene.setProjection(p);
        viewMoved();
    }
}

void CarvedView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    m_pressed = true;
    m_dragging = false;
    m_pressPos = m_lastPos = event->position().toPoint();
}

void CarvedView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    Q_EMIT readoutChanged(readoutAt(pos));
    if (!m_pressed) return;
    if (!m_dragging && (pos - m_pressPos).manhattanLength() < QApplication::startDragDistance()) return;
    m_dragging = true;
    m_scene.panBy(pos - m_lastPos);
    m_lastPos = pos;
    viewMoved();
}

void CarvedView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    if (m_pressed && !m_dragging && m_measuring) placeMeasurePoint(event->position());
    m_pressed = m_dragging = false;
    update();
}

void CarvedView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !m_measuring) fitToView();
}

void CarvedView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) return QWidget::wheelEvent(event);
    m_scene.zoomAbout(event->position(), std::pow(1.2, steps / 120.0));
    viewMoved();
}

void CarvedView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !m_measure.empty()) {
        m_measure.clear();
        Q_EMIT measureChanged(QString());
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CarvedView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Q_EMIT readoutChanged(QString());
}
