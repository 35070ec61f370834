#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/settings_store.h"

namespace platform {
namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder_);
        store_ = std::make_unique<SettingsStore>((folder_ / "settings.txt").string());
    }
    std::filesystem::path folder_;
    std::unique_ptr<SettingsStore> store_;
};

TEST_F(SettingsStoreTest, CurrentUserLivesUnderTheConfigHome) {
    const std::string expected = (std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "ZOLT Velmora" / "settings.txt").string();
    EXPECT_EQ(SettingsStore::currentUser().filePath(), expected);
}

TEST_F(SettingsStoreTest, ValuesPersistAndNamesIgnoreCase) {
    EXPECT_FALSE(store_->readString(kVelmoraKey, "UI Scale"));
    ASSERT_TRUE(store_->writeString(kVelmoraKey, "UI Scale", "1.500000"));
    ASSERT_TRUE(store_->writeDword(kVelmoraKey, "HTTP API", 1));
    ASSERT_TRUE(store_->writeString(kHostGeneralKey, "Main PPI", "144"));

    SettingsStore reopened(store_->filePath());
    EXPECT_EQ(reopened.readString("software\\zolt\\zolt velmora", "ui scale"), "1.500000");
    EXPECT_EQ(reopened.readDword(kVelmoraKey, "HTTP API"), 1U);
    EXPECT_EQ(reopened.readString(kHostGeneralKey, "Main PPI"), "144");
    // A value of the other kind is not read as this kind.
    EXPECT_FALSE(reopened.readDword(kVelmoraKey, "UI Scale"));
    EXPECT_FALSE(reopened.readString(kVelmoraKey, "HTTP API"));
}

TEST_F(SettingsStoreTest, OverwriteKeepsOneValueAndTextsSurviveSpecialCharacters) {
    ASSERT_TRUE(store_->writeString(kVelmoraKey, "HTTP Port", "8000"));
    ASSERT_TRUE(store_->writeString(kVelmoraKey, "http port", "a\tb\\c\nd"));
    EXPECT_EQ(store_->readString(kVelmoraKey, "HTTP Port"), "a\tb\\c\nd");
    std::ifstream in(store_->filePath());
    int lines = 0;
    for (std::string line; std::getline(in, line);) {
        ++lines;
    }
    EXPECT_EQ(lines, 1);
}

TEST_F(SettingsStoreTest, DamagedLinesAreSkipped) {
    std::filesystem::create_directories(folder_);
    std::ofstream(store_->filePath()) << "garbage without tabs\n"
                                      << "Software\\\\ZOLT\\\\ZOLT Velmora\tHTTP API\td\t1\n";  // backslashes are escaped in the file
    EXPECT_EQ(store_->readDword(kVelmoraKey, "HTTP API"), 1U);
}

}  // namespace
}  // namespace platform
