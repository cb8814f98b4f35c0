#include "gui/mainwindow/toolbox.h"

#include "core/language/commandkinds.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

#include <algorithm>

namespace {

// A coloured toolbox button whose caption wraps onto two lines where the button is tall enough.
class ToolboxButton final : public QPushButton {
public:
    ToolboxButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(rect().adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWordWrap, text());
    }
};

constexpr int ButtonLeft = 16;
constexpr int ButtonWidth = 57;

} // namespace

int Toolbox::leastHeight() {
    int lowest = 0;
    for (Kind k : kinds::ToolboxOrder)
        lowest = std::max(lowest, kinds::info(k).buttonTop + kinds::info(k).buttonHeight);
    return lowest + 4; // the group box's lower edge
}

Toolbox::Toolbox(QWidget* parent) : QGroupBox(tr("Toolbox"), parent) {
    setObjectName(QStringLiteral("Frame1"));
    setGeometry(0, 0, Width, Height);

    for (Kind k : kinds::ToolboxOrder) {
        const KindInfo& info = kinds::info(k);
        auto* button = new ToolboxButton(QCoreApplication::translate("Toolbox", info.buttonCaption), this);
        button->setObjectName(QString::fromLatin1(info.button));
        button->setGeometry(ButtonLeft, info.buttonTop, ButtonWidth, info.buttonHeight);
        button->setAutoDefault(false);
        button->setToolTip(QCoreApplication::translate("Toolbox", info.toolTip));
        button->setStyleSheet(QStringLiteral("QPushButton { background-color: #%1; color: black; border: 1px solid "
                                             "#707070; border-radius: 2px; font-size: 8pt; }"
                                             "QPushButton:pressed { border: 2px inset #505050; }")
                                  .arg(info.buttonColor, 6, 16, QLatin1Char('0')));
        connect(button, &QPushButton::clicked, this, [this, k] { Q_EMIT addRequested(k); });
        m_buttons[k] = button;
    }
    m_buttons[Kind::GoSub]->hide();

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setGeometry(8, 328, 73, 1);
}

void Toolbox::setAdvanced(bool advanced) {
    m_advanced = advanced;
    for (const KindInfo& info : kinds::Table)
        if (info.button && info.advanced && !info.basic) m_buttons[info.kind]->setVisible(advanced);
}

void Toolbox::watchKeysOf(QWidget* window) {
    window->installEventFilter(this);
}

Kind Toolbox::altKey(QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return Kind::None;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::AltModifier) return Kind::None;
    const Kind k = key->key() == Qt::Key_M ? Kind::Move : key->key() == Qt::Key_J ? Kind::Jog : Kind::None;
    return k != Kind::None && m_buttons[k]->isVisible() ? k : Kind::None;
}

bool Toolbox::eventFilter(QObject* watched, QEvent* event) {
    // Key events the focused widget leaves alone come up to the window. Accepting the shortcut
    // override keeps the chord from the menu bar.
    if (const Kind k = altKey(event); k != Kind::None) {
        event->accept();
        if (event->type() == QEvent::KeyPress) m_buttons[k]->click();
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}
