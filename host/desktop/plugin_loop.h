#pragma once
// How the plugin gets its share of the GTK main loop without busy waiting: its
// X11 connection's descriptor is watched and dispatched when readable, and a
// steady timer gives every instance its idle call followed by a dispatch.
// While the host runs a modal dialog inside a call from the plugin, both are
// held back, so the plugin is never entered again from inside its own call.
#include <glib.h>

#include <functional>

namespace velmora::host {

class PluginLoop {
public:
    // dispatch: the plugin's desktop dispatch (false once the connection is
    // gone); idle: every instance's idle call.
    PluginLoop(std::function<bool()> dispatch, std::function<void()> idle);
    ~PluginLoop();
    PluginLoop(const PluginLoop&) = delete;
    PluginLoop& operator=(const PluginLoop&) = delete;

    // Starts the idle timer (every intervalMs milliseconds).
    void start(unsigned intervalMs);
    // Watches the plugin's connection from now on.
    void watch(int fileDescriptor);
    bool watching() const { return fd_ >= 0; }
    // A dispatch once the current call has returned (after showing or hiding
    // an editor from inside a call of the plugin).
    void dispatchSoon();

    // Nested: the loop runs again once every hold is released.
    void hold();
    void release();
    bool held() const { return holds_ > 0; }

private:
    static gboolean OnReadable(gint fd, GIOCondition condition, gpointer self);
    static gboolean OnTimer(gpointer self);
    static gboolean OnDispatchSoon(gpointer self);
    void addWatch();
    void removeWatch();
    void dispatch();

    std::function<bool()> dispatch_;
    std::function<void()> idle_;
    int fd_ = -1;
    guint watch_ = 0;
    guint timer_ = 0;
    guint soon_ = 0;
    int holds_ = 0;
    bool connected_ = true;
};

}  // namespace velmora::host
