#pragma once
// The MIDI monitor: a list of what the instances send, the newest line at the
// bottom and in view, the oldest dropped past kMonitorLines.
#include <gtk/gtk.h>

#include "host/desktop/monitor_line.h"

namespace velmora::host {

class MidiMonitor {
public:
    MidiMonitor();
    ~MidiMonitor();
    MidiMonitor(const MidiMonitor&) = delete;
    MidiMonitor& operator=(const MidiMonitor&) = delete;

    GtkWidget* widget() const { return scroller_; }
    void add(const MonitorLine& line);
    void clear();

private:
    static gboolean OnScroll(gpointer self);

    GtkListStore* store_ = nullptr;
    GtkWidget* view_ = nullptr;
    GtkWidget* scroller_ = nullptr;
    int rows_ = 0;
    guint scroll_ = 0;  // one scroll to the end per burst of lines
};

}  // namespace velmora::host
