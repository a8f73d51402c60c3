#include "hook/HookRules.h"

#include <cmath>
#include <numbers>

#include "hook/HookProtocol.h"

namespace zanmel::hook {

namespace {

// The click gesture of a button with exactly these modifiers, or kNoGesture.
std::int32_t ClickGesture(Button button, const Modifiers& m) {
    if (button == Button::Right) {
        if (m.ctrl && !m.shift && !m.alt) return kCtrlRightClick;
        if (m.shift && !m.ctrl && !m.alt) return kShiftRightClick;
        return kNoGesture;
    }
    if (m.ctrl && m.shift && !m.alt) return kCtrlShiftLeftClick;
    if (m.ctrl && m.alt && !m.shift) return kCtrlAltLeftClick;
    if (m.shift && m.alt && !m.ctrl) return kShiftAltLeftClick;
    return kNoGesture;
}

}  // namespace

std::uint8_t PositionOf(Point p, const Rect& screen) {
    const bool left = p.x <= screen.left;
    const bool right = p.x >= screen.right - 1;
    const bool top = p.y <= screen.top;
    const bool bottom = p.y >= screen.bottom - 1;
    const bool nearLeft = p.x < screen.left + kCornerSize;
    const bool nearRight = p.x >= screen.right - kCornerSize;
    const bool nearTop = p.y < screen.top + kCornerSize;
    const bool nearBottom = p.y >= screen.bottom - kCornerSize;
    if ((bottom && nearLeft) || (left && nearBottom)) return kBottomLeft;
    if ((bottom && nearRight) || (right && nearBottom)) return kBottomRight;
    if ((top && nearLeft) || (left && nearTop)) return kTopLeft;
    if ((top && nearRight) || (right && nearTop)) return kTopRight;
    if (bottom) return kBottom;
    if (top) return kTop;
    if (left) return kLeft;
    if (right) return kRight;
    return 0;
}

Trigger GestureRecognizer::ForGesture(std::int32_t gesture, std::uintptr_t menuParam) const {
    if (gesture == kNoGesture) return {};
    if (settings_.mouseZanmel == gesture) return {Target::MainWindow, 0};
    if (settings_.mousePopup == gesture) return {Target::LauncherMenu, menuParam};
    return {};
}

GestureRecognizer::ButtonResult GestureRecognizer::OnButton(Button button, bool down, const Modifiers& modifiers) {
    bool& swallowing = swallowing_[button == Button::Left ? 0 : 1];
    if (!down) {
        const bool swallow = swallowing;
        swallowing = false;
        return {{}, swallow};
    }
    // A click menu opens where the click was.
    const Trigger trigger = ForGesture(ClickGesture(button, modifiers), kMenuAtMouse);
    swallowing = trigger.target != Target::None;
    return {trigger, swallowing};
}

void GestureRecognizer::ResetCircle() {
    circling_ = false;
    hasDirection_ = false;
    turned_ = 0;
}

Trigger GestureRecognizer::OnMove(Point p, std::uint32_t timeMs, const Rect& screen) {
    const std::uint8_t position = PositionOf(p, screen);
    if (position != position_) {
        position_ = position;
        if (settings_.cornerZanmel & position) return {Target::MainWindow, 0};
        if (settings_.cornerPopup & position) return {Target::LauncherMenu, kMenuAtMouse};
    }

    const bool pause = circling_ && timeMs - lastMove_ > kPauseMs;
    lastMove_ = timeMs;
    if (!circling_ || pause) {
        ResetCircle();
        circling_ = true;
        sample_ = p;
        return {};
    }
    const double dx = p.x - sample_.x;
    const double dy = p.y - sample_.y;
    if (dx * dx + dy * dy < kStep * kStep) return {};
    sample_ = p;
    const double direction = std::atan2(dy, dx);
    if (hasDirection_) {
        double turn = direction - direction_;
        if (turn > std::numbers::pi) turn -= 2 * std::numbers::pi;
        if (turn <= -std::numbers::pi) turn += 2 * std::numbers::pi;
        if (std::abs(turn) > kSharpTurnDegrees * std::numbers::pi / 180) {
            turned_ = 0;  // a zigzag is no circle
        } else {
            turned_ += turn;
        }
    }
    direction_ = direction;
    hasDirection_ = true;
    const double full = 2 * std::numbers::pi * kTurns;
    if (std::abs(turned_) < full) return {};
    const std::int32_t gesture = turned_ > 0 ? kCircleClockwise : kCircleCounterClockwise;
    turned_ = 0;
    // The menu opens a little above and left of the circling mouse.
    return ForGesture(gesture, 0);
}

}  // namespace zanmel::hook
