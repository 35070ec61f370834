#pragma once
// The pointer of a host without a window system: a virtual pointer on a
// virtual screen on which every editor window sits at one known origin. The
// host's mouse events place it (origin + the event's window point); a warp
// moves it and sends the window that has it a mouse move at once, as a window
// system sends one for any motion. It keeps what the editor did with it, so
// tests can read the pinning of a drag.
#include <optional>
#include <vector>

#include "platform/ui/cursor.h"

namespace platform::ui {

class HeadlessWindow;

class HeadlessCursor final : public Cursor {
public:
    // Large enough for the editor at its largest scale (4 × 240 by 4 × 237)
    // at the origin below.
    static constexpr ScreenSize kScreen{2560, 1440};
    // Screen position of every headless window's top-left pixel.
    static constexpr Point kWindowOrigin{200, 150};

    struct Warp {
        Point absolute;  // the input as the editor gave it
        Point landed;    // the screen pixel the pointer went to
        friend bool operator==(const Warp&, const Warp&) = default;
    };

    CursorToken hide() override;
    void restore(CursorToken previous) override;
    Point position() const override { return position_; }
    void confine(const Rect& screen) override;
    void release() override;
    // Absolute input becomes pixel round(absolute × size / 65535) on each
    // axis, the linear map of the input's span onto the screen; the editor's
    // own conversion, trunc(65534 / size × pixel), comes back to the pixel
    // it started from. The pointer then stays on the screen and inside a
    // confinement like any other motion.
    void warp(Point absolute) override;
    ScreenSize screenSize() const override { return kScreen; }

    // The host moved the pointer over `window` to its window point `at`;
    // answers the window point where the pointer landed, which differs from
    // `at` when the screen's edge or a confinement stopped it.
    Point pointerAt(HeadlessWindow* window, Point at);
    // The window is going away: warps stop reaching it.
    void forget(const HeadlessWindow* window);

    bool hidden() const { return shape_ == &kHiddenShape; }
    const std::optional<Rect>& confinement() const { return confinement_; }
    const std::vector<Warp>& warps() const { return warps_; }

private:
    // A position on the screen and inside the confinement, nearest to (x, y).
    Point reachable(long long x, long long y) const;

    static constexpr char kArrowShape = 'A';
    static constexpr char kHiddenShape = 'H';
    const char* shape_ = &kArrowShape;
    Point position_{kScreen.width / 2, kScreen.height / 2};
    std::optional<Rect> confinement_;
    std::vector<Warp> warps_;
    HeadlessWindow* window_ = nullptr;  // the window the pointer is over
};

}  // namespace platform::ui
