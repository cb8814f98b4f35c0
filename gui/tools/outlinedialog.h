#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;
class QRadioButton;

// Tools > Trace the outline: asks for the safe Z the outline jogs at and where its lines go. It
// composes the choice and writes into nothing else.
class OutlineDialog : public QDialog {
    Q_OBJECT
public:
    enum class Destination { Insert, SeparateFile };
    struct Choice {
        double safeZ = 0;
        Destination destination = Destination::Insert;
    };

    // safeZ is offered in the box; where names the line the lines are inserted after (0: at the end).
    OutlineDialog(double safeZ, int afterRow, QWidget* parent = nullptr);

    // The choice, while the box holds a number (with a point, no exponent, within the machine's reach).
    std::optional<Choice> choice() const;
    // Presses Done as the user would: accepts when there is a choice.
    void pressDone();

private:
    QLineEdit* m_safeZ = nullptr;
    QRadioButton* m_insert = nullptr;
    QRadioButton* m_separate = nullptr;
    QPushButton* m_done = nullptr;
};
