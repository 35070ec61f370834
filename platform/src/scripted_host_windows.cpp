// The in-memory window tree: searches, geometry, and input acted out on it.
#include "platform/scripted_host_windows.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace platform {

namespace {

constexpr int kLeftButton = 0x01;
constexpr int kShift = 0x10;
constexpr int kControl = 0x11;
constexpr int kAlt = 0x12;
constexpr int kLeftShift = 0xA0;
constexpr int kRightShift = 0xA1;
constexpr int kLeftControl = 0xA2;
constexpr int kRightControl = 0xA3;
constexpr int kLeftAlt = 0xA4;
constexpr int kRightAlt = 0xA5;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char l, char r) {
               return std::tolower(static_cast<unsigned char>(l)) == std::tolower(static_cast<unsigned char>(r));
           });
}

bool Contains(const ui::Rect& r, ui::Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

std::uintptr_t Number(HWND id) { return reinterpret_cast<std::uintptr_t>(id); }

HostWindowInput Input(HostWindowInput::Kind kind, int x = 0, int y = 0) {
    HostWindowInput input;
    input.kind = kind;
    input.x = x;
    input.y = y;
    return input;
}

}  // namespace

std::string DescribeInput(const HostWindowInput& input) {
    const char* state = input.down ? "down" : "up";
    char line[96];
    switch (input.kind) {
        case HostWindowInput::Kind::Cursor: std::snprintf(line, sizeof(line), "cursor %d,%d", input.x, input.y); break;
        case HostWindowInput::Kind::Button: std::snprintf(line, sizeof(line), "button %s", state); break;
        case HostWindowInput::Kind::Key: std::snprintf(line, sizeof(line), "key 0x%02X %s", input.key, state); break;
        case HostWindowInput::Kind::Move:
            std::snprintf(line, sizeof(line), "move %ju to %d,%d", static_cast<std::uintmax_t>(Number(input.window)),
                          input.x, input.y);
            break;
        case HostWindowInput::Kind::Debug: {
            std::string text = input.text;
            if (!text.empty() && text.back() == '\n') {
                text.pop_back();
            }
            return "debug: " + text;
        }
    }
    return line;
}

HWND ScriptedHostWindows::nextFreeId() {
    while (lookup(reinterpret_cast<HWND>(nextId_)) != nullptr) {
        ++nextId_;
    }
    return reinterpret_cast<HWND>(nextId_);
}

HWND ScriptedHostWindows::add(ScriptedWindow window) {
    if (window.id == nullptr) {
        window.id = nextFreeId();
    } else if (lookup(window.id) != nullptr) {
        return nullptr;
    }
    if (window.parent != nullptr && lookup(window.parent) == nullptr) {
        window.parent = nullptr;
    }
    windows_.push_back(std::move(window));
    return windows_.back().id;
}

void ScriptedHostWindows::remove(HWND window) {
    std::vector<HWND> gone{window};
    // Children come after their parents, so one pass in creation order finds
    // every descendant.
    for (const ScriptedWindow& w : windows_) {
        if (std::find(gone.begin(), gone.end(), w.parent) != gone.end()) {
            gone.push_back(w.id);
        }
    }
    std::erase_if(windows_, [&](const ScriptedWindow& w) { return std::find(gone.begin(), gone.end(), w.id) != gone.end(); });
}

void ScriptedHostWindows::setPixelRow(HWND window, int y, std::vector<std::uint32_t> pixels, std::uint32_t fill) {
    ScriptedWindow* w = lookup(window);
    if (w == nullptr) {
        return;
    }
    std::erase_if(w->rows, [y](const ScriptedWindow::Row& r) { return r.y == y; });
    w->rows.push_back({y, std::move(pixels), fill});
}

void ScriptedHostWindows::hold(int virtualKey, bool down) { setHeld(virtualKey, down); }

void ScriptedHostWindows::setHeld(int virtualKey, bool down) const {
    if (down) {
        keys_.insert(virtualKey);
    } else {
        keys_.erase(virtualKey);
    }
}

const ScriptedWindow* ScriptedHostWindows::window(HWND id) const { return lookup(id); }

ScriptedWindow* ScriptedHostWindows::lookup(HWND id) const {
    if (id == nullptr) {
        return nullptr;
    }
    auto it = std::find_if(windows_.begin(), windows_.end(), [id](const ScriptedWindow& w) { return w.id == id; });
    return it == windows_.end() ? nullptr : &*it;
}

std::vector<std::string> ScriptedHostWindows::logLines() const {
    std::vector<std::string> lines;
    lines.reserve(log_.size());
    for (const HostWindowInput& input : log_) {
        lines.push_back(DescribeInput(input));
    }
    return lines;
}

HWND ScriptedHostWindows::find(HWND parent, std::string_view className, std::string_view title, HWND after) const {
    bool started = after == nullptr;
    for (const ScriptedWindow& w : windows_) {
        if (w.parent != parent) {
            continue;
        }
        if (!started) {
            started = w.id == after;
            continue;
        }
        if ((className.empty() || w.className == className) && (title.empty() || SameIgnoringCase(w.title, title))) {
            return w.id;
        }
    }
    return nullptr;
}

HWND ScriptedHostWindows::findTopLevel(std::string_view className, std::string_view title, HWND after) const {
    return find(nullptr, className, title, after);
}

HWND ScriptedHostWindows::findChild(HWND parent, std::string_view className, std::string_view title, HWND after) const {
    return parent == nullptr || lookup(parent) == nullptr ? nullptr : find(parent, className, title, after);
}

HWND ScriptedHostWindows::parent(HWND window) const {
    const ScriptedWindow* w = lookup(window);
    return w == nullptr ? nullptr : w->parent;
}

HWND ScriptedHostWindows::firstChild(HWND window) const {
    return window == nullptr || lookup(window) == nullptr ? nullptr : find(window, {}, {}, nullptr);
}

bool ScriptedHostWindows::windowRect(HWND window, ui::Rect& screen) const {
    const ScriptedWindow* w = lookup(window);
    if (w == nullptr) {
        return false;
    }
    screen = w->rect;
    return true;
}

bool ScriptedHostWindows::clientRect(HWND window, ui::Rect& client) const {
    const ScriptedWindow* w = lookup(window);
    if (w == nullptr) {
        return false;
    }
    client = {0, 0, std::max(0, w->rect.width() - w->clientOffset.x), std::max(0, w->rect.height() - w->clientOffset.y)};
    return true;
}

ui::Point ScriptedHostWindows::clientToScreen(HWND window, ui::Point client) const {
    const ScriptedWindow* w = lookup(window);
    if (w == nullptr) {
        return client;
    }
    return {w->rect.left + w->clientOffset.x + client.x, w->rect.top + w->clientOffset.y + client.y};
}

ui::Point ScriptedHostWindows::screenToClient(HWND window, ui::Point screen) const {
    const ScriptedWindow* w = lookup(window);
    if (w == nullptr) {
        return screen;
    }
    return {screen.x - w->rect.left - w->clientOffset.x, screen.y - w->rect.top - w->clientOffset.y};
}

HWND ScriptedHostWindows::windowAt(ui::Point screen) const {
    // The topmost window at the point among the top-level ones, then the
    // topmost of its children there, down to the deepest.
    HWND found = nullptr;
    for (;;) {
        HWND top = nullptr;
        for (const ScriptedWindow& w : windows_) {
            if (w.parent == found && Contains(w.rect, screen)) {
                top = w.id;
            }
        }
        if (top == nullptr) {
            return found;
        }
        found = top;
    }
}

std::vector<std::uint32_t> ScriptedHostWindows::pixelRow(HWND window, int y) const {
    const ScriptedWindow* w = lookup(window);
    if (w == nullptr || y < 0 || y >= w->rect.height() || w->rect.width() <= 0) {
        return {};
    }
    const auto width = static_cast<std::size_t>(w->rect.width());
    for (const ScriptedWindow::Row& row : w->rows) {
        if (row.y == y) {
            std::vector<std::uint32_t> pixels(width, row.fill);
            std::copy_n(row.pixels.begin(), std::min(width, row.pixels.size()), pixels.begin());
            return pixels;
        }
    }
    return std::vector<std::uint32_t>(width, 0);
}

void ScriptedHostWindows::record(const HostWindowInput& input) const {
    log_.push_back(input);
    if (reaction_) {
        // The describer answers as the window system would: it may change
        // the tree, which is this object, and give input of its own (which
        // grows the log, so the reaction gets its own copy).
        reaction_(const_cast<ScriptedHostWindows&>(*this), input);
    }
}

void ScriptedHostWindows::setCursorPosition(ui::Point screen) const {
    cursor_ = screen;
    record(Input(HostWindowInput::Kind::Cursor, screen.x, screen.y));
}

void ScriptedHostWindows::leftButton(bool down) const {
    setHeld(kLeftButton, down);
    HostWindowInput input = Input(HostWindowInput::Kind::Button);
    input.down = down;
    record(input);
}

void ScriptedHostWindows::key(int virtualKey, bool down) const {
    setHeld(virtualKey, down);
    HostWindowInput input = Input(HostWindowInput::Kind::Key);
    input.key = virtualKey;
    input.down = down;
    record(input);
}

bool ScriptedHostWindows::keyDown(int virtualKey) const {
    const auto held = [this](int vk) { return keys_.count(vk) != 0; };
    switch (virtualKey) {
        case kShift: return held(kShift) || held(kLeftShift) || held(kRightShift);
        case kControl: return held(kControl) || held(kLeftControl) || held(kRightControl);
        case kAlt: return held(kAlt) || held(kLeftAlt) || held(kRightAlt);
        default: return held(virtualKey);
    }
}

void ScriptedHostWindows::shift(HWND id, int dx, int dy) const {
    for (ScriptedWindow& w : windows_) {
        if (w.id == id) {
            w.rect = {w.rect.left + dx, w.rect.top + dy, w.rect.right + dx, w.rect.bottom + dy};
        }
    }
    for (const ScriptedWindow& w : windows_) {
        if (w.parent == id) {
            shift(w.id, dx, dy);
        }
    }
}

void ScriptedHostWindows::moveWindow(HWND window, ui::Point inParent) const {
    if (const ScriptedWindow* w = lookup(window)) {
        const ui::Point origin = w->parent != nullptr ? clientToScreen(w->parent, {0, 0}) : ui::Point{};
        shift(window, origin.x + inParent.x - w->rect.left, origin.y + inParent.y - w->rect.top);
    }
    HostWindowInput input = Input(HostWindowInput::Kind::Move, inParent.x, inParent.y);
    input.window = window;
    record(input);
}

void ScriptedHostWindows::debugOutput(const std::string& text) const {
    HostWindowInput input = Input(HostWindowInput::Kind::Debug);
    input.text = text;
    record(input);
}

}  // namespace platform
