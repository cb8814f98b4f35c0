#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;

// The first-run window: explains the name choice, then runs it from its one button.
class FirstRunDialog : public QDialog {
    Q_OBJECT
public:
    // text explains the name choice; chooseName runs the start-up name loop and tells whether a
    // name was chosen.
    FirstRunDialog(const QString& text, std::function<bool()> chooseName, QWidget* parent = nullptr);

    // Runs the name choice (once) and closes the window.
    void chooseName();
    // True once a name was chosen; false when the user gave up.
    bool nameChosen() const { return m_chosen; }

protected:
    // Closing through the frame runs the same name choice as the button, so the main window
    // never goes on without a part file.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    std::function<bool()> m_chooseName;
    QLabel* lblGetStarted = nullptr;
    QPushButton* cmdGetStarted = nullptr;
    bool m_ran = false;
    bool m_chosen = false;
};
