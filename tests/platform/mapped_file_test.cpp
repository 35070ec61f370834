// Mapping whole files: what each kind of path gives, and that a mapping keeps
// the bytes and length it was made with.
#include "platform/mapped_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

class MappedFileTest : public ::testing::Test {
protected:
    MappedFileTest() {
        std::random_device seed;
        do {
            folder_ = fs::temp_directory_path() / ("velmora-map-" + std::to_string(seed()));
        } while (!fs::create_directory(folder_));
    }
    ~MappedFileTest() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    static void write(const std::string& at, const std::string& bytes, std::ios::openmode mode = std::ios::trunc) {
        std::ofstream(at, std::ios::binary | mode) << bytes;
    }
    static std::string text(const MappedFile& f) { return {f.bytes().begin(), f.bytes().end()}; }

    fs::path folder_;
};

TEST_F(MappedFileTest, WhatEachKindOfPathGives) {
    write(path("empty.nki"), "");
    write(path("some.nki"), std::string("\x01\x02\0\x03", 4));
    fs::create_directory(path("folder.nki"));
    struct Case {
        const char* name;
        std::string file;
        MappedFileStatus status;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"missing file", path("absent.nki"), MappedFileStatus::CannotOpen, ""},
        {"empty file", path("empty.nki"), MappedFileStatus::Ok, ""},
        {"a folder", path("folder.nki"), MappedFileStatus::ReadFailed, ""},
        {"a device", "/dev/null", MappedFileStatus::ReadFailed, ""},
        {"a file", path("some.nki"), MappedFileStatus::Ok, std::string("\x01\x02\0\x03", 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MappedFile f = MappedFile::open(c.file);
        EXPECT_EQ(f.status(), c.status);
        EXPECT_EQ(text(f), c.bytes);
    }
}

TEST_F(MappedFileTest, KeepsTheLengthItWasMappedWith) {
    write(path("growing.nki"), "first");
    const MappedFile f = MappedFile::open(path("growing.nki"));
    ASSERT_EQ(f.status(), MappedFileStatus::Ok);
    write(path("growing.nki"), " and more", std::ios::app);
    EXPECT_EQ(text(f), "first") << "bytes appended later are not part of the mapping";
    EXPECT_EQ(text(MappedFile::open(path("growing.nki"))), "first and more");
}

TEST_F(MappedFileTest, BytesOutliveTheFileAndMoveWithTheMapping) {
    write(path("gone.nki"), "still here");
    MappedFile f = MappedFile::open(path("gone.nki"));
    fs::remove(path("gone.nki"));
    EXPECT_EQ(text(f), "still here");

    MappedFile moved = std::move(f);
    EXPECT_EQ(text(moved), "still here");
    EXPECT_TRUE(f.bytes().empty());  // NOLINT(bugprone-use-after-move): a moved-from mapping holds nothing
    moved = MappedFile::open(path("absent.nki"));
    EXPECT_EQ(moved.status(), MappedFileStatus::CannotOpen);
    EXPECT_TRUE(moved.bytes().empty());
}

}  // namespace
}  // namespace platform
