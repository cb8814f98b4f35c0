#pragma once

#include "core/language/kindcode.h"

#include <QGroupBox>

class QPushButton;

// The toolbox "Frame1": one button per command kind at its fixed place, the advanced ones shown only
// in Advanced mode. A click asks for a line of the button's kind; so do Alt+M and Alt+J anywhere in
// the window, as the captions "[M]oves" and "[J]ogs" promise.
class Toolbox : public QGroupBox {
    Q_OBJECT

public:
    static constexpr int Width = 97;
    static constexpr int Height = 633;
    // How high the toolbox must be for its lowest button, in either mode, to show whole.
    static int leastHeight();

    explicit Toolbox(QWidget* parent = nullptr);

    void setAdvanced(bool advanced);
    bool isAdvanced() const { return m_advanced; }
    QPushButton* button(Kind k) const { return m_buttons[k]; }
    // Takes Alt+M and Alt+J in the window before its menu bar does (Alt+M would be the Mode menu's
    // mnemonic; the menu stays reachable with Alt, then M).
    void watchKeysOf(QWidget* window);

Q_SIGNALS:
    void addRequested(Kind k);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The button an Alt key stands for, or None.
    Kind altKey(QEvent* event) const;

    KindArray<QPushButton*> m_buttons{};
    bool m_advanced = false;
};
