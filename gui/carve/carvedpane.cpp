#include "gui/carve/carvedpane.h"

#include "gui/carve/carvedsurface.h"
#include "gui/carve/carvedview.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

CarvedPane::CarvedPane(QWidget* parent)
    : QWidget(parent), m_worker(new CarveWorker(this)), m_top(new CarvedView(m_worker, this)),
      m_surface(new CarvedSurface(m_worker, this)), m_stack(new QStackedWidget(this)), m_why(new QLabel(this)),
      m_path(new QCheckBox(tr("Path"), this)), m_measure(new QToolButton(this)), m_preparing(new QLabel(this)),
      m_readout(new QLabel(this)) {
    setObjectName(QStringLiteral("fraCarved"));
    m_why->setObjectName(QStringLiteral("lblNotCarved"));
    m_why->setTextFormat(Qt::PlainText);
    m_why->setWordWrap(true);
    m_why->setAlignment(Qt::AlignCenter);
    m_why->setMargin(20);
    m_stack->addWidget(m_top);
    m_stack->addWidget(m_surface);
    m_stack->addWidget(m_why);
    m_path->setObjectName(QStringLiteral("chkCarvedPath"));
    m_path->setChecked(true);
    m_path->setToolTip(tr("Lay the toolpath over the carved blank"));
    m_measure->setObjectName(QStringLiteral("cmdMeasure"));
    m_measure->setText(tr("Measure"));
    m_measure->setCheckable(true);
    m_measure->setToolTip(tr("Click two points to measure between them; Escape or a third click starts over"));
    m_preparing->setObjectName(QStringLiteral("lblPreparing"));
    m_preparing->setText(tr("Preparing\u2026"));
    m_preparing->setToolTip(tr("The carved blank is being made ready for the scrubber; until then it shows "
                               "the end of the run"));
    m_readout->setObjectName(QStringLiteral("lblCarvedReadout"));
    m_readout->setTextFormat(Qt::PlainText);
    m_readout->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(m_path);
    bar->addWidget(m_measure);
    bar->addWidget(m_readout, 1);
    bar->addWidget(m_preparing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack, 1);
    layout->addLayout(bar);

    connect(m_path, &QCheckBox::toggled, m_top, &CarvedView::setPathShown);
    connect(m_measure, &QToolButton::toggled, m_top, &CarvedView::setMeasuring);
    connect(m_top, &CarvedView::readoutChanged, this, [this](const QString& text) {
        // A measure stays in sight while the pointer moves on.
        if (m_top->measureText().isEmpty()) m_readout->setText(text);
    });
    connect(m_top, &CarvedView::measureChanged, m_readout, &QLabel::setText);
    connect(m_worker, &CarveWorker::scrubberPrepared, this, &CarvedPane::showState);
    connect(m_worker, &CarveWorker::wholeReady, this, &CarvedPane::showState);
    showState();
}

QString CarvedPane::whyNotCarved(const dryrun::Trace* trace) {
    if (!trace) return tr("No dry run yet.");
    const dryrun::Setup& s = trace->setup;
    if (!s.blankX || !s.blankY)
        return tr("Nothing to carve: the program's header gives no blank size, and neither do the dry run's "
                  "Settings\u2026 (Blank X and Blank Y).");
    if (!dryrun::blankTop(s))
        return tr("Nothing to carve: Z is zeroed on the table, and the blank's thickness is not known (give it "
                  "in the header or in Settings\u2026).");
    return {};
}

void CarvedPane::setTrace(std::shared_ptr<const dryrun::Trace> trace, std::shared_ptr<const carve::Job> job,
                          std::size_t budgetBytes) {
    m_trace = std::move(trace);
    m_job = std::move(job);
    m_budget = budgetBytes;
    m_moment = m_trace ? int(m_trace->segments.size()) : 0;
    m_top->setTrace(m_trace);
    if (m_active) m_worker->setJob(m_job, m_budget);
    showState();
}

void CarvedPane::setActive(bool active) {
    if (active == m_active) return;
    m_active = active;
    if (!active) {
        // Nothing carves out of sight; the pictures go with the job.
        m_worker->setJob(nullptr, 0);
        return;
    }
    m_worker->setJob(m_job, m_budget);
    m_worker->setMoment(std::size_t(m_moment));
    m_top->setMoment(m_moment);
    showState();
}

void CarvedPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setActive(true);
}

void CarvedPane::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A window minimized keeps its pictures for when it comes back.
    if (!event->spontaneous()) setActive(false);
}

void CarvedPane::setThreeD(bool threeD) {
    m_threeD = threeD;
    showState();
}

bool CarvedPane::isThreeD() const {
    return m_threeD;
}

void CarvedPane::setMoment(int moment) {
    m_moment = moment;
    m_top->setMoment(moment);
    showState();
}

void CarvedPane::setCurrentLine(dryrun::LineRef line) {
    m_top->setCurrentLine(line);
}

void CarvedPane::showState() {
    const bool carved = m_job != nullptr;
    m_why->setText(carved ? QString() : whyNotCarved(m_trace.get()));
    m_stack->setCurrentWidget(!carved    ? static_cast<QWidget*>(m_why)
                              : m_threeD ? static_cast<QWidget*>(m_surface)
                                         : static_cast<QWidget*>(m_top));
    m_path->setVisible(carved && !m_threeD);
    m_measure->setVisible(carved && !m_threeD);
    if (m_threeD && m_measure->isChecked()) m_measure->setChecked(false);
    m_readout->setVisible(carved);
    m_preparing->setVisible(carved && m_active && !m_worker->atEnd() && !m_worker->scrubberReady());
}

QImage CarvedPane::renderImage() const {
    if (!m_job) return {};
    return m_threeD ? m_surface->renderImage(m_surface->size()) : m_top->renderImage();
}
