#pragma once

#include "core/checker/checker.h"
#include "core/partfile/partfile.h"

#include <QDockWidget>
#include <QLabel>
#include <QPlainTextEdit>

class ProgramModel;
class QMouseEvent;
class QTreeWidget;

// The part file's text exactly as Save writes it: line numbers in a margin, the three blanks before
// an inline comment shown as light dots, the line of the current block highlighted. A File call
// line shows the called file's first lines as a tool tip. A kept header and closing block stand
// greyed in their places; a long one shows its first and last lines with the count between.
class ProgramTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ProgramTextView(QWidget* parent = nullptr);

    // New text from the program; the current row is the table row to highlight (0: none), and a
    // called file's relative name is taken from folder.
    void showProgram(const ProgramModel& program, const QString& folder, int currentRow);
    // The kept blocks and opening lines shown around the program from the next showProgram on.
    void setKept(const partfile::KeptText& kept) { m_kept = kept; }
    // Scrolls the kept header (or the closing block) to the top of the view.
    void showKept(bool closing);
    // The lines shown, without line numbers or dots: the lines Save writes.
    QStringList lines() const;
    // The file line number shown beside a line (0: none, as beside the count of lines left out).
    qint64 fileLine(int line) const { return m_fileLines.value(line, 0); }
    // Whether a line is a kept one (greyed: Headsmith's, not the program's).
    bool isKept(int line) const { return line < m_programFrom || line >= m_tailFrom; }
    // Where the dotted three blanks begin in a line, -1 for none.
    int gapAt(int line) const { return m_gapAt.value(line, -1); }
    // The file a line's tool tip shows, empty for none.
    QString calledFile(int line) const { return m_calledFiles.value(line); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    class Margin;
    int marginWidth() const;
    void paintMargin(QPaintEvent* event);
    void highlightLine(int line);
    void greyKept();

    Margin* m_margin = nullptr;
    partfile::KeptText m_kept;
    QList<int> m_gapAt;        // per line: where the three blanks begin, -1 for none
    QStringList m_calledFiles; // per line: the file a File call line names, else empty
    QList<qint64> m_fileLines; // per line: its number in the file, 0 for none
    qint64 m_lastLine = 0;
    int m_programFrom = 0; // the first line after the kept header
    int m_tailFrom = 0;    // the first line of the kept closing block (the line count when none)
};

// The status bar's note of what the part file keeps beside its program ("Header: 27 lines · Closing
// block: 3 lines"); a click on a part shows those lines in the text pane.
class KeptStatus : public QLabel {
    Q_OBJECT
public:
    explicit KeptStatus(QWidget* parent = nullptr);
    void setCounts(qint64 headLines, qint64 tailLines);

Q_SIGNALS:
    void blockChosen(bool closing);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_headWidth = 0; // where the closing block's part of the text begins, in pixels
    bool m_head = false;
    bool m_tail = false;
};

class ProgramTextPane : public QDockWidget {
    Q_OBJECT
public:
    explicit ProgramTextPane(QWidget* parent = nullptr);
    ProgramTextView* view() const { return m_view; }

private:
    ProgramTextView* m_view;
};

// The checker's findings, one row each; choosing one asks for its block.
class ProblemsPane : public QDockWidget {
    Q_OBJECT
public:
    // At most this many rows, then one that counts the rest: the dry run of a program calling files
    // of thousands of lines may warn on every one of them.
    static constexpr int Shown = 500;

    explicit ProblemsPane(QWidget* parent = nullptr);
    void setFindings(const QList<checker::Finding>& findings);
    QTreeWidget* list() const { return m_list; }

Q_SIGNALS:
    void rowChosen(int row);

private:
    QTreeWidget* m_list;
    QList<checker::Finding> m_shown;
};

// The first lines of a file, for a tool tip; a sentence saying why when it cannot be read.
QString firstLinesOf(const QString& path, int lines = 8);
