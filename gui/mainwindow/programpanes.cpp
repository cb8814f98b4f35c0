#include "gui/mainwindow/programpanes.h"

#include "core/language/commandkinds.h"
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "core/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QToolTip>
#include <QTreeWidget>

#include <algorithm>

// The line-number margin left of the text.
class ProgramTextView::Margin : public QWidget {
public:
    explicit Margin(ProgramTextView* view) : QWidget(view), m_view(view) {}
    QSize sizeHint() const override { return {m_view->marginWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { m_view->paintMargin(event); }

private:
    ProgramTextView* m_view;
};

ProgramTextView::ProgramTextView(QWidget* parent) : QPlainTextEdit(parent), m_margin(new Margin(this)) {
    setObjectName(QStringLiteral("programText"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(marginWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            m_margin->scroll(0, dy);
        else
            m_margin->update(0, rect.y(), m_margin->width(), rect.height());
    });
    setViewportMargins(marginWidth(), 0, 0, 0);
}

int ProgramTextView::marginWidth() const {
    const qint64 last = m_lastLine > 0 ? m_lastLine : blockCount();
    const int digits = static_cast<int>(QString::number(std::max<qint64>(1, last)).size());
    return 8 + fontMetrics().horizontalAdvance(u'9') * digits;
}

void ProgramTextView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect r = contentsRect();
    m_margin->setGeometry(r.left(), r.top(), marginWidth(), r.height());
}

void ProgramTextView::paintMargin(QPaintEvent* event) {
    QPainter p(m_margin);
    p.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    p.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF g = blockBoundingGeometry(b).translated(contentOffset());
        if (g.top() > event->rect().bottom()) break;
        const qint64 number = m_fileLines.value(b.blockNumber(), 0);
        if (number > 0)
            p.drawText(QRectF(0, g.top(), m_margin->width() - 4, g.height()), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(number));
    }
}

void ProgramTextView::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    // The three blanks before an inline comment, made visible; the text itself keeps the blanks.
    QPainter p(viewport());
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::Disabled, QPalette::Text).lighter(130));
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF g = blockBoundingGeometry(b).translated(contentOffset());
        if (g.top() > event->rect().bottom()) break;
        const int gap = m_gapAt.value(b.blockNumber(), -1);
        if (gap < 0 || !b.layout()) continue;
        for (int pos = gap; pos < gap + 3; ++pos) {
            const QTextLine line = b.layout()->lineForTextPosition(pos);
            if (!line.isValid()) continue;
            const qreal x = (line.cursorToX(pos) + line.cursorToX(pos + 1)) / 2;
            p.drawEllipse(QPointF(g.left() + x, g.top() + line.y() + line.height() / 2), 1.5, 1.5);
        }
    }
}

bool ProgramTextView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int line = cursorForPosition(help->pos()).blockNumber();
        const QString path = m_calledFiles.value(line);
        if (path.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(),
                               QStringLiteral("<pre>") + firstLinesOf(path).toHtmlEscaped() + QStringLiteral("</pre>"),
                               viewport());
        return true;
    }
    return QPlainTextEdit::viewportEvent(event);
}

void ProgramTextView::showProgram(const ProgramModel& program, const QString& folder, int currentRow) {
    const QStringList written = partfile::programLines(program);
    const QList<checker::Line> lines = checker::linesOf(program);
    QStringList shown;
    m_fileLines.clear();
    qint64 number = 0;
    // A kept block whole, or its first and last lines with the count of those between.
    const auto addBlock = [&](const partfile::KeptText::Block& block) {
        for (const QString& line : block.first) {
            shown << line;
            m_fileLines << ++number;
        }
        if (block.skipped() > 0) {
            shown << tr("\u2026 %1 lines \u2026").arg(block.skipped());
            m_fileLines << 0;
            number += block.skipped();
        }
        for (const QString& line : block.last) {
            shown << line;
            m_fileLines << ++number;
        }
    };
    addBlock(m_kept.head);
    if (!m_kept.error.isEmpty() && (m_kept.head.lines > 0 || m_kept.tail.lines > 0)) {
        shown << m_kept.error;
        m_fileLines << 0;
    }
    m_programFrom = static_cast<int>(shown.size());
    for (qsizetype i = 0; i < written.size(); ++i) {
        shown << (i < 3 && m_kept.opening.size() == 3 ? m_kept.opening[i] : written[i]);
        m_fileLines << ++number;
    }
    m_tailFrom = static_cast<int>(shown.size());
    addBlock(m_kept.tail);
    m_lastLine = number;

    m_gapAt = QList<int>(shown.size(), -1);
    m_calledFiles = QStringList(shown.size(), QString());
    int currentLine = -1;
    // programLines writes one line per table row, in the order linesOf reads them.
    const int first = m_programFrom + 3;
    for (int i = 0; i < lines.size() && 3 + i < written.size(); ++i) {
        const checker::Line& l = lines[i];
        // A line as read from the file has no joint of the writer's to mark.
        const WriteRule rule = l.written.isEmpty() ? kinds::info(l.kind).write : WriteRule::None;
        if (rule == WriteRule::HeldAndComment) m_gapAt[first + i] = static_cast<int>(l.held.size());
        if (rule == WriteRule::InputUndoubled)
            m_gapAt[first + i] = static_cast<int>(partfile::writtenInput(l.held).size());
        if (l.kind == Kind::FileCall) m_calledFiles[first + i] = checker::calledFilePath(l.held, folder);
        if (l.row == currentRow) currentLine = first + i;
    }
    const QString text = shown.join(u'\n');
    if (text != toPlainText()) {
        const int scroll = verticalScrollBar()->value();
        setPlainText(text);
        greyKept();
        verticalScrollBar()->setValue(scroll);
        setViewportMargins(marginWidth(), 0, 0, 0);
    }
    highlightLine(currentLine);
    viewport()->update();
}

void ProgramTextView::greyKept() {
    // Headsmith's lines, not the program's: shown in the colour of text that cannot be changed.
    QTextCharFormat grey;
    grey.setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    const auto paint = [&](int from, int to) {
        if (from >= to) return;
        QTextCursor c(document()->findBlockByNumber(from));
        c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, to - from - 1);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.mergeCharFormat(grey);
    };
    paint(0, m_programFrom);
    paint(m_tailFrom, blockCount());
}

void ProgramTextView::showKept(bool closing) {
    const int line = closing ? m_tailFrom : 0;
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid()) return;
    setTextCursor(QTextCursor(block));
    verticalScrollBar()->setValue(line);
}

void ProgramTextView::highlightLine(int line) {
    QList<QTextEdit::ExtraSelection> selections;
    const QTextBlock block = document()->findBlockByNumber(line);
    if (line >= 0 && block.isValid()) {
        QTextEdit::ExtraSelection s;
        s.format.setBackground(palette().color(QPalette::Highlight).lighter(170));
        s.format.setProperty(QTextFormat::FullWidthSelection, true);
        s.cursor = QTextCursor(block);
        selections << s;
        setTextCursor(s.cursor);
        ensureCursorVisible();
    }
    setExtraSelections(selections);
}

QStringList ProgramTextView::lines() const {
    QStringList out;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

ProgramTextPane::ProgramTextPane(QWidget* parent) : QDockWidget(tr("Part File Text"), parent) {
    setObjectName(QStringLiteral("programTextPane"));
    m_view = new ProgramTextView(this);
    setWidget(m_view);
}

ProblemsPane::ProblemsPane(QWidget* parent) : QDockWidget(tr("Problems"), parent) {
    setObjectName(QStringLiteral("problemsPane"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("problemsList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Line"), tr("Problem"), tr("Text")});
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    setWidget(m_list);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> chosen = m_list->selectedItems();
        if (!chosen.isEmpty() && !signalsBlocked()) Q_EMIT rowChosen(chosen.first()->data(0, Qt::UserRole).toInt());
    });
}

void ProblemsPane::setFindings(const QList<checker::Finding>& findings) {
    // Unchanged findings keep the list as it is, with the operator's choice and place in it.
    const qsizetype rows = std::min<qsizetype>(findings.size(), Shown) + (findings.size() > Shown ? 1 : 0);
    if (findings == m_shown && m_list->topLevelItemCount() == rows) return;
    m_shown = findings;
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    const QIcon note = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    for (const checker::Finding& f : findings.mid(0, Shown)) {
        const QString line =
            f.file.isEmpty() ? QString::number(f.line) : QStringLiteral("%1:%2").arg(f.file).arg(f.line);
        auto* item = new QTreeWidgetItem(m_list, {line, f.message, f.text});
        const bool isError = f.severity == checker::Severity::Error;
        const bool isWarning = f.severity == checker::Severity::Warning;
        item->setIcon(0, isError ? error : isWarning ? warning : note);
        item->setToolTip(0, isError ? tr("Error") : isWarning ? tr("Warning") : tr("Note"));
        item->setData(0, Qt::UserRole, f.row);
    }
    if (findings.size() > Shown) {
        auto* more = new QTreeWidgetItem(
            m_list, {QString(), tr("\u2026 and %n more, not listed here", nullptr, int(findings.size() - Shown))});
        more->setFlags(Qt::ItemIsEnabled);
        more->setData(0, Qt::UserRole, 0);
    }
}

KeptStatus::KeptStatus(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("lblStatusKept"));
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("Lines Headsmith keeps beside the program; click to show them in the Part File Text pane"));
    hide();
}

void KeptStatus::setCounts(qint64 headLines, qint64 tailLines) {
    m_head = headLines > 0;
    m_tail = tailLines > 0;
    const QString head = tr("Header: %1 lines").arg(headLines);
    const QString tail = tr("Closing block: %1 lines").arg(tailLines);
    const QString separator = QStringLiteral(" \u00b7 ");
    setText(m_head && m_tail ? head + separator + tail : m_head ? head : tail);
    m_headWidth = m_head && m_tail ? fontMetrics().horizontalAdvance(head + separator) : 0;
    setVisible(m_head || m_tail);
}

void KeptStatus::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    // With both parts shown, the click's side of the separator tells which block is meant.
    const int x = event->position().toPoint().x() - contentsRect().left();
    Q_EMIT blockChosen(!m_head || (m_tail && x >= m_headWidth));
}

QString firstLinesOf(const QString& path, int lines) {
    // Only a regular file is opened: a pipe or device could block the window or never end.
    if (!QFileInfo(path).isFile()) return ProgramTextPane::tr("The file \"%1\" is not there.").arg(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return ProgramTextPane::tr("The file \"%1\" cannot be read.").arg(path);
    QStringList out;
    while (out.size() < lines && !f.atEnd())
        out << textfile::decode(f.readLine(1024)).trimmed();
    return out.join(u'\n');
}
