#pragma once

#include "core/carve/carve.h"

#include <QImage>
#include <QObject>
#include <QRectF>
#include <QThreadPool>

#include <atomic>
#include <memory>

// A picture of the carved blank and what it was made from: the relief (one pixel a cell, or fewer for
// a very large field), the rectangle of the plane it covers, the moment it shows, and (of the whole
// blank) a small field for the 3D surface (at most SurfaceCells a side, each cell the lowest of those it stands for, so
// a narrow groove stays in it).
struct CarvedPicture {
    QImage relief;
    QRectF plane;
    std::size_t moment = carve::AllDone;
    carve::Field surface;
    bool valid() const { return !relief.isNull(); }
};

namespace carvepictures {

inline constexpr int SurfaceCells = 400;
// The largest relief kept of the whole blank, a side: the window shows it scaled, and a zoomed view
// gets its sharp region anyway.
inline constexpr int WholeSide = 2048;

// The grid of the visible plane rectangle at cell (one cell a device pixel), within the job's whole
// field; coarsened when it would take more than a quarter of the budget. Nothing when the rectangle
// misses the field.
std::optional<carve::Grid> regionGrid(const carve::Job& job, const QRectF& visible, double cell,
                                      std::size_t budgetBytes);
// The whole blank's grid for the scrubber: coarse enough that checkpoints fit the budget beside it
// and that a step draws quickly (at most about two million cells).
carve::Grid scrubberGrid(const carve::Job& job, std::size_t budgetBytes);
// The relief of a field (at most maxSide pixels a side, when given) and its small field for 3D.
CarvedPicture picture(const carve::Job& job, const carve::Field& field, std::size_t moment, int maxSide = 0,
                      bool surface = true);
// The plane rectangle a grid covers.
QRectF planeOf(const carve::Grid& grid);

} // namespace carvepictures

// Carves off the window's thread: the whole blank at the budget's cell for the end of the run, then a
// scrubber over the whole blank for the other moments, and any region (a zoomed view at one cell a
// pixel). A newer request cancels an older one of its kind, and only the newest is delivered.
class CarveWorker : public QObject {
    Q_OBJECT

public:
    explicit CarveWorker(QObject* parent = nullptr);
    ~CarveWorker() override;

    // A new job (null: nothing to carve) with the budget it is carved within.
    void setJob(std::shared_ptr<const carve::Job> job, std::size_t budgetBytes);
    const std::shared_ptr<const carve::Job>& job() const { return m_job; }
    std::size_t budgetBytes() const { return m_budget; }

    // The whole blank after moment segments: the end from the budget's field, another moment from the
    // scrubber once it is prepared (until then the end shows).
    void setMoment(std::size_t moment);
    std::size_t moment() const { return m_moment; }
    bool atEnd() const { return !m_job || m_moment >= m_job->segmentCount(); }
    bool scrubberReady() const { return m_scrubber != nullptr; }
    // The newest whole-blank picture delivered (invalid until the first).
    const CarvedPicture& whole() const { return m_whole; }

    // Carves grid at moment, cancelling the region under way.
    void requestRegion(const carve::Grid& grid, std::size_t moment);
    void cancelRegion();
    // Regions whose carve was cancelled before it ended.
    int regionsCancelled() const { return m_regionsCancelled.load(); }

Q_SIGNALS:
    void wholeReady();
    void scrubberPrepared();
    void regionReady(const CarvedPicture& picture);

private:
    void startFrame();
    void cancelAll();

    std::shared_ptr<const carve::Job> m_job;
    std::size_t m_budget = 0;
    std::size_t m_moment = carve::AllDone;
    quint64 m_generation = 0; // of the job
    quint64 m_regionGeneration = 0;
    CarvedPicture m_end;
    CarvedPicture m_whole;
    std::shared_ptr<carve::Scrubber> m_scrubber;
    bool m_frameRunning = false;
    std::shared_ptr<std::atomic<bool>> m_wholeCancel;
    std::shared_ptr<std::atomic<bool>> m_regionCancel;
    std::atomic<int> m_regionsCancelled{0};
    // One thread each: the whole blank and its scrubber frames in turn (the scrubber is not for two
    // threads at once), and the regions (a cancelled one ends within milliseconds; carve shares the
    // work among the cores itself). Last, so they wait for their tasks before the rest goes.
    QThreadPool m_wholePool;
    QThreadPool m_regionPool;
};
