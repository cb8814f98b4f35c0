#include "core/panel/panelpointer.h"

#include <algorithm>
#include <cmath>

namespace {

// Mouse positions can lie far outside the panel while it has the mouse; keep them where integer
// conversions are safe.
float saneCoordinate(float v) {
    return std::clamp(v, -1.0e6f, 1.0e6f);
}

} // namespace

using Capture = ProgramModel::Gesture::Capture;

PanelHit PanelPointer::hitBlock(float x, float y, std::span<const Kind> order) const {
    for (Kind k : order) {
        const auto& list = m_model.blocks(k);
        for (std::size_t n = 1; n < list.size(); ++n) {
            const PanelShape& s = list[n].shape;
            // Strict on all four borders; the far edges are sums in single precision.
            const float right = s.left + s.width;
            const float bottom = s.top + s.height;
            if (x > s.left && x < right && y > s.top && y < bottom) return {k, static_cast<int>(n)};
        }
    }
    return {};
}

bool PanelPointer::overLabel(float x, float y) const {
    auto inside = [x, y](const PanelLabel& l) {
        return l.visible && l.width > 0 && x >= l.left && x < l.left + l.width && y >= l.top && y < l.top + l.height;
    };
    for (int k = 1; k < KindSlots; ++k) {
        const auto& list = m_model.blocks(static_cast<Kind>(k));
        for (std::size_t n = 1; n < list.size(); ++n)
            if (inside(list[n].text) || inside(list[n].comment)) return true;
    }
    return false;
}

bool PanelPointer::panelHasMouse() const {
    return m_model.m_gesture.capture == Capture::Panel;
}

PanelHit PanelPointer::pressedBlock() const {
    const PanelHit pressed = m_model.m_gesture.pressed;
    return m_model.exists(pressed.kind, pressed.index) ? pressed : PanelHit{};
}

bool PanelPointer::mouseDown(int button, float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    ProgramModel::Gesture& g = m_model.m_gesture;
    x = saneCoordinate(x);
    y = saneCoordinate(y);
    // A label takes presses made on it and does nothing with them, and keeps the mouse until release.
    if (overLabel(x, y)) {
        g.capture = Capture::Label;
        return false;
    }
    g.capture = Capture::Panel;
    g.pressY = roundToInt16(std::clamp(y, -32768.0f, 32767.0f)).value_or(0);

    if (button & RightButton) {
        g.pressed = {};
        const PanelHit hit = hitBlock(x, y, kinds::RightPressOrder);
        if (!hit) return false;
        m_model.select(hit.kind, hit.index);
        // The pop-up menu takes the mouse, so the release never comes back to the panel.
        g.capture = Capture::None;
        return true;
    }

    const PanelHit hit = hitBlock(x, y, kinds::PressOrder);
    // A press that misses keeps the selection but starts no drag.
    g.pressed = hit;
    if (!hit) return false;
    const PanelShape& shape = m_model.block(hit.kind, hit.index).shape;
    g.grabX = x - shape.left;
    g.grabY = y - shape.top;
    m_model.m_selected[hit.kind] = static_cast<qint16>(hit.index);
    m_model.m_currentKind = hit.kind;
    return false;
}

void PanelPointer::mouseMove(int buttons, float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    ProgramModel::Gesture& g = m_model.m_gesture;
    x = saneCoordinate(x);
    y = saneCoordinate(y);
    // Moves over a label belong to the label, which shows the default arrow.
    if (g.capture == Capture::Label || (g.capture == Capture::None && overLabel(x, y))) {
        g.hand = false;
        return;
    }
    // The carried block moves first, so it is under the pointer when the hand is decided: a fast
    // drag that outruns the block between two events still drops where it is released.
    const bool carrying = (buttons & LeftButton) && g.capture == Capture::Panel && pressedBlock();
    // Outside the panel (as it stood before the drag grows it) a release is no drop.
    const bool outside = x < 0 || x > m_model.panelWidth() || y < 0 || y > m_model.panelHeight();
    if (carrying) carry(x, y);
    g.hand = static_cast<bool>(hitBlock(x, y, kinds::PointerOrder)) && !(carrying && outside);
}

void PanelPointer::carry(float x, float y) {
    ProgramModel::Gesture& g = m_model.m_gesture;
    const float width = m_model.panelWidth();
    if (x < 0) x = 0;
    if (x > width - 2) x = width;
    if (y < 0) y = 0;
    if (y > MaxDragY) y = MaxDragY;
    if (y > m_model.m_panelHeight) m_model.m_panelHeight = y + 48;

    const Kind k = g.pressed.kind;
    const int n = g.pressed.index;
    if (k == Kind::GoSub)
        g.returnGap = roundToInt16(m_model.block(Kind::Return, n).shape.top - m_model.block(Kind::GoSub, n).shape.top)
                          .value_or(0);
    const float left = x - g.grabX;
    const float top = y - g.grabY;
    blocklayout::place(m_model.blockRef(k, n), left, top);
    if (k == Kind::GoSub) blocklayout::place(m_model.blockRef(Kind::Return, n), left, top + g.returnGap);
}

void PanelPointer::mouseUp(int button, float x, float y) {
    Q_UNUSED(x);
    ProgramModel::Gesture& g = m_model.m_gesture;
    const bool panelHadMouse = g.capture == Capture::Panel;
    g.capture = Capture::None;
    if (!panelHadMouse || !std::isfinite(y)) return;
    y = saneCoordinate(y);
    if (!(std::fabs(static_cast<float>(g.pressY) - y) > 1.0f) || (button & RightButton) || !g.hand) return;
    if (!pressedBlock()) return;
    m_model.drop(g.pressed.kind, g.pressed.index, y);
}

std::optional<qint16> PanelPointer::dropTarget(float y) const {
    const PanelHit carried = pressedBlock();
    if (!carried || !panelHasMouse() || !std::isfinite(y)) return std::nullopt;
    return m_model.dropRowTop(carried.kind, carried.index, saneCoordinate(y));
}
