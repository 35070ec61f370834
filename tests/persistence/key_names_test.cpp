// Key-name text files: loading with its line rules, clearing, saving, the
// title and the host notice.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "persistence/key_names.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

class ScriptedDialogs final : public platform::FileDialogs {
public:
    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& startFolder) const override {
        asked.push_back(title + " " + filter + (startFolder.empty() ? "" : " in " + startFolder));
        return answer;
    }
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& extension) const override {
        asked.push_back(title + " " + filter + " " + extension);
        return answer;
    }
    std::optional<std::string> answer;
    mutable std::vector<std::string> asked;
};

class DialogPlatform final : public platform::Platform {
public:
    const platform::FileDialogs& fileDialogs() const override { return dialogs; }
    ScriptedDialogs dialogs;
};

class KeyNames : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("velmora-keys-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        plug_ = MakeInstance(host_, 1, platform_);
        host_.clearRecords();
    }
    void TearDown() override {
        plug_.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    std::string write(const std::string& name, const std::string& content) const {
        std::ofstream(path(name), std::ios::binary) << content;
        return path(name);
    }
    std::string read(const std::string& file) const {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    const KeyNameMap& map(int a = 0) const { return plug_->articulations.keyNames[a]; }
    std::size_t notices() const { return host_.callsWithId(plug::FHD_NamesChanged).size(); }

    std::filesystem::path folder_;
    RecordingHost host_;
    DialogPlatform platform_;
    PlugPtr plug_;
};

TEST_F(KeyNames, LinesBecomeEntriesFromTheTopOfTheKeyboard) {
    const std::string file = write("strings.txt", "C8 hit\r\nB7\n\nlast\n");
    EXPECT_TRUE(LoadKeyNames(*plug_, 5, file));
    const KeyNameMap& m = map(5);
    ASSERT_TRUE(m.names);
    EXPECT_EQ((*m.names)[0], "C8 hit");
    EXPECT_EQ((*m.names)[1], "B7");
    EXPECT_EQ((*m.names)[2], "");
    EXPECT_EQ((*m.names)[3], "last");
    EXPECT_EQ((*m.names)[4], "");
    EXPECT_EQ(m.missing, 0);
    EXPECT_EQ(m.path, file);
    EXPECT_EQ(m.title, "strings");
    ASSERT_EQ(notices(), 1U);
    EXPECT_EQ(host_.callsWithId(plug::FHD_NamesChanged)[0].value, plug::kNamesPianoRoll);
}

TEST_F(KeyNames, LineRules) {
    struct Case {
        const char* what;
        std::string content;
        std::vector<std::pair<std::size_t, std::string>> expected;
    };
    std::string twoHundred;
    for (int i = 0; i < 200; ++i) {
        twoHundred += "line " + std::to_string(i) + "\n";
    }
    const Case cases[] = {
        {"200 lines: the first 132 are taken", twoHundred,
         {{0, "line 0"}, {131, "line 131"}, {132, ""}, {147, ""}}},
        {"a 100-character line keeps 64", std::string(100, 'a') + "\nnext\n", {{0, std::string(64, 'a')}, {1, "next"}}},
        {"64 characters and CR LF", std::string(64, 'b') + "\r\n", {{0, std::string(64, 'b')}}},
        {"63 characters and a run of CR and LF", std::string(63, 'c') + "\r\r\n", {{0, std::string(63, 'c')}, {1, ""}}},
        {"1500 characters count as two lines", std::string(1500, 'd') + "\nafter\n",
         {{0, std::string(64, 'd')}, {1, std::string(64, 'd')}, {2, "after"}}},
        {"no line end at the end", "only", {{0, "only"}}},
        {"an empty file", "", {{0, ""}, {147, ""}}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(LoadKeyNames(*plug_, 0, write("case.txt", c.content))) << c.what;
        ASSERT_TRUE(map().names) << c.what;
        for (const auto& [index, text] : c.expected) {
            EXPECT_EQ((*map().names)[index], text) << c.what << ", entry " << index;
        }
    }
}

TEST_F(KeyNames, TitleIsTheLastComponentWithoutItsExtension) {
    struct Case {
        const char* path;
        const char* title;
    };
    const Case cases[] = {
        {"/lib/keys/Strings.legato.txt", "Strings.legato"},
        {"C:\\Libraries\\Keys\\Strings.legato.txt", "Strings.legato"},
        {"C:\\Libraries/Keys\\Strings.legato.txt", "Strings.legato"},
        {"/keys/.hidden", ".hidden"},
        {"/keys/plain", "plain"},
        {"name.txt", "name"},
        {"/keys.d/plain", "plain"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyNameTitle(c.path), c.title) << c.path;
    }
}

TEST_F(KeyNames, AFileThatDoesNotOpenKeepsTheNamesAndIsMissing) {
    plug_->articulations.keyNames[2].names = std::make_unique<velmora::KeyNames>();
    (*plug_->articulations.keyNames[2].names)[9] = "stored";
    for (const std::string& p : {path("gone.txt"), folder_.string()}) {
        EXPECT_FALSE(LoadKeyNames(*plug_, 2, p)) << p;
        ASSERT_TRUE(map(2).names) << p;
        EXPECT_EQ((*map(2).names)[9], "stored") << p;
        EXPECT_EQ(map(2).missing, 1) << p;
        EXPECT_EQ(map(2).path, p);
    }
    EXPECT_EQ(map(2).title, std::filesystem::path(folder_).filename().string());
    EXPECT_EQ(notices(), 0U);
}

TEST_F(KeyNames, LoadingWithoutAPathClears) {
    ASSERT_TRUE(LoadKeyNames(*plug_, 0, write("a.txt", "x\n")));
    plug_->articulations.keyNames[0].missing = 1;
    EXPECT_FALSE(LoadKeyNames(*plug_, 0, std::nullopt));
    EXPECT_FALSE(map().names);
    EXPECT_TRUE(map().path.empty());
    EXPECT_TRUE(map().title.empty());
    EXPECT_EQ(map().missing, 0);
    EXPECT_EQ(notices(), 2U);
    EXPECT_TRUE(plug_->articulations.isBlank(0));
}

TEST_F(KeyNames, SaveWritesAll148AndReloadKeepsThe132) {
    ASSERT_TRUE(LoadKeyNames(*plug_, 0, write("a.txt", "x\n")));
    velmora::KeyNames& names = *plug_->articulations.keyNames[0].names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        names[i] = i % 3 == 0 ? "" : "n" + std::to_string(i);
    }
    const std::string out = path("saved.txt");
    ASSERT_TRUE(SaveKeyNames(*plug_, 0, out));
    std::string expected;
    for (const std::string& n : names) {
        expected += n + "\n";
    }
    EXPECT_EQ(read(out), expected);

    ASSERT_TRUE(LoadKeyNames(*plug_, 1, out));
    for (std::size_t i = 0; i < 148; ++i) {
        EXPECT_EQ((*map(1).names)[i], i < 132 ? names[i] : "") << i;
    }
}

TEST_F(KeyNames, SaveNeedsNamesAndAFileThatCanBeCreated) {
    EXPECT_FALSE(SaveKeyNames(*plug_, 0, path("none.txt")));
    EXPECT_FALSE(std::filesystem::exists(path("none.txt")));
    plug_->articulations.keyNames[0].names = std::make_unique<velmora::KeyNames>();
    EXPECT_FALSE(SaveKeyNames(*plug_, 0, path("no/such/folder.txt")));
    EXPECT_FALSE(LoadKeyNames(*plug_, 64, path("x.txt")));
    EXPECT_FALSE(LoadKeyNames(*plug_, -1, std::nullopt));
}

TEST_F(KeyNames, ChosenFilesGoThroughTheDialogs) {
    const std::string file = write("chosen.txt", "picked\n");
    EXPECT_FALSE(LoadKeyNamesFromChosenFile(*plug_, 3)) << "cancelled";
    EXPECT_FALSE(map(3).names);
    platform_.dialogs.answer = file;
    EXPECT_TRUE(LoadKeyNamesFromChosenFile(*plug_, 3));
    EXPECT_EQ((*map(3).names)[0], "picked");

    const std::string out = path("out.txt");
    platform_.dialogs.answer = out;
    EXPECT_TRUE(SaveKeyNamesToChosenFile(*plug_, 3));
    EXPECT_EQ(read(out).substr(0, 7), "picked\n");
    EXPECT_EQ(map(3).path, file) << "saving does not change where the names came from";
    EXPECT_FALSE(SaveKeyNamesToChosenFile(*plug_, 4)) << "no names to save";
    platform_.dialogs.answer.reset();
    EXPECT_FALSE(LoadKeyNamesFromChosenFile(*plug_, 3)) << "cancelled";
    EXPECT_EQ(map(3).path, file) << "a cancelled dialog keeps the names";
    const std::string folder = std::filesystem::path(file).parent_path().string();
    EXPECT_EQ(platform_.dialogs.asked,
              (std::vector<std::string>{"Open Text File Text files|*.txt|All files|*.*",
                                        "Open Text File Text files|*.txt|All files|*.*",
                                        "Save Text File Text files|*.txt|All files|*.* txt",
                                        "Open Text File Text files|*.txt|All files|*.* in " + folder}));
}

}  // namespace
}  // namespace velmora::test
