#include "plugin/host_window_tree.h"

#include <memory>
#include <optional>

#include "platform/scripted_host_windows.h"

namespace velmora {

namespace {

std::unique_ptr<platform::ScriptedHostWindows>& Tree() {
    static std::unique_ptr<platform::ScriptedHostWindows> tree;
    return tree;
}

}  // namespace

bool SetHostWindowTree(platform::Platform& platform, const char* json, std::string& error) {
    if (json == nullptr) {
        platform.setHostWindows(nullptr);
        Tree().reset();
        return true;
    }
    std::optional<platform::ScriptedHostWindows> read = platform::ScriptedHostWindows::FromJson(json, error);
    if (!read) {
        return false;
    }
    auto tree = std::make_unique<platform::ScriptedHostWindows>(std::move(*read));
    // The platform lets go of the old tree before it goes.
    platform.setHostWindows(tree.get());
    Tree() = std::move(tree);
    return true;
}

std::string TakeHostWindowLog() {
    if (!Tree()) {
        return "[]";
    }
    std::string log = Tree()->LogJson();
    Tree()->clearLog();
    return log;
}

}  // namespace velmora
