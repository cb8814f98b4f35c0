#pragma once

#include "core/dryrun/dryrun.h"

#include <memory>

// Where the tool is and how much time has run after the first n segments of a trace.
class ToolpathTimeline {
public:
    void setTrace(std::shared_ptr<const dryrun::Trace> trace);
    int count() const { return m_trace ? static_cast<int>(m_trace->segments.size()) : 0; }
    // After n segments (clamped to 0..count): the start point of the first one for 0.
    dryrun::Position positionAt(int n) const;
    // Seconds run when the nth segment ends (clamped to 0..count), timed pauses before it included:
    // 0 before the first, Trace::totalTime after the last.
    double timeAt(int n) const;

private:
    std::shared_ptr<const dryrun::Trace> m_trace;
};
