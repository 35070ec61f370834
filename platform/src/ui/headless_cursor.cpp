// The virtual pointer of a host without a window system.
#include "platform/ui/headless_cursor.h"

#include <algorithm>

#include "platform/ui/headless_window.h"

namespace platform::ui {

namespace {

// Pixel of absolute input a on a screen axis of `size` pixels, to the nearest.
long long FromAbsolute(long long a, int size) {
    const long long scaled = a * size;
    const long long span = kAbsoluteInputSpan;
    // Round half away from zero; negative input lies off the screen anyway.
    return scaled >= 0 ? (scaled + span / 2) / span : -((-scaled + span / 2) / span);
}

}  // namespace

CursorToken HeadlessCursor::hide() {
    const char* previous = shape_;
    shape_ = &kHiddenShape;
    return previous;
}

void HeadlessCursor::restore(CursorToken previous) {
    if (previous == &kArrowShape || previous == &kHiddenShape) {
        shape_ = static_cast<const char*>(previous);
    }
}

void HeadlessCursor::confine(const Rect& screen) {
    confinement_ = screen;
    position_ = reachable(position_.x, position_.y);
}

void HeadlessCursor::release() { confinement_.reset(); }

void HeadlessCursor::warp(Point absolute) {
    position_ = reachable(FromAbsolute(absolute.x, kScreen.width), FromAbsolute(absolute.y, kScreen.height));
    warps_.push_back(Warp{absolute, position_});
    if (window_ != nullptr && window_->shown()) {
        WindowEvent move;
        move.kind = WindowEvent::Kind::MouseMove;
        move.x = position_.x - kWindowOrigin.x;
        move.y = position_.y - kWindowOrigin.y;
        window_->deliver(move);
    }
}

Point HeadlessCursor::pointerAt(HeadlessWindow* window, Point at) {
    window_ = window;
    position_ = reachable(static_cast<long long>(at.x) + kWindowOrigin.x, static_cast<long long>(at.y) + kWindowOrigin.y);
    return Point{position_.x - kWindowOrigin.x, position_.y - kWindowOrigin.y};
}

void HeadlessCursor::forget(const HeadlessWindow* window) {
    if (window_ == window) {
        window_ = nullptr;
    }
}

Point HeadlessCursor::reachable(long long x, long long y) const {
    long long left = 0, top = 0, right = kScreen.width - 1, bottom = kScreen.height - 1;
    if (confinement_) {
        // The part of the confinement on the screen; one that misses the
        // screen or is empty holds the pointer at its nearest corner.
        left = std::clamp<long long>(confinement_->left, left, right);
        top = std::clamp<long long>(confinement_->top, top, bottom);
        right = std::clamp<long long>(static_cast<long long>(confinement_->right) - 1, left, right);
        bottom = std::clamp<long long>(static_cast<long long>(confinement_->bottom) - 1, top, bottom);
    }
    return Point{static_cast<int>(std::clamp(x, left, right)), static_cast<int>(std::clamp(y, top, bottom))};
}

}  // namespace platform::ui
