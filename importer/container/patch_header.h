#pragma once
// The 222-byte patch header: byte-order detection, and the fields the
// importer reads.
#include "importer/items/item.h"

#include <array>
#include <cstdint>

namespace velmora::container {

using items::kPatchHeaderSize;
using PatchHeaderBytes = std::array<std::uint8_t, kPatchHeaderSize>;

constexpr std::uint32_t kHeaderKindA = 0x7FA89012;
constexpr std::uint32_t kHeaderKindB = 0xAB85EF01;
constexpr std::uint32_t kHeaderKindC = 0x10874353;
constexpr std::uint32_t kHeaderMagic = 0xEA37631A;
constexpr std::uint16_t kContainerHeaderVersion = 0x110;
constexpr std::uint32_t kNewestReaderVersion = 0x0505FFFF;

// Field offsets.
constexpr std::size_t kOffKind = 0x00;
constexpr std::size_t kOffCompressedSize = 0x04;
constexpr std::size_t kOffVersion = 0x08;
constexpr std::size_t kOffMagic = 0x0A;
constexpr std::size_t kOffReaderVersion = 0x2E;
constexpr std::size_t kOffChecksum = 0xB6;
constexpr std::size_t kOffDecompressedSize = 0xBA;

// The header's bytes, always held little-endian: a big-endian header has its
// fields reversed on the way in.
struct PatchHeader {
    PatchHeaderBytes bytes{};

    std::uint32_t kind() const { return u32At(kOffKind); }
    std::uint32_t compressedSize() const { return u32At(kOffCompressedSize); }
    std::uint16_t version() const { return u16At(kOffVersion); }
    std::uint32_t magic() const { return u32At(kOffMagic); }
    std::uint32_t readerVersion() const { return u32At(kOffReaderVersion); }
    std::uint32_t checksum() const { return u32At(kOffChecksum); }
    std::uint32_t decompressedSize() const { return u32At(kOffDecompressedSize); }

    std::uint32_t u32At(std::size_t at) const;
    std::uint16_t u16At(std::size_t at) const;
};

bool isHeaderKind(std::uint32_t v);

// True when the kind matches only byte-reversed. An unrecognised kind is taken
// as little-endian.
bool headerIsBigEndian(const PatchHeaderBytes& stored);

// Reverses the multi-byte fields a big-endian header stores reversed.
PatchHeaderBytes reverseHeaderFields(PatchHeaderBytes bytes);

}  // namespace velmora::container
