#pragma once
// `velmora-host gui`: the desktop stand-in for the DAW (GTK 3 on X11). This
// header needs no toolkit, so the command line compiles with or without it.
#include <optional>
#include <string>

namespace velmora::host {

struct DesktopOptions {
    std::string session;  // empty: one instance and no score
    std::string plugin;   // the plugin library
    std::string log;      // JSON lines for programs that drive the host; empty: none
    std::optional<int> hostVersion;  // the host version the plugin sees; none: the reference host's
};

// Runs until the main window is closed; the process's exit status.
int RunDesktop(const DesktopOptions& options);

}  // namespace velmora::host
