#pragma once

#include "core/carve/carve.h"
#include "core/dryrun/dryrun.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>

class PartDocument;

// Runs the document's dry run after every change, off the window's thread: a burst of changes gives
// one run, and a newer change cancels a run in progress, so the window never waits for one. Only the
// newest run's trace is delivered.
class DryRunController : public QObject {
    Q_OBJECT

public:
    explicit DryRunController(PartDocument& document, QObject* parent = nullptr);
    ~DryRunController() override;

    const dryrun::Settings& settings() const { return m_settings; }
    void setSettings(const dryrun::Settings& settings);
    const dryrun::Answers& answers() const { return m_answers; }
    void setAnswers(const dryrun::Answers& answers);
    // The called files are read through this (the disk by default).
    void setLoader(dryrun::Loader loader) { m_loader = std::move(loader); }
    const dryrun::Loader& loader() const { return m_loader; }

    // Runs again once the changes stop coming (after the debounce interval).
    void schedule();
    // Runs now on this thread and delivers the trace before returning (tests, and the job sheet).
    void runNow();
    std::shared_ptr<const dryrun::Trace> trace() const { return m_trace; }
    // The cuts of the trace, for carving it; null without a blank. Set with the trace, before traceReady.
    std::shared_ptr<const carve::Job> carveJob() const { return m_carveJob; }
    bool isBusy() const { return m_running > 0; }

    // How long the changes must rest before a run starts.
    void setDebounce(int ms) { m_debounce.setInterval(ms); }

Q_SIGNALS:
    void traceReady(std::shared_ptr<const dryrun::Trace> trace);
    void busyChanged(bool busy);

private:
    void start();
    // A run and what is carved from it, made together off the window's thread.
    struct Ran {
        std::shared_ptr<const dryrun::Trace> trace;
        std::shared_ptr<const carve::Job> job;
    };
    static Ran ranFrom(dryrun::Trace trace, const std::atomic<bool>* cancel);
    void deliver(quint64 generation, Ran ran);

    PartDocument& m_document;
    dryrun::Settings m_settings;
    dryrun::Answers m_answers;
    dryrun::Loader m_loader;
    QTimer m_debounce;
    // One worker: a cancelled run ends within a few thousand steps, and the next waits for it.
    QThreadPool m_pool;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    quint64 m_generation = 0;
    int m_running = 0;
    std::shared_ptr<const dryrun::Trace> m_trace;
    std::shared_ptr<const carve::Job> m_carveJob;
};
