#pragma once

#include "core/program/checker.h"

#include <QDockWidget>
#include <QPlainTextEdit>

class ProgramModel;
class QTreeWidget;

// The part file's text exactly as Save writes it: line numbers in a margin, the three blanks before
// an inline comment shown as light dots, the line of the current block highlighted. A File call
// line shows the called file's first lines as a tool tip.
class ProgramTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ProgramTextView(QWidget* parent = nullptr);

    // New text from the program; the current row is the table row to highlight (0: none), and a
    // called file's relative name is taken from folder.
    void showProgram(const ProgramModel& program, const QString& folder, int currentRow);
    // The lines shown, without line numbers or dots: the lines Save writes.
    QStringList lines() const;
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

    Margin* m_margin = nullptr;
    QList<int> m_gapAt;        // per line: where the three blanks begin, -1 for none
    QStringList m_calledFiles; // per line: the file a File call line names, else empty
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
