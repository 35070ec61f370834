#pragma once
// Host windows kept in memory: a window tree that a test or a host without a
// window system describes, with a pointer and the keys held. Whatever the
// plugin does to it (pointer moves, button and key presses, window moves,
// debug output) is logged in order and acted out on the tree, so the next
// question sees the result; a reaction hook lets the describer answer input
// the way the real window would (a colour selector that opens on a click).
//
// Searches run in creation order; a window created later lies above the
// earlier ones where they overlap. Not synchronised: the calls come from one
// thread at a time, as in the tests and the reference host.
//
// JSON form (FromJson):
//   {
//     "windows": [ WINDOW, ... ],          top-level windows, in creation order
//     "cursor": [x, y],                    optional, the pointer on the screen
//     "keys": [vk, ...]                    optional, virtual key codes held down
//                                          (1 = the left mouse button)
//   }
//   WINDOW = {
//     "id": n,              optional: unsigned integer, unique, not 0; absent:
//                           the smallest id from 1 up that no window read
//                           before it has
//     "class": "TWPControl",               optional, default ""
//     "title": "Piano roll -",             optional, default ""
//     "rect": [left, top, right, bottom],  screen coordinates, required
//     "client": [x, y],     optional: the client area's top-left inside the
//                           window (default [0, 0]); the client area reaches
//                           the window's right and bottom edges
//     "rows": [ { "y": 2, "pixels": [COLOUR, ...], "fill": COLOUR }, ... ],
//                           optional pixel rows of the window: "pixels" from
//                           x = 0, the rest of the width "fill" (default 0)
//     "children": [ WINDOW, ... ]          optional, created after the window
//   }
//   COLOUR = "#RRGGBB" or an integer 0xRRGGBB.
//
// Log JSON (LogJson): an array of the inputs in order, each one of
//   {"kind":"cursor","x":X,"y":Y}
//   {"kind":"button","down":true|false}
//   {"kind":"key","key":VK,"down":true|false}
//   {"kind":"move","window":ID,"x":X,"y":Y}     (X, Y in the parent's client area)
//   {"kind":"debug","text":"..."}
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host_windows.h"

namespace platform {

struct ScriptedWindow {
    HWND id = nullptr;      // null when adding: the next free id
    HWND parent = nullptr;  // null: a top-level window
    std::string className;
    std::string title;
    ui::Rect rect;             // screen coordinates
    ui::Point clientOffset{};  // the client area's top-left inside the window
    struct Row {
        int y = 0;
        std::vector<std::uint32_t> pixels;  // 0xRRGGBB from x = 0
        std::uint32_t fill = 0;             // the rest of the width
    };
    std::vector<Row> rows;
};

// One thing the plugin did to the windows.
struct HostWindowInput {
    enum class Kind { Cursor, Button, Key, Move, Debug };
    Kind kind = Kind::Cursor;
    int x = 0;  // Cursor: screen; Move: the parent's client area
    int y = 0;
    int key = 0;  // Key: virtual key code
    bool down = false;  // Button, Key
    HWND window = nullptr;  // Move
    std::string text;  // Debug: as written
    friend bool operator==(const HostWindowInput&, const HostWindowInput&) = default;
};

// "cursor 120,340", "button down", "key 0x24 up", "move 7 to 10,20",
// "debug: Found window 0x7" (one trailing line end left off).
std::string DescribeInput(const HostWindowInput& input);

class ScriptedHostWindows final : public HostWindows {
public:
    using Reaction = std::function<void(ScriptedHostWindows&, const HostWindowInput&)>;

    // A tree as described above; nullopt with the reason in `error`.
    static std::optional<ScriptedHostWindows> FromJson(std::string_view json, std::string& error);

    // --- Building and changing the tree (the describer's side, not logged) ---
    // Adds a window after all others; answers its id (`window.id`, or the
    // next free one when null), or null when `window.id` is taken. A parent
    // that does not exist makes it top-level.
    HWND add(ScriptedWindow window);
    // Removes a window and everything inside it, as closing it does.
    void remove(HWND window);
    void setPixelRow(HWND window, int y, std::vector<std::uint32_t> pixels, std::uint32_t fill = 0);
    // The user's own pointer and keys.
    void placeCursor(ui::Point screen) { cursor_ = screen; }
    void hold(int virtualKey, bool down);
    const std::set<int>& keysHeld() const { return keys_; }
    // Null when there is no such window.
    const ScriptedWindow* window(HWND id) const;
    // Called after every logged input has been acted out.
    void setReaction(Reaction reaction) { reaction_ = std::move(reaction); }

    // --- What the plugin did ---
    const std::vector<HostWindowInput>& log() const { return log_; }
    std::vector<std::string> logLines() const;
    std::string LogJson() const;
    void clearLog() { log_.clear(); }

    // --- HostWindows ---
    HWND findTopLevel(std::string_view className, std::string_view title, HWND after = nullptr) const override;
    HWND findChild(HWND parent, std::string_view className, std::string_view title, HWND after = nullptr) const override;
    HWND parent(HWND window) const override;
    HWND firstChild(HWND window) const override;
    bool windowRect(HWND window, ui::Rect& screen) const override;
    bool clientRect(HWND window, ui::Rect& client) const override;
    ui::Point clientToScreen(HWND window, ui::Point client) const override;
    ui::Point screenToClient(HWND window, ui::Point screen) const override;
    HWND windowAt(ui::Point screen) const override;
    std::vector<std::uint32_t> pixelRow(HWND window, int y) const override;
    ui::Point cursorPosition() const override { return cursor_; }
    void setCursorPosition(ui::Point screen) const override;
    void leftButton(bool down) const override;
    void key(int virtualKey, bool down) const override;
    bool keyDown(int virtualKey) const override;
    void moveWindow(HWND window, ui::Point inParent) const override;
    void debugOutput(const std::string& text) const override;

private:
    void record(const HostWindowInput& input) const;
    HWND find(HWND parent, std::string_view className, std::string_view title, HWND after) const;
    ScriptedWindow* lookup(HWND id) const;
    void shift(HWND id, int dx, int dy) const;
    HWND nextFreeId();
    void setHeld(int virtualKey, bool down) const;

    // The service's members are const (a handle on a window system), but
    // here the window system is this object: input changes it.
    mutable std::vector<ScriptedWindow> windows_;  // creation order
    mutable ui::Point cursor_{};
    mutable std::set<int> keys_;
    mutable std::vector<HostWindowInput> log_;
    std::uintptr_t nextId_ = 1;
    Reaction reaction_;
};

}  // namespace platform
