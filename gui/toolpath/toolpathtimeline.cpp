#include "gui/toolpath/toolpathtimeline.h"

#include <algorithm>

using dryrun::Position;

void ToolpathTimeline::setTrace(std::shared_ptr<const dryrun::Trace> trace) {
    m_trace = std::move(trace);
}

Position ToolpathTimeline::positionAt(int n) const {
    if (count() == 0) return {};
    n = std::clamp(n, 0, count());
    return n == 0 ? m_trace->segments.front().from : m_trace->segments[n - 1].to;
}

double ToolpathTimeline::timeAt(int n) const {
    n = std::clamp(n, 0, count());
    if (n == 0) return 0;
    // The end is the run's own total, so the pauses after the last segment count there too.
    if (n == count()) return m_trace->totalTime;
    const dryrun::Segment& last = m_trace->segments[n - 1];
    return last.startTime + last.time;
}
