#pragma once
// An editor window without a window system: it keeps the last picture painted
// (so a snapshot can be taken), counts what was marked for painting, and takes
// its events from the host through the plugin's extension table. With a
// virtual pointer, the host's mouse events move it, as a real mouse moves the
// pointer a window's messages report.
#include <atomic>

#include "platform/ui/headless_cursor.h"
#include "platform/ui/window.h"
#include "shared/headless_editor.h"

namespace platform::ui {

class HeadlessWindow final : public Window {
public:
    explicit HeadlessWindow(const velmora::HeadlessHost* const* host, HeadlessCursor* cursor = nullptr)
        : host_(host), cursor_(cursor) {}
    ~HeadlessWindow() override;
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    void setHandler(WindowHandler handler) override { handler_ = std::move(handler); }
    void setSize(int width, int height) override;
    int width() const override { return width_; }
    int height() const override { return height_; }
    void show(void* parent) override;
    void hide() override;
    bool shown() const override { return shown_; }
    void invalidate() override;
    void invalidate(const Rect& pixels) override;
    void paintPending() override;
    void present(Bitmap&& picture) override;
    Bitmap takePictureMemory() override { return std::move(picture_); }
    void* nativeHandle() override { return this; }
    void focus() override { ++focusRequests_; }

    // A message from the host; answers whether the handler took it. A size
    // message resizes the window first, as a window system does; a mouse
    // move or button message puts the pointer at its position first and
    // reports where the pointer could go (a confined pointer stops at the
    // confinement's edge).
    bool deliver(const WindowEvent& event);

    void* parent() const { return parent_; }
    const Bitmap& picture() const { return picture_; }
    int wholeInvalidations() const { return whole_.load(std::memory_order_relaxed); }
    int partInvalidations() const { return part_.load(std::memory_order_relaxed); }
    int focusRequests() const { return focusRequests_; }

private:
    const velmora::HeadlessHost* const* host_;  // the process's host table, may hold null
    HeadlessCursor* cursor_;                    // the screen's pointer; null: the window has none
    WindowHandler handler_;
    int width_ = 0;
    int height_ = 0;
    bool shown_ = false;
    void* parent_ = nullptr;
    Bitmap picture_;
    std::atomic<bool> dirty_{false};
    std::atomic<int> whole_{0};
    std::atomic<int> part_{0};
    int focusRequests_ = 0;  // interface thread only
};

}  // namespace platform::ui
