#include "gui/toolpath/dryruncontroller.h"

#include "core/partfile/partfile.h"
#include "gui/document/partdocument.h"

#include <QFileInfo>
#include <QPointer>

DryRunController::DryRunController(PartDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_loader(dryrun::fileLoader()) {
    m_pool.setMaxThreadCount(1);
    m_debounce.setSingleShot(true);
    m_debounce.setInterval(250);
    connect(&m_debounce, &QTimer::timeout, this, &DryRunController::start);
    connect(&document, &PartDocument::changed, this, &DryRunController::schedule);
    connect(&document, &PartDocument::filePathChanged, this, &DryRunController::schedule);
}

DryRunController::~DryRunController() {
    if (m_cancel) *m_cancel = true;
    m_pool.clear();
    m_pool.waitForDone();
}

void DryRunController::setSettings(const dryrun::Settings& settings) {
    m_settings = settings;
    schedule();
}

void DryRunController::setAnswers(const dryrun::Answers& answers) {
    m_answers = answers;
    schedule();
}

void DryRunController::schedule() {
    // The run in progress is of an older program: stop it now rather than after the pause.
    if (m_cancel) *m_cancel = true;
    m_debounce.start();
}

namespace {

dryrun::Program programOf(const PartDocument& document) {
    const QString name = document.fileName().isEmpty() ? QStringLiteral("untitled.cvp") : document.fileName();
    return partfile::dryRunProgram(document.model(), document.kept(), name, document.folder());
}

} // namespace

void DryRunController::runNow() {
    m_debounce.stop();
    if (m_cancel) *m_cancel = true;
    ++m_generation;
    deliver(m_generation,
            ranFrom(dryrun::run(programOf(m_document), m_settings, m_answers, m_loader, nullptr), nullptr));
}

void DryRunController::start() {
    // Everything the run needs is copied now: the worker never touches the document.
    const quint64 generation = ++m_generation;
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_cancel = cancel;
    if (m_running++ == 0) Q_EMIT busyChanged(true);
    QPointer<DryRunController> self(this);
    m_pool.start([self, generation, cancel, program = programOf(m_document), settings = m_settings, answers = m_answers,
                  loader = m_loader] {
        Ran ran = ranFrom(dryrun::run(program, settings, answers, loader, cancel.get()), cancel.get());
        // The controller waits for this worker before it goes, so self is valid here; the delivery
        // runs on the window's thread.
        QMetaObject::invokeMethod(
            self.data(),
            [self, generation, ran] {
                if (!self) return;
                if (--self->m_running == 0) Q_EMIT self->busyChanged(false);
                self->deliver(generation, ran);
            },
            Qt::QueuedConnection);
    });
}

DryRunController::Ran DryRunController::ranFrom(dryrun::Trace trace, const std::atomic<bool>* cancel) {
    // The checks that need the carved blank join the run's own warnings.
    std::shared_ptr<const carve::Job> job = carve::Job::fromTrace(trace);
    if (job) carve::checkRapids(*job, trace, cancel);
    if (cancel && *cancel) trace.cancelled = true;
    return Ran{std::make_shared<const dryrun::Trace>(std::move(trace)), std::move(job)};
}

void DryRunController::deliver(quint64 generation, Ran ran) {
    // A newer run has started (or is due) since: this one is already out of date.
    if (generation != m_generation || ran.trace->cancelled) return;
    m_trace = std::move(ran.trace);
    m_carveJob = std::move(ran.job);
    Q_EMIT traceReady(m_trace);
}
