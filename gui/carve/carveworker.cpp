#include "gui/carve/carveworker.h"

#include "gui/carve/carverelief.h"

#include <algorithm>
#include <cmath>

namespace carvepictures {

QRectF planeOf(const carve::Grid& g) {
    return QRectF(g.x0, g.y0, g.width * g.cell, g.height * g.cell);
}

std::optional<carve::Grid> regionGrid(const carve::Job& job, const QRectF& visible, double cell,
                                      std::size_t budgetBytes) {
    // Nothing lies beyond the whole field: the blank and the bit's radius around it.
    const QRectF field = planeOf(job.wholeGrid(std::max<std::size_t>(budgetBytes, 1)));
    const QRectF area = visible.normalized().intersected(field);
    if (area.isEmpty() || !(cell > 0)) return std::nullopt;
    carve::Grid grid = carve::Grid::covering(area.left(), area.top(), area.right(), area.bottom(), cell);
    // A region never takes more than a quarter of the budget, whatever the view's size.
    const double most = double(budgetBytes) / 4 / double(carve::BytesPerCell);
    if (double(grid.cells()) > most) {
        const double coarser = cell * std::sqrt(double(grid.cells()) / std::max(most, 1.0)) * 1.001;
        grid = carve::Grid::covering(area.left(), area.top(), area.right(), area.bottom(), coarser);
    }
    return grid;
}

carve::Grid scrubberGrid(const carve::Job& job, std::size_t budgetBytes) {
    constexpr std::size_t MostCells = 2'000'000;
    return job.wholeGrid(std::min(budgetBytes / 8, MostCells * carve::BytesPerCell));
}

CarvedPicture picture(const carve::Job& job, const carve::Field& field, std::size_t moment, int maxSide, bool surface) {
    CarvedPicture p;
    p.relief = reliefImage(job, field, maxSide);
    // The picture's last blocks may reach past the grid: its rectangle is the blocks'.
    const carve::Grid& g = field.grid;
    const double block = g.cell * reliefStep(g, maxSide);
    const double top = g.y0 + g.height * g.cell;
    p.plane = QRectF(g.x0, top - p.relief.height() * block, p.relief.width() * block, p.relief.height() * block);
    p.moment = moment;
    if (!surface) return p;
    // The surface: blocks of cells, each its lowest.
    const int step = std::max(1, int(std::ceil(double(std::max(g.width, g.height)) / SurfaceCells)));
    carve::Grid s = g;
    s.cell = g.cell * step;
    s.width = (g.width + step - 1) / step;
    s.height = (g.height + step - 1) / step;
    p.surface.grid = s;
    p.surface.z.assign(s.cells(), 0.0f);
    for (int bj = 0; bj < s.height; ++bj)
        for (int bi = 0; bi < s.width; ++bi) {
            float low = std::numeric_limits<float>::max();
            for (int j = bj * step; j < std::min(g.height, (bj + 1) * step); ++j)
                for (int i = bi * step; i < std::min(g.width, (bi + 1) * step); ++i)
                    low = std::min(low, field.at(i, j));
            p.surface.z[std::size_t(bj) * s.width + bi] = low;
        }
    return p;
}

} // namespace carvepictures

CarveWorker::CarveWorker(QObject* parent) : QObject(parent) {
    m_wholePool.setMaxThreadCount(1);
    m_regionPool.setMaxThreadCount(1);
}

CarveWorker::~CarveWorker() {
    cancelAll();
}

void CarveWorker::cancelAll() {
    if (m_wholeCancel) m_wholeCancel->store(true);
    cancelRegion();
}

void CarveWorker::setJob(std::shared_ptr<const carve::Job> job, std::size_t budgetBytes) {
    cancelAll();
    ++m_generation;
    ++m_regionGeneration;
    m_job = std::move(job);
    m_budget = budgetBytes;
    m_end = m_whole = {};
    m_scrubber.reset();
    m_frameRunning = false;
    m_moment = carve::AllDone;
    if (!m_job) return;
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_wholeCancel = cancel;
    const quint64 generation = m_generation;
    m_wholePool.start([this, job = m_job, budgetBytes, cancel, generation] {
        std::optional<carve::Field> field =
            carve::carve(*job, job->wholeGrid(budgetBytes), carve::AllDone, cancel.get());
        if (!field) return;
        CarvedPicture end = carvepictures::picture(*job, *field, carve::AllDone, carvepictures::WholeSide);
        field.reset(); // the scrubber's checkpoints take the budget next
        QMetaObject::invokeMethod(
            this,
            [this, end = std::move(end), generation] {
                if (generation != m_generation) return;
                // The end shows at once, whatever the moment: the scrubber is not ready before it.
                m_whole = m_end = end;
                Q_EMIT wholeReady();
            },
            Qt::QueuedConnection);
        auto scrubber =
            std::make_shared<carve::Scrubber>(job, carvepictures::scrubberGrid(*job, budgetBytes), budgetBytes);
        if (!scrubber->prepare(cancel.get())) return;
        QMetaObject::invokeMethod(
            this,
            [this, scrubber, generation] {
                if (generation != m_generation) return;
                m_scrubber = scrubber;
                Q_EMIT scrubberPrepared();
                if (!atEnd()) startFrame();
            },
            Qt::QueuedConnection);
    });
}

void CarveWorker::setMoment(std::size_t moment) {
    m_moment = moment;
    if (!m_job) return;
    if (atEnd() || !m_scrubber) {
        // The end, or the scrubber still preparing: the end shows.
        if (m_end.valid() && m_whole.moment != m_end.moment) {
            m_whole = m_end;
            Q_EMIT wholeReady();
        }
        return;
    }
    if (!m_frameRunning) startFrame();
}

void CarveWorker::startFrame() {
    // One frame at a time; when it comes back, the newest moment asked for is carved next.
    m_frameRunning = true;
    const std::size_t moment = m_moment;
    const quint64 generation = m_generation;
    auto cancel = m_wholeCancel;
    m_wholePool.start([this, job = m_job, scrubber = m_scrubber, moment, cancel, generation] {
        const carve::Field* field = scrubber->at(moment, cancel.get());
        if (!field) return;
        CarvedPicture frame = carvepictures::picture(*job, *field, moment);
        QMetaObject::invokeMethod(
            this,
            [this, frame = std::move(frame), generation] {
                if (generation != m_generation) return;
                m_frameRunning = false;
                if (atEnd()) return setMoment(m_moment);
                m_whole = frame;
                Q_EMIT wholeReady();
                if (m_moment != frame.moment) startFrame();
            },
            Qt::QueuedConnection);
    });
}

void CarveWorker::cancelRegion() {
    if (m_regionCancel) m_regionCancel->store(true);
    m_regionCancel.reset();
    ++m_regionGeneration;
}

void CarveWorker::requestRegion(const carve::Grid& grid, std::size_t moment) {
    cancelRegion();
    if (!m_job) return;
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_regionCancel = cancel;
    const quint64 generation = m_regionGeneration;
    m_regionPool.start([this, job = m_job, grid, moment, cancel, generation] {
        std::optional<carve::Field> field = carve::carve(*job, grid, moment, cancel.get());
        if (!field) {
            ++m_regionsCancelled;
            return;
        }
        CarvedPicture region = carvepictures::picture(*job, *field, moment, 0, false);
        QMetaObject::invokeMethod(
            this,
            [this, region = std::move(region), generation] {
                if (generation == m_regionGeneration) Q_EMIT regionReady(region);
            },
            Qt::QueuedConnection);
    });
}
