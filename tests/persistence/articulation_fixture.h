#pragma once
// Temporary folders, scripted file dialogs and a platform rooted in a chosen
// installation folder, for the articulation file tests.
#include <gtest/gtest.h>

#include <cctype>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "sdk/plug_constants.h"
#include "tests/support/instance_fixture.h"
#include "tests/support/scripted_menus.h"

namespace velmora::test {

// A fresh folder below the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("velmora-json-" + std::to_string(seed()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Answers each dialog with the next scripted path; none left cancels.
class ScriptedDialogs final : public platform::FileDialogs {
public:
    struct Asked {
        std::string title;
        std::string filter;
        std::string extension;  // save dialogs only
    };
    mutable std::deque<std::string> openAnswers;
    mutable std::deque<std::string> saveAnswers;
    mutable std::vector<Asked> opened;
    mutable std::vector<Asked> saved;

    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& /*startFolder*/) const override {
        opened.push_back({title, filter, {}});
        return next(openAnswers);
    }
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& extension) const override {
        saved.push_back({title, filter, extension});
        return next(saveAnswers);
    }

private:
    static std::optional<std::string> next(std::deque<std::string>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::string a = std::move(answers.front());
        answers.pop_front();
        return a;
    }
};

// A platform whose executable lies in installFolder, with its own settings file.
class TestPlatform final : public platform::Platform {
public:
    explicit TestPlatform(std::string installFolder)
        : installFolder_(std::move(installFolder)), settingsFile_(installFolder_ + "/settings.txt") {}

    std::string executableFolder() const override { return installFolder_; }
    platform::SettingsStore settings() const override { return platform::SettingsStore(settingsFile_); }
    const platform::FileDialogs& fileDialogs() const override { return dialogs; }
    const platform::PopupMenus& popupMenus() const override { return menus; }

    ScriptedDialogs dialogs;
    ScriptedMenus menus;

private:
    std::string installFolder_;
    std::string settingsFile_;
};

struct MessageBoxCall {
    std::string text;
    std::intptr_t style = 0;
    bool operator==(const MessageBoxCall&) const = default;
};

inline std::vector<MessageBoxCall> MessageBoxes(const RecordingHost& host) {
    std::vector<MessageBoxCall> out;
    for (const auto& c : host.callsWithId(plug::FHD_MessageBox)) {
        out.push_back({c.text, c.value});
    }
    return out;
}

// A test-name suffix from a case description: letters and digits kept, the rest '_'.
inline std::string CaseName(std::string what) {
    for (char& c : what) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return what;
}

inline std::size_t StateChanges(const RecordingHost& host) { return host.callsWithId(plug::FHD_StateChanged).size(); }

inline void PrintTo(const MessageBoxCall& m, std::ostream* os) { *os << '"' << m.text << "\" style " << m.style; }

// A distinct, non-blank articulation for slot a, with key names loaded from a file.
inline void FillArticulation(ArticulationTable& t, int a, bool withKeyNames = true) {
    t.name[a] = "Art " + std::to_string(a);
    t.icon[a] = a;
    t.note[a] = a + 1;
    t.notev[a] = 100;
    t.prog[a] = a + 2;
    t.modw[a] = a + 3;
    t.modc[a] = 7;
    if (withKeyNames) {
        t.keyNames[a].names = std::make_unique<KeyNames>();
        (*t.keyNames[a].names)[0] = "key of " + std::to_string(a);
        t.keyNames[a].path = "/keys/" + std::to_string(a) + ".txt";
        t.keyNames[a].title = std::to_string(a);
    }
}

}  // namespace velmora::test
