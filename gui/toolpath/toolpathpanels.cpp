#include "gui/toolpath/toolpathpanels.h"

#include "core/numberbox.h"
#include "gui/plaintext.h"
#include "gui/toolpath/measuretext.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <cmath>

QString formatRunTime(double seconds) {
    // Bounded so the rounding to an integer stays defined; no run takes thirty thousand years.
    const double bounded = std::isfinite(seconds) && seconds > 0 ? std::min(seconds, 1e12) : 0;
    // Under a minute a tenth tells short lines and runs apart.
    if (const qint64 tenths = std::llround(bounded * 10); tenths < 600)
        return QStringLiteral("0:00:%1.%2").arg(tenths / 10, 2, 10, QLatin1Char('0')).arg(tenths % 10);
    const qint64 total = std::llround(bounded);
    return QStringLiteral("%1:%2:%3")
        .arg(total / 3600)
        .arg(total / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(total % 60, 2, 10, QLatin1Char('0'));
}

namespace {

QString fileAndLine(const dryrun::Trace& trace, dryrun::LineRef line) {
    const QString file = trace.files.value(line.file);
    const QString name = QFileInfo(file).fileName();
    return ToolpathSummary::tr("%1, line %2").arg(name.isEmpty() ? file : name).arg(line.line);
}

// Numbers by the rule of every number box, or nothing: an emptied cell takes the answer away, so
// Enter must accept it too.
class AnswerValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& text, int&) const override {
        if (text.trimmed().isEmpty() || numberbox::read(text)) return Acceptable;
        return numberbox::couldBecome(text) ? Intermediate : Invalid;
    }
};

// The answer cell's editor takes numbers only.
class AnswerDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("txtAnswer"));
        edit->setValidator(new AnswerValidator(edit));
        return edit;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        auto* edit = static_cast<QLineEdit*>(editor);
        if (edit->hasAcceptableInput()) model->setData(index, edit->text().trimmed());
    }
};

} // namespace

ToolpathScrubber::ToolpathScrubber(QWidget* parent)
    : QWidget(parent), m_slider(new QSlider(Qt::Horizontal, this)), m_back(new QToolButton(this)),
      m_play(new QToolButton(this)), m_forward(new QToolButton(this)), m_tool(new QLabel(this)),
      m_time(new QLabel(this)), m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("fraScrubber"));
    m_slider->setObjectName(QStringLiteral("sldScrub"));
    m_slider->setToolTip(tr("Where in the run the tool is shown"));
    m_back->setObjectName(QStringLiteral("cmdStepBack"));
    m_back->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    m_back->setText(tr("Step back"));
    m_back->setToolTip(tr("Step back one segment"));
    m_back->setAutoRepeat(true);
    m_play->setObjectName(QStringLiteral("cmdPlay"));
    m_play->setCheckable(true);
    m_play->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_play->setText(tr("Play"));
    m_play->setToolTip(tr("Play the run"));
    m_forward->setObjectName(QStringLiteral("cmdStepForward"));
    m_forward->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    m_forward->setText(tr("Step forward"));
    m_forward->setToolTip(tr("Step forward one segment"));
    m_forward->setAutoRepeat(true);
    m_tool->setObjectName(QStringLiteral("lblToolPosition"));
    m_tool->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_tool->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_tool->setToolTip(tr("Where the tool is at this point of the run"));
    m_time->setObjectName(QStringLiteral("lblRunTime"));
    m_time->setToolTip(tr("Time run up to this point, timed pauses included"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_play);
    buttons->addWidget(m_forward);
    buttons->addWidget(m_slider, 1);
    auto* readout = new QHBoxLayout;
    readout->addWidget(m_tool, 1);
    readout->addWidget(m_time);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addLayout(readout);

    // A whole run plays in about twenty seconds, whatever its length.
    m_timer->setInterval(40);
    connect(m_timer, &QTimer::timeout, this, [this] {
        const int step = std::max(1, m_timeline.count() / 500);
        setScrubPosition(m_position + step);
        if (m_position >= m_timeline.count()) setPlaying(false);
    });
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) { setScrubPosition(value); });
    connect(m_back, &QToolButton::clicked, this, [this] { setScrubPosition(m_position - 1); });
    connect(m_forward, &QToolButton::clicked, this, [this] { setScrubPosition(m_position + 1); });
    connect(m_play, &QToolButton::toggled, this, [this](bool on) { setPlaying(on); });
    setTrace(nullptr);
}

void ToolpathScrubber::setTrace(std::shared_ptr<const dryrun::Trace> trace) {
    setPlaying(false);
    m_unit = trace ? trace->setup.unit : dryrun::Unit::Inch;
    m_rotary = trace && std::any_of(trace->segments.begin(), trace->segments.end(), [](const dryrun::Segment& s) {
                   return s.from.a != 0 || s.from.b != 0 || s.to.a != 0 || s.to.b != 0;
               });
    m_timeline.setTrace(std::move(trace));
    const int count = m_timeline.count();
    m_position = count;
    {
        const QSignalBlocker quiet(m_slider);
        m_slider->setRange(0, count);
        m_slider->setPageStep(std::max(1, count / 20));
        m_slider->setValue(count);
    }
    for (QWidget* w : {static_cast<QWidget*>(m_slider), static_cast<QWidget*>(m_back), static_cast<QWidget*>(m_play),
                       static_cast<QWidget*>(m_forward)})
        w->setEnabled(count > 0);
    showPosition();
}

void ToolpathScrubber::setScrubPosition(int position) {
    position = std::clamp(position, 0, m_timeline.count());
    if (position == m_position) return;
    m_position = position;
    {
        const QSignalBlocker quiet(m_slider);
        m_slider->setValue(position);
    }
    showPosition();
    Q_EMIT scrubPositionChanged(position);
}

bool ToolpathScrubber::isPlaying() const {
    return m_timer->isActive();
}

void ToolpathScrubber::setPlaying(bool playing) {
    if (playing && m_timeline.count() == 0) playing = false;
    if (playing && !m_timer->isActive()) {
        // Play from the start when already at the end.
        if (m_position >= m_timeline.count()) setScrubPosition(0);
        m_timer->start();
    } else if (!playing) {
        m_timer->stop();
    }
    const QSignalBlocker quiet(m_play);
    m_play->setChecked(playing);
    m_play->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_play->setText(playing ? tr("Pause") : tr("Play"));
    m_play->setToolTip(playing ? tr("Pause") : tr("Play the run"));
}

void ToolpathScrubber::showPosition() {
    if (m_timeline.count() == 0) {
        m_tool->setText(tr("No moves"));
        m_time->setText(formatRunTime(0));
        return;
    }
    const dryrun::Position p = m_timeline.positionAt(m_position);
    const auto n = [this](double v) { return measuretext::length(v, m_unit); };
    QString text = QStringLiteral("X %1  Y %2  Z %3").arg(n(p.x), n(p.y), n(p.z));
    // A and B only where the run turns them: most jobs have three axes, and the dock is narrow.
    if (m_rotary) text += QStringLiteral("  A %1  B %2").arg(n(p.a), n(p.b));
    m_tool->setText(text);
    m_time->setText(formatRunTime(m_timeline.timeAt(m_position)));
}

ToolpathSummary::ToolpathSummary(QWidget* parent)
    : QWidget(parent), m_estimate(new QLabel(this)), m_lineTime(new QLabel(this)), m_extent(new QLabel(this)),
      m_segments(new QLabel(this)), m_stops(new QLabel(this)), m_warnings(new QLabel(this)), m_note(new QLabel(this)),
      m_notSimulated(new QListWidget(this)) {
    setObjectName(QStringLiteral("fraSummary"));
    m_estimate->setObjectName(QStringLiteral("lblEstimate"));
    m_lineTime->setObjectName(QStringLiteral("lblLineTime"));
    m_lineTime->setToolTip(tr("Time the current line takes over the whole run, each pass of a loop and its timed "
                              "pauses included (h:mm:ss)"));
    m_extent->setObjectName(QStringLiteral("lblExtent"));
    m_extent->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_segments->setObjectName(QStringLiteral("lblSegmentCount"));
    m_stops->setObjectName(QStringLiteral("lblStopCount"));
    m_stops->setToolTip(tr("How often the run stops for the operator (PAUSE and INPUT)"));
    m_warnings->setObjectName(QStringLiteral("lblWarningCount"));
    m_warnings->setToolTip(tr("The warnings are listed in Problems"));
    m_note->setObjectName(QStringLiteral("lblRunNote"));
    m_note->setWordWrap(true);
    m_notSimulated->setObjectName(QStringLiteral("lstNotSimulated"));
    m_notSimulated->setToolTip(tr("Lines the dry run could not simulate; click one to go to it"));
    m_notSimulated->setMaximumHeight(90);

    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("Estimated time:"), m_estimate);
    form->addRow(tr("Current line:"), m_lineTime);
    form->addRow(tr("Extent:"), m_extent);
    form->addRow(tr("Segments:"), m_segments);
    form->addRow(tr("Stops:"), m_stops);
    form->addRow(tr("Warnings:"), m_warnings);
    form->addRow(m_note);
    form->addRow(tr("Not simulated:"), m_notSimulated);

    const auto activate = [this](QListWidgetItem* item) {
        if (!item->data(Qt::UserRole).isValid()) return; // the line that counts the rest
        Q_EMIT lineActivated({item->data(Qt::UserRole).toInt(), item->data(Qt::UserRole + 1).toInt()});
    };
    connect(m_notSimulated, &QListWidget::itemClicked, this, activate);
    connect(m_notSimulated, &QListWidget::itemActivated, this, activate);
    setTrace(nullptr);
}

void ToolpathSummary::setCurrentLine(dryrun::LineRef line) {
    m_line = line;
    showLineTime();
}

void ToolpathSummary::showLineTime() {
    if (!m_trace || m_line.line <= 0) {
        m_lineTime->setText(QStringLiteral("-"));
        return;
    }
    m_lineTime->setText(
        tr("%1: %2").arg(fileAndLine(*m_trace, m_line), formatRunTime(m_trace->timePerLine.value(m_line))));
}

void ToolpathSummary::setTrace(std::shared_ptr<const dryrun::Trace> trace) {
    m_notSimulated->clear();
    m_trace = trace;
    showLineTime();
    if (!trace) {
        for (QLabel* l : {m_estimate, m_extent, m_segments, m_stops, m_warnings})
            l->setText(QStringLiteral("-"));
        m_note->hide();
        return;
    }
    const dryrun::Trace& t = *trace;
    m_estimate->setText(formatRunTime(t.totalTime));
    if (t.extent.empty) {
        m_extent->setText(tr("none"));
    } else {
        const auto range = [&t](const QString& axis, const dryrun::Range& r) {
            return tr("%1 %2").arg(axis, measuretext::range(r, t.setup.unit));
        };
        m_extent->setText(range(QStringLiteral("X"), t.extent.x) + u'\n' + range(QStringLiteral("Y"), t.extent.y) +
                          u'\n' + range(QStringLiteral("Z"), t.extent.z));
    }
    m_segments->setText(QString::number(t.segments.size()));
    m_stops->setText(QString::number(t.stopCount()));
    m_warnings->setText(QString::number(t.warnings.size()));
    QStringList notes;
    if (t.cancelled) notes << tr("This run was cut short by a newer one; it shows what was done so far.");
    if (t.stepLimitReached) notes << tr("The run stopped at the step limit; the estimate covers what ran.");
    m_note->setText(notes.join(u'\n'));
    m_note->setVisible(!notes.isEmpty());
    const qsizetype shown = std::min<qsizetype>(t.notSimulated.size(), NotSimulatedShown);
    for (qsizetype i = 0; i < shown; ++i) {
        const dryrun::Note& n = t.notSimulated[i];
        auto* item = new QListWidgetItem(tr("%1: %2").arg(fileAndLine(t, n.source), n.text), m_notSimulated);
        item->setData(Qt::UserRole, n.source.file);
        item->setData(Qt::UserRole + 1, n.source.line);
    }
    if (const qsizetype rest = t.notSimulated.size() - shown; rest > 0) {
        auto* more =
            new QListWidgetItem(tr("\u2026 and %n more lines not simulated", nullptr, int(rest)), m_notSimulated);
        more->setFlags(Qt::ItemIsEnabled);
    }
}

InputAnswersTable::InputAnswersTable(QWidget* parent) : QTableWidget(0, 4, parent) {
    setObjectName(QStringLiteral("tblInputAnswers"));
    setHorizontalHeaderLabels({tr("Line"), tr("Prompt"), tr("Variable"), tr("Answer")});
    horizontalHeader()->setSectionResizeMode(PromptColumn, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(LineColumn, QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(VariableColumn, QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(AnswerColumn, QHeaderView::Fixed);
    horizontalHeader()->resizeSection(AnswerColumn, 70);
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setItemDelegateForColumn(AnswerColumn, new AnswerDelegate(this));
    setToolTip(tr("Answers the dry run gives to INPUT lines; type a number, or clear it for none"));
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (m_filling || item->column() != AnswerColumn) return;
        takeRow(item->row());
        m_filling = true;
        showAnswer(item->row());
        m_filling = false;
        Q_EMIT answersChanged(m_answers);
    });
}

void InputAnswersTable::setTrace(std::shared_ptr<const dryrun::Trace> trace) {
    m_trace = std::move(trace);
    fill();
}

void InputAnswersTable::setAnswers(const dryrun::Answers& answers) {
    m_answers = answers;
    fill();
}

dryrun::LineRef InputAnswersTable::lineOf(int row) const {
    const QTableWidgetItem* line = item(row, LineColumn);
    return {line->data(Qt::UserRole).toInt(), line->data(Qt::UserRole + 1).toInt()};
}

void InputAnswersTable::takeRow(int row) {
    if (const std::optional<double> value = numberbox::read(item(row, AnswerColumn)->text()))
        m_answers.byLine.insert(lineOf(row), *value);
    else
        m_answers.byLine.remove(lineOf(row));
}

void InputAnswersTable::showAnswer(int row) {
    // What the run will use: the line's own answer, else the variable's, shown greyed as not typed here.
    const dryrun::LineRef line = lineOf(row);
    const QString variable = item(row, VariableColumn)->text();
    QTableWidgetItem* answer = item(row, AnswerColumn);
    const bool own = m_answers.byLine.contains(line);
    const bool shared = !own && m_answers.byVariable.contains(variable);
    const double value = own ? m_answers.byLine.value(line) : m_answers.byVariable.value(variable);
    answer->setText(own || shared ? numberbox::text(value) : QString());
    answer->setForeground(shared ? palette().brush(QPalette::Disabled, QPalette::Text)
                                 : palette().brush(QPalette::Text));
    QStringList tip;
    if (shared) tip << tr("The answer for %1, wherever it is asked").arg(variable);
    const QVariant used = answer->data(Qt::UserRole);
    if (used.isValid()) tip << tr("The run used %1").arg(numberbox::text(used.toDouble()));
    answer->setToolTip(plainToolTip(tip.join(u'\n')));
}

void InputAnswersTable::fill() {
    m_filling = true;
    setRowCount(0);
    if (m_trace) {
        for (const dryrun::Stop& s : m_trace->stops) {
            if (s.kind != dryrun::Stop::Kind::Input) continue;
            const int row = rowCount();
            insertRow(row);
            // The part file's own lines by number alone, so the answers stay in sight in a narrow dock.
            auto* line = new QTableWidgetItem(s.source.file == 0 ? QString::number(s.source.line)
                                                                 : fileAndLine(*m_trace, s.source));
            line->setToolTip(plainToolTip(fileAndLine(*m_trace, s.source)));
            line->setData(Qt::UserRole, s.source.file);
            line->setData(Qt::UserRole + 1, s.source.line);
            auto* prompt = new QTableWidgetItem(s.prompt);
            prompt->setToolTip(plainToolTip(s.prompt));
            auto* variable = new QTableWidgetItem(s.variable);
            for (QTableWidgetItem* i : {line, prompt, variable})
                i->setFlags(i->flags() & ~Qt::ItemIsEditable);
            auto* answer = new QTableWidgetItem;
            if (s.answered) answer->setData(Qt::UserRole, s.answer);
            setItem(row, LineColumn, line);
            setItem(row, PromptColumn, prompt);
            setItem(row, VariableColumn, variable);
            setItem(row, AnswerColumn, answer);
            showAnswer(row);
        }
    }
    m_filling = false;
}
