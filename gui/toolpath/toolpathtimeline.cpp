#include "gui/toolpath/toolpathtimeline.h"

#include <algorithm>

using dryrun::Position;

void ToolpathTimeline::setTrace(std::shared_ptr<const dryrun::Trace> trace) {
    m_trace = std::move(trace);
    m_start.assign(1, 0.0);
    if (!m_trace) return;
    m_start.reserve(m_trace->segments.size() + 1);
    for (const dryrun::Segment& s : m_trace->segments)
        m_start.push_back(m_start.back() + s.time);
}

Position ToolpathTimeline::positionAt(int n) const {
    if (count() == 0) return {};
    n = std::clamp(n, 0, count());
    return n == 0 ? m_trace->segments.front().from : m_trace->segments[n - 1].to;
}

double ToolpathTimeline::timeAt(int n) const {
    return m_start[std::clamp(n, 0, count())];
}
