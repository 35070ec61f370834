#include "platform/platform.h"

#include "platform/ui/headless_window.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <string>

namespace platform {


std::string Platform::executableFolder() const {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) {
        return ".";
    }
    std::string path(buffer, static_cast<std::size_t>(n));
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string Platform::moduleFileName(const void* address) const {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return info.dli_fname;
}

Platform::Platform() = default;
Platform::~Platform() = default;

const HostWindows& Platform::hostWindows() const {
    if (describedHostWindows_ != nullptr) {
        return *describedHostWindows_;
    }
    return desktop_ ? desktop_->hostWindows() : hostWindows_;
}

const FileDialogs& Platform::fileDialogs() const { return desktop_ ? desktopFileDialogs_ : fileDialogs_; }

const KeyboardState& Platform::keyboardState() const { return desktop_ ? desktop_->keyboardState() : keyboardState_; }

const PopupMenus& Platform::popupMenus() const { return desktop_ ? desktop_->popupMenus() : popupMenus_; }

ui::Cursor& Platform::cursor() { return desktop_ ? desktop_->cursor() : cursor_; }

std::unique_ptr<ui::Window> Platform::createWindow() {
    if (desktop_) {
        return desktop_->createWindow();
    }
    return std::make_unique<ui::HeadlessWindow>(&headlessHost_, &cursor_);
}

bool Platform::openDesktop(const char* display, std::string& error) {
    if (!desktop_) {
        desktop_ = ui::X11Desktop::open(display, error);
    }
    return desktop_ != nullptr;
}

Platform& defaultPlatform() {
    static Platform instance;
    return instance;
}

}  // namespace platform
