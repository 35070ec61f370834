#pragma once
// A menu service for tests: answers each menu with the next scripted id (none
// left dismisses it) and keeps every menu it was shown.
#include <deque>
#include <vector>

#include "platform/popup_menus.h"

namespace velmora::test {

class ScriptedMenus final : public platform::PopupMenus {
public:
    mutable std::deque<int> answers;
    mutable std::vector<std::vector<platform::MenuEntry>> shown;

    int track(const std::vector<platform::MenuEntry>& entries) const override {
        shown.push_back(entries);
        if (answers.empty()) {
            return 0;
        }
        const int id = answers.front();
        answers.pop_front();
        return id;
    }
};

}  // namespace velmora::test
