#pragma once

#include "core/program/dryrun.h"

#include <memory>
#include <vector>

// Where the tool is and how much time has run after the first n segments of a trace.
class ToolpathTimeline {
public:
    void setTrace(std::shared_ptr<const dryrun::Trace> trace);
    int count() const { return m_trace ? static_cast<int>(m_trace->segments.size()) : 0; }
    // After n segments (clamped to 0..count): the start point of the first one for 0.
    dryrun::Position positionAt(int n) const;
    // Seconds of motion over the first n segments. Timed pauses are in Trace::totalTime but have no
    // place among the segments, so they are not counted here.
    double timeAt(int n) const;

private:
    std::shared_ptr<const dryrun::Trace> m_trace;
    std::vector<double> m_start; // m_start[i]: time when segment i begins; one more for the end
};
