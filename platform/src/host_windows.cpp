// The service of a platform that knows no host windows: nothing is found and
// input goes nowhere. The debug output still reaches the process's standard
// error, where a developer looks for it.
#include "platform/host_windows.h"

#include <cstdio>

namespace platform {

HWND HostWindows::findTopLevel(std::string_view, std::string_view, HWND) const { return nullptr; }
HWND HostWindows::findChild(HWND, std::string_view, std::string_view, HWND) const { return nullptr; }
HWND HostWindows::parent(HWND) const { return nullptr; }
HWND HostWindows::firstChild(HWND) const { return nullptr; }
bool HostWindows::windowRect(HWND, ui::Rect&) const { return false; }
bool HostWindows::clientRect(HWND, ui::Rect&) const { return false; }
ui::Point HostWindows::clientToScreen(HWND, ui::Point client) const { return client; }
ui::Point HostWindows::screenToClient(HWND, ui::Point screen) const { return screen; }
HWND HostWindows::windowAt(ui::Point) const { return nullptr; }
std::vector<std::uint32_t> HostWindows::pixelRow(HWND, int) const { return {}; }
ui::Point HostWindows::cursorPosition() const { return {}; }
void HostWindows::setCursorPosition(ui::Point) const {}
void HostWindows::leftButton(bool) const {}
void HostWindows::key(int, bool) const {}
bool HostWindows::keyDown(int) const { return false; }
void HostWindows::moveWindow(HWND, ui::Point) const {}
void HostWindows::debugOutput(const std::string& text) const { std::fputs(text.c_str(), stderr); }

}  // namespace platform
