#include <gtest/gtest.h>

#include <filesystem>

#include "platform/byte_stream.h"

namespace platform {
namespace {

TEST(MemoryStream, ReadsWhatWasWrittenAndZeroFillsPastTheEnd) {
    MemoryStream out;
    const std::uint8_t bytes[] = {1, 2, 3};
    std::uint32_t n = 0;
    EXPECT_EQ(out.Write(bytes, 3, &n), 0);
    EXPECT_EQ(n, 3U);

    MemoryStream in(out.bytes());
    std::uint8_t first[2] = {};
    EXPECT_EQ(in.Read(first, 2, &n), 0);
    EXPECT_EQ(first[1], 2);
    std::uint8_t rest[4] = {9, 9, 9, 9};
    EXPECT_NE(in.Read(rest, 4, &n), 0);  // short read is reported
    EXPECT_EQ(n, 1U);
    EXPECT_EQ(rest[0], 3);
    EXPECT_EQ(rest[1], 0);
    EXPECT_EQ(rest[3], 0);
    EXPECT_EQ(in.Read(rest, 4, nullptr), 1);  // count pointer may be absent
}

TEST(FileStream, RoundTripsThroughAFile) {
    const auto path = (std::filesystem::temp_directory_path() / "velmora-stream-test.bin").string();
    {
        FileStream out(path, FileStream::Mode::Write);
        ASSERT_TRUE(out.isOpen());
        const std::uint32_t word = 0xA1B2C3D4;
        EXPECT_EQ(out.Write(&word, 4, nullptr), 0);
    }
    FileStream in(path, FileStream::Mode::Read);
    std::uint32_t word = 0;
    std::uint32_t n = 0;
    EXPECT_EQ(in.Read(&word, 4, &n), 0);
    EXPECT_EQ(word, 0xA1B2C3D4U);
    EXPECT_NE(in.Read(&word, 4, &n), 0);
    EXPECT_EQ(n, 0U);
    std::filesystem::remove(path);
}

TEST(FileStream, MissingFileReadsZeros) {
    FileStream in("/nonexistent/velmora/none.bin", FileStream::Mode::Read);
    EXPECT_FALSE(in.isOpen());
    std::uint32_t word = 7;
    EXPECT_NE(in.Read(&word, 4, nullptr), 0);
    EXPECT_EQ(word, 0U);
}

}  // namespace
}  // namespace platform
