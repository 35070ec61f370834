// The window of a host without a window system.
#include "platform/ui/headless_window.h"

namespace platform::ui {

HeadlessWindow::~HeadlessWindow() {
    if (cursor_ != nullptr) {
        cursor_->forget(this);
    }
}

void HeadlessWindow::setSize(int width, int height) {
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    dirty_.store(true, std::memory_order_release);
    const velmora::HeadlessHost* host = host_ != nullptr ? *host_ : nullptr;
    if (host != nullptr && host->windowResized != nullptr) {
        host->windowResized(host->context, width, height);
    }
}

void HeadlessWindow::show(void* parent) {
    parent_ = parent;
    shown_ = true;
    dirty_.store(true, std::memory_order_release);  // a window that appears is painted
}

void HeadlessWindow::hide() {
    parent_ = nullptr;
    shown_ = false;
}

void HeadlessWindow::invalidate() {
    whole_.fetch_add(1, std::memory_order_relaxed);
    dirty_.store(true, std::memory_order_release);
}

void HeadlessWindow::invalidate(const Rect&) {
    part_.fetch_add(1, std::memory_order_relaxed);
    dirty_.store(true, std::memory_order_release);
}

void HeadlessWindow::paintPending() {
    if (dirty_.exchange(false, std::memory_order_acq_rel) && shown_ && handler_) {
        handler_(WindowEvent{.kind = WindowEvent::Kind::Paint});
    }
}

void HeadlessWindow::present(Bitmap&& picture) { picture_ = std::move(picture); }

bool HeadlessWindow::deliver(const WindowEvent& event) {
    using Kind = WindowEvent::Kind;
    if (event.kind == Kind::Size) {
        // The host resized the window: no report back to it.
        width_ = event.width;
        height_ = event.height;
    }
    if (cursor_ != nullptr && (event.kind == Kind::MouseMove || event.kind == Kind::ButtonDown || event.kind == Kind::ButtonUp)) {
        WindowEvent moved = event;
        const Point at = cursor_->pointerAt(this, Point{event.x, event.y});
        moved.x = at.x;
        moved.y = at.y;
        return handler_ ? handler_(moved) : false;
    }
    return handler_ ? handler_(event) : false;
}

}  // namespace platform::ui
