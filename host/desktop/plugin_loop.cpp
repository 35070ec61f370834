#include "host/desktop/plugin_loop.h"

#include <glib-unix.h>

namespace velmora::host {

PluginLoop::PluginLoop(std::function<bool()> dispatch, std::function<void()> idle)
    : dispatch_(std::move(dispatch)), idle_(std::move(idle)) {}

PluginLoop::~PluginLoop() {
    removeWatch();
    for (guint* source : {&timer_, &soon_}) {
        if (*source != 0) {
            g_source_remove(*source);
            *source = 0;
        }
    }
}

void PluginLoop::start(unsigned intervalMs) {
    if (timer_ == 0) {
        timer_ = g_timeout_add(intervalMs, &PluginLoop::OnTimer, this);
    }
}

void PluginLoop::watch(int fileDescriptor) {
    removeWatch();
    fd_ = fileDescriptor;
    connected_ = true;
    if (holds_ == 0) {
        addWatch();
    }
}

void PluginLoop::addWatch() {
    if (fd_ >= 0 && connected_ && watch_ == 0) {
        watch_ = g_unix_fd_add(fd_, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR), &PluginLoop::OnReadable, this);
    }
}

void PluginLoop::removeWatch() {
    if (watch_ != 0) {
        g_source_remove(watch_);
        watch_ = 0;
    }
}

void PluginLoop::dispatch() {
    if (fd_ >= 0 && connected_ && !dispatch_()) {
        // The connection is gone: a watch on it would fire for ever.
        connected_ = false;
        removeWatch();
    }
}

void PluginLoop::dispatchSoon() {
    if (soon_ == 0) {
        soon_ = g_idle_add(&PluginLoop::OnDispatchSoon, this);
    }
}

void PluginLoop::hold() {
    if (holds_++ == 0) {
        // A readable descriptor that nobody reads would wake the loop at once, again and again.
        removeWatch();
    }
}

void PluginLoop::release() {
    if (holds_ > 0 && --holds_ == 0) {
        addWatch();
        dispatchSoon();
    }
}

gboolean PluginLoop::OnReadable(gint, GIOCondition, gpointer self) {
    auto& loop = *static_cast<PluginLoop*>(self);
    // The source stays while this runs even if a dialog held the loop
    // meanwhile; the watch id then names a newer source, or none.
    const guint mine = loop.watch_;
    loop.dispatch();
    return mine != 0 && loop.watch_ == mine ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

gboolean PluginLoop::OnTimer(gpointer self) {
    auto& loop = *static_cast<PluginLoop*>(self);
    if (loop.holds_ == 0) {
        loop.idle_();
        if (loop.holds_ == 0) {
            loop.dispatch();
        }
    }
    return G_SOURCE_CONTINUE;
}

gboolean PluginLoop::OnDispatchSoon(gpointer self) {
    auto& loop = *static_cast<PluginLoop*>(self);
    loop.soon_ = 0;
    if (loop.holds_ == 0) {
        loop.dispatch();
    }
    return G_SOURCE_REMOVE;
}

}  // namespace velmora::host
