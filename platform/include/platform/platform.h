#pragma once
// The one object through which the plugin's logic reaches the operating
// system. Tests substitute parts of it.
#include <functional>
#include <memory>
#include <string>

#include "platform/desktop_file_dialogs.h"
#include "platform/file_dialogs.h"
#include "platform/host_windows.h"
#include "platform/keyboard_state.h"
#include "platform/popup_menus.h"
#include "platform/settings_store.h"
#include "platform/ui/cursor.h"
#include "platform/ui/headless_cursor.h"
#include "platform/ui/window.h"
#include "platform/ui/x11_desktop.h"
#include "shared/headless_editor.h"

namespace platform {

class Platform {
public:
    Platform();
    virtual ~Platform();

    virtual SettingsStore settings() const { return SettingsStore::currentUser(); }
    // The host's windows: those a host described (setHostWindows), else the
    // desktop's once one is open, else the platform's own.
    virtual const HostWindows& hostWindows() const;
    // Windows a host without a window system describes; null gives the
    // platform's own back. The caller keeps them alive while they are set.
    void setHostWindows(const HostWindows* windows) { describedHostWindows_ = windows; }
    // Keys, menus, dialogs, pointer and windows are the desktop's once one is open.
    virtual const FileDialogs& fileDialogs() const;
    virtual const KeyboardState& keyboardState() const;
    virtual const PopupMenus& popupMenus() const;
    // The screen's mouse pointer. Without a window system it is a virtual
    // pointer that the headless windows of this platform move and report.
    virtual ui::Cursor& cursor();
    // Folder of the running executable, without a trailing separator.
    virtual std::string executableFolder() const;
    // File name (with folder) of the loaded module that contains address.
    virtual std::string moduleFileName(const void* address) const;
    // A new editor window, hidden, of this platform's window system. Without
    // one it is a headless window that the host drives through its table.
    virtual std::unique_ptr<ui::Window> createWindow();
    // The services of a host without a window system; null clears them.
    void setHeadlessHost(const velmora::HeadlessHost* host) { headlessHost_ = host; }

    // Connects to an X server (null or empty: $DISPLAY) and makes it this
    // platform's window system from then on. Once per platform: a second call
    // answers true and keeps the desktop already open. False with the reason
    // in `error` when no server answers. Interface thread.
    bool openDesktop(const char* display, std::string& error);
    // The desktop opened, null while the platform is headless.
    ui::X11Desktop* desktop() const { return desktop_.get(); }
    // Where the platform tells what went wrong that no caller sees (a file
    // dialog that could not be shown); unset, nowhere.
    void setDebugOutput(std::function<void(const std::string&)> output) { debugOutput_ = std::move(output); }

private:
    std::unique_ptr<ui::X11Desktop> desktop_;
    const velmora::HeadlessHost* headlessHost_ = nullptr;
    HostWindows hostWindows_;
    const HostWindows* describedHostWindows_ = nullptr;
    FileDialogs fileDialogs_{&headlessHost_};
    std::function<void(const std::string&)> debugOutput_;
    DesktopFileDialogs desktopFileDialogs_{[this](const std::string& line) {
        if (debugOutput_) {
            debugOutput_(line);
        }
    }};
    KeyboardState keyboardState_{&headlessHost_};
    PopupMenus popupMenus_{&headlessHost_};
    ui::HeadlessCursor cursor_;
};

// The process's platform; the plugin's instances all use it.
Platform& defaultPlatform();

}  // namespace platform
