#pragma once
// An instance with its editor shown on a platform whose menus and file
// dialogs answer as the test scripts and keep what they were asked, whose
// modifier keys the test holds down, and whose settings and installation
// folder are a temporary folder of the test's own. Mouse buttons go through
// the editor's message handler at scale 1 (window pixels are editor units).
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "editor/message_handler.h"
#include "platform/platform.h"
#include "tests/editor/click_fixture.h"
#include "tests/support/instance_fixture.h"
#include "tests/support/scripted_menus.h"

namespace velmora::test {

// A fresh folder below the system's temporary folder, removed with the object.
class CommandFolder {
public:
    CommandFolder() {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("velmora-commands-" + std::to_string(seed()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~CommandFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    CommandFolder(const CommandFolder&) = delete;
    CommandFolder& operator=(const CommandFolder&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void WriteText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct DialogAsked {
    bool save = false;
    std::string title;
    std::string filter;
    std::string extension;    // save dialogs
    std::string startFolder;  // open dialogs
};

// Answers each dialog with the next scripted path; none left cancels.
class AnsweringDialogs final : public platform::FileDialogs {
public:
    mutable std::deque<std::string> answers;
    mutable std::vector<DialogAsked> asked;

    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& startFolder) const override {
        asked.push_back({false, title, filter, {}, startFolder});
        return next();
    }
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& extension) const override {
        asked.push_back({true, title, filter, extension, {}});
        return next();
    }

private:
    std::optional<std::string> next() const {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::string a = std::move(answers.front());
        answers.pop_front();
        return a;
    }
};

class CommandPlatform final : public platform::Platform {
public:
    explicit CommandPlatform(std::string folder) : folder_(std::move(folder)) {}

    std::string executableFolder() const override { return folder_; }
    platform::SettingsStore settings() const override { return platform::SettingsStore(folder_ + "/settings.txt"); }
    const platform::KeyboardState& keyboardState() const override { return keys; }
    const platform::FileDialogs& fileDialogs() const override { return dialogs; }
    const platform::PopupMenus& popupMenus() const override { return menus; }

    HeldKeys keys;
    AnsweringDialogs dialogs;
    ScriptedMenus menus;

private:
    std::string folder_;
};

// A menu entry as the test spells it: "-" for a separator, a greyed entry
// in brackets, a ticked one after a tick mark.
inline std::string Spelled(const platform::MenuEntry& e) {
    if (e.separator) {
        return "-";
    }
    std::string s = std::to_string(e.id) + " " + e.text;
    if (e.greyed) {
        s = "(" + s + ")";
    }
    return e.ticked ? "v " + s : s;
}

inline std::vector<std::string> Spelled(const std::vector<platform::MenuEntry>& entries) {
    std::vector<std::string> out;
    for (const platform::MenuEntry& e : entries) {
        out.push_back(Spelled(e));
    }
    return out;
}

class CommandTest : public ::testing::Test {
protected:
    using Button = platform::ui::MouseButton;
    using Event = platform::ui::WindowEvent;

    void SetUp() override {
        plug = MakeInstance(host, 1, platform);
        plug->visible = 1;
        plug->tab = 0;
        host.clearRecords();
    }

    void hold(std::initializer_list<int> keys) { platform.keys.held = keys; }
    void answerMenu(int id) { platform.menus.answers.push_back(id); }
    void answerDialog(const std::string& path) { platform.dialogs.answers.push_back(path); }

    void click(Button b, int x, int y) { ClickAt(*plug, b, x, y); }
    void leftClick(int x, int y) { click(Button::Left, x, y); }
    void rightClick(int x, int y) { click(Button::Right, x, y); }

    // The entries of the one menu shown, spelled; fails when not exactly one was shown.
    std::vector<std::string> onlyMenu() const {
        EXPECT_EQ(platform.menus.shown.size(), 1U);
        return platform.menus.shown.empty() ? std::vector<std::string>{} : Spelled(platform.menus.shown.back());
    }

    std::size_t stateChanges() const { return host.callsWithId(plug::FHD_StateChanged).size(); }
    std::vector<std::string> statusTexts() const {
        std::vector<std::string> texts;
        for (const auto& c : host.callsWithId(plug::FHD_StatusText)) {
            texts.push_back(c.text);
        }
        return texts;
    }
    std::vector<std::pair<std::string, std::intptr_t>> messageBoxes() const {
        std::vector<std::pair<std::string, std::intptr_t>> boxes;
        for (const auto& c : host.callsWithId(plug::FHD_MessageBox)) {
            boxes.emplace_back(c.text, c.value);
        }
        return boxes;
    }

    CommandFolder folder;  // outlives the platform and the instance
    CommandPlatform platform{folder.path()};
    RecordingHost host;
    PlugPtr plug;
};

}  // namespace velmora::test
