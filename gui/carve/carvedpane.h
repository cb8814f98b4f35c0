#pragma once

#include "core/dryrun/dryrun.h"
#include "gui/carve/carveworker.h"

#include <QWidget>

class CarvedSurface;
class CarvedView;
class QCheckBox;
class QLabel;
class QStackedWidget;
class QToolButton;

// The Toolpath dock's carved mode: the carved blank from the top or in 3D, with the path laid over it
// or not, Measure, and the readout of the pointer's place and depth of cut. Without a blank it says
// why. It carves only while it is shown: a run the operator does not look at (another view chosen, the
// dock closed) costs nothing.
class CarvedPane : public QWidget {
    Q_OBJECT

public:
    explicit CarvedPane(QWidget* parent = nullptr);

    void setTrace(std::shared_ptr<const dryrun::Trace> trace, std::shared_ptr<const carve::Job> job,
                  std::size_t budgetBytes);
    void setThreeD(bool threeD);
    bool isThreeD() const;
    void setMoment(int moment);
    void setCurrentLine(dryrun::LineRef line);

    // Why nothing is carved; empty when there is a blank.
    static QString whyNotCarved(const dryrun::Trace* trace);
    // The picture as shown, for Export; null when nothing is carved.
    QImage renderImage() const;

    CarveWorker* worker() const { return m_worker; }
    CarvedView* topView() const { return m_top; }
    CarvedSurface* surface() const { return m_surface; }
    QLabel* readout() const { return m_readout; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Carving while shown (the dock open on a carved view), nothing while not.
    void setActive(bool active);
    void showState();

    CarveWorker* m_worker;
    CarvedView* m_top;
    CarvedSurface* m_surface;
    QStackedWidget* m_stack;
    QLabel* m_why;
    QCheckBox* m_path;
    QToolButton* m_measure;
    QLabel* m_preparing;
    QLabel* m_readout;
    std::shared_ptr<const dryrun::Trace> m_trace;
    std::shared_ptr<const carve::Job> m_job;
    std::size_t m_budget = 0;
    bool m_active = false;
    bool m_threeD = false;
    int m_moment = 0;
};
