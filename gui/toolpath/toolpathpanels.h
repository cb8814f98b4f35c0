#pragma once

#include "gui/toolpath/toolpathtimeline.h"

#include <QTableWidget>
#include <QWidget>

class QLabel;
class QListWidget;
class QSlider;
class QTimer;
class QToolButton;

// Seconds as h:mm:ss, rounded to the nearest second, and under a minute to the tenth (0:00:07.4);
// the hours grow past 99 as needed.
QString formatRunTime(double seconds);

// A slider over the run, from before the first segment (0) to after the last (the segment count),
// with play, pause and single steps, and where the tool is and how long it has run at that point.
class ToolpathScrubber : public QWidget {
    Q_OBJECT

public:
    explicit ToolpathScrubber(QWidget* parent = nullptr);

    // A new run shows its end.
    void setTrace(std::shared_ptr<const dryrun::Trace> trace);
    void setScrubPosition(int position);
    int scrubPosition() const { return m_position; }
    bool isPlaying() const;
    void setPlaying(bool playing);

Q_SIGNALS:
    void scrubPositionChanged(int position);

private:
    void showPosition();

    ToolpathTimeline m_timeline;
    dryrun::Unit m_unit = dryrun::Unit::Inch;
    bool m_rotary = false; // the run turns A or B
    int m_position = 0;
    QSlider* m_slider;
    QToolButton* m_back;
    QToolButton* m_play;
    QToolButton* m_forward;
    QLabel* m_tool;
    QLabel* m_time;
    QTimer* m_timer;
};

// What the run comes to: time, extent, counts, and the lines it could not simulate, each of which
// can be clicked to reach its line.
class ToolpathSummary : public QWidget {
    Q_OBJECT

public:
    // The list names at most this many lines not simulated, then says how many more there are: a
    // program calling files of thousands of unknown lines must not fill the dock with them.
    static constexpr int NotSimulatedShown = 200;

    explicit ToolpathSummary(QWidget* parent = nullptr);
    void setTrace(std::shared_ptr<const dryrun::Trace> trace);
    // The line whose time is shown; an invalid ref (line 0) shows none.
    void setCurrentLine(dryrun::LineRef line);

Q_SIGNALS:
    void lineActivated(dryrun::LineRef line);

private:
    void showLineTime();

    std::shared_ptr<const dryrun::Trace> m_trace;
    dryrun::LineRef m_line;
    QLabel* m_estimate;
    QLabel* m_lineTime;
    QLabel* m_extent;
    QLabel* m_segments;
    QLabel* m_stops;
    QLabel* m_warnings;
    QLabel* m_note;
    QListWidget* m_notSimulated;
};

// One row per INPUT the run reached: its prompt and variable, and the answer to use, which the
// operator types (a number, or nothing for none).
class InputAnswersTable : public QTableWidget {
    Q_OBJECT

public:
    enum Column { LineColumn, PromptColumn, VariableColumn, AnswerColumn };
    explicit InputAnswersTable(QWidget* parent = nullptr);

    void setTrace(std::shared_ptr<const dryrun::Trace> trace);
    // Fills the answers in: by line first, else by variable, as the run looks them up.
    void setAnswers(const dryrun::Answers& answers);
    // The answers given: those set, with the table's rows by line.
    dryrun::Answers answers() const { return m_answers; }

Q_SIGNALS:
    void answersChanged(const dryrun::Answers& answers);

private:
    void fill();
    dryrun::LineRef lineOf(int row) const;
    void takeRow(int row);
    void showAnswer(int row);

    std::shared_ptr<const dryrun::Trace> m_trace;
    dryrun::Answers m_answers;
    bool m_filling = false;
};
