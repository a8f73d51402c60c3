#pragma once

#include <cstdint>

// What the hook library recognises in the mouse's events, as plain rules: the click gestures, circling the
// mouse and the screen positions, and which call-up each of them triggers.
namespace zanmel::hook {

// Mouse gestures, as the settings number them.
enum Gesture : std::int32_t {
    kNoGesture = 0,
    kCtrlRightClick = 1,
    kShiftRightClick = 2,
    kCircleClockwise = 3,
    kCircleCounterClockwise = 4,
    kCtrlShiftLeftClick = 5,
    kCtrlAltLeftClick = 6,
    kShiftAltLeftClick = 7,
};

// Screen positions, one bit each in a corner mask.
enum ScreenPosition : std::uint8_t {
    kBottomLeft = 1 << 0,
    kBottom = 1 << 1,
    kBottomRight = 1 << 2,
    kLeft = 1 << 3,
    kRight = 1 << 4,
    kTopLeft = 1 << 5,
    kTop = 1 << 6,
    kTopRight = 1 << 7,
};

struct HookSettings {
    std::int32_t mouseZanmel = 0;
    std::int32_t mousePopup = 0;
    std::uint8_t cornerZanmel = 0;
    std::uint8_t cornerPopup = 0;
};

struct Modifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

struct Point {
    int x = 0;
    int y = 0;
};

// The screen's extent; right and bottom are outside it (the mouse stops one pixel before them).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

enum class Target { None, MainWindow, LauncherMenu };

// A call-up to post: the message's target and its first parameter.
struct Trigger {
    Target target = Target::None;
    std::uintptr_t param = 0;
    bool operator==(const Trigger&) const = default;
};

enum class Button { Left, Right };

// The screen position of a point (one of ScreenPosition), or 0 inside the screen. Corners take the first
// kCornerSize pixels of each edge next to them.
constexpr int kCornerSize = 8;
std::uint8_t PositionOf(Point p, const Rect& screen);

// Follows the mouse's events. The main window wins when both call-ups have the same gesture or position.
class GestureRecognizer {
public:
    explicit GestureRecognizer(const HookSettings& settings) : settings_(settings) {}

    struct ButtonResult {
        Trigger trigger;
        bool swallow = false;  // keep the event from the window under the mouse
    };
    // A button pressed or released. A click gesture triggers on the press; the press and its release are both
    // swallowed, so the window under the mouse sees no click and opens no context menu.
    ButtonResult OnButton(Button button, bool down, const Modifiers& modifiers);

    // The mouse moved to p at timeMs (milliseconds, wrapping). Circling counts while the mouse keeps moving;
    // a screen position triggers once when the mouse arrives there.
    Trigger OnMove(Point p, std::uint32_t timeMs, const Rect& screen);

    // Circling: samples at least kStep pixels apart, a pause of more than kPauseMs or a turn sharper than
    // kSharpTurnDegrees starts the count again, and kTurns full turns in one direction trigger.
    static constexpr int kStep = 10;
    static constexpr std::uint32_t kPauseMs = 300;
    static constexpr double kSharpTurnDegrees = 90.0;
    static constexpr double kTurns = 2.0;

private:
    Trigger ForGesture(std::int32_t gesture, std::uintptr_t menuParam) const;
    void ResetCircle();

    HookSettings settings_;
    bool swallowing_[2] = {false, false};  // the press of this button was swallowed
    std::uint8_t position_ = 0;            // where the mouse was at its last move
    bool circling_ = false;                // a sample point is set
    Point sample_;
    std::uint32_t lastMove_ = 0;  // time of the last move
    bool hasDirection_ = false;
    double direction_ = 0;  // of the last segment, radians, screen coordinates (y down)
    double turned_ = 0;     // sum of the turns since the count began, radians; clockwise positive
};

}  // namespace zanmel::hook
