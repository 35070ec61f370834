#pragma once
// A keyboard table that the mixing thread reads while the interface thread
// may renew it: readers take whichever table is current, and a replaced table
// stays alive with its owner (a few kilobytes for each change of the server's
// keyboard), so no reader ever holds a freed one. No lock on either side.
#include <atomic>
#include <memory>
#include <vector>

#include "keyboard_mapping.h"

namespace platform::ui::x11 {

class SharedKeyboardMapping {
public:
    // Reads the server's table anew and makes it the current one. Interface thread.
    void load(xcb_connection_t* connection) {
        auto table = std::make_unique<KeyboardMapping>();
        table->load(connection);
        current_.store(table.get(), std::memory_order_release);
        tables_.push_back(std::move(table));
    }
    // The current table; an empty one before the first load. Any thread.
    const KeyboardMapping& current() const {
        const KeyboardMapping* table = current_.load(std::memory_order_acquire);
        return table != nullptr ? *table : empty_;
    }

private:
    std::vector<std::unique_ptr<KeyboardMapping>> tables_;
    std::atomic<const KeyboardMapping*> current_{nullptr};
    KeyboardMapping empty_;
};

}  // namespace platform::ui::x11
