#pragma once
// The 40-byte frame header that starts every item.
#include "shared/byte_reader.h"

#include <array>
#include <cstdint>

namespace velmora::items {

constexpr std::uint32_t kFrameTag = 0x6E697368;  // stored bytes "hsin"
constexpr std::size_t kFrameHeaderSize = 40;

struct FrameHeader {
    std::uint64_t length = 0;  // the whole frame, this header included
    std::uint32_t version = 0;
    std::uint32_t tag = 0;
    std::array<std::uint8_t, 16> uid{};
};

// Reads a frame header at the reader's position; false (reader failed) when
// fewer than 40 bytes remain. The tag is not checked.
bool readFrameHeader(ByteReader& in, FrameHeader& out);

// True when a frame header can be read at the reader's position and its tag
// is "hsin". The position is left where it was.
bool isItemFrame(const ByteReader& in);

}  // namespace velmora::items
