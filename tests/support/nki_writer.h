#pragma once
// Builds NKI files in memory from a plain description: patch headers, item
// trees of sound containers, plain patch files and container files. The
// writer keeps its own constants so that it does not share a reader's faults.
#include "codec/fastlz.h"

#include <cstdint>
#include <vector>

namespace velmora::nki_writer {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kNISD = 0x4E495344;
constexpr std::uint32_t kNIK4 = 0x4E494B34;

struct ChunkName {
    std::uint32_t domain = 0;
    std::uint32_t id = 0;
};

// Item kinds used by fixtures.
constexpr ChunkName kBank{kNISD, 100};
constexpr ChunkName kPreset{kNISD, 101};
constexpr ChunkName kPresetContainer{kNISD, 103};
constexpr ChunkName kBinaryChunk{kNISD, 104};
constexpr ChunkName kSoundInfo{kNISD, 108};
constexpr ChunkName kPresetChunk{kNISD, 109};
constexpr ChunkName kResources{kNISD, 111};
constexpr ChunkName kSubtree{kNISD, 115};
constexpr ChunkName kAppSpecific{kNISD, 117};
constexpr ChunkName kRepositoryRoot{kNISD, 118};
constexpr ChunkName kSoundPreset{kNIK4, 3};
constexpr ChunkName kSoundHeader{kNIK4, 4};
constexpr ChunkName kUnknownKind{0x5A5A5A5A, 7};

// ---- patch header ------------------------------------------------------

struct HeaderFields {
    std::uint32_t kind = 0x7FA89012;
    std::uint32_t compressedSize = 0;
    std::uint16_t version = 0x110;
    std::uint32_t magic = 0xEA37631A;
    std::uint32_t readerVersion = 0x05000000;
    std::uint32_t checksum = 0;
    std::uint32_t decompressedSize = 0;
};

// 222 bytes; when big-endian, every multi-byte field is stored reversed.
Bytes patchHeader(const HeaderFields& fields, bool bigEndian = false);

// ---- item trees ----------------------------------------------------------

enum class Body { Plain, SoundHeader, Subtree, PresetChunk };

struct ItemSpec {
    ChunkName entry;               // (domain, id) in the parent's children list
    std::vector<ChunkName> chain;  // data chunks, outermost first; the last is the class's own
    Body body = Body::Plain;
    Bytes payload;  // Plain: bytes after the base chunk; SoundHeader: the header; PresetChunk: preset data
    bool packed = false;           // Subtree
    codec::FastLzLevel level = codec::FastLzLevel::Two;
    std::vector<ItemSpec> held;    // Subtree: the one item it holds
    std::uint32_t key = 0;
    std::vector<ItemSpec> children;
    std::uint32_t listVersion = 1;
};

ItemSpec plainItem(ChunkName kind, std::uint32_t key = 0, std::vector<ItemSpec> children = {});
ItemSpec soundHeaderItem(Bytes header, std::uint32_t key = 0);
ItemSpec presetChunkItem(Bytes presetData, std::uint32_t key = 0);
ItemSpec subtreeItem(ItemSpec held, bool packed, codec::FastLzLevel level, std::uint32_t key = 1);
// An item whose kind the factory does not know, its data wrapping `inner`.
ItemSpec unknownItem(ChunkName inner, std::uint32_t key = 0, std::vector<ItemSpec> children = {});

Bytes itemFrame(const ItemSpec& item);

// ---- files ---------------------------------------------------------------

enum class TrailerKind { None, Little, Big };

struct PlainPatch {
    Bytes preset;
    codec::FastLzLevel level = codec::FastLzLevel::One;
    bool bigEndian = false;
    HeaderFields header;  // sizes and checksum are filled in
    TrailerKind trailer = TrailerKind::None;
    Bytes trailerData;  // its size is what the trailer announces
};

Bytes plainPatchFile(const PlainPatch& patch);

enum class PresetLayout { PackedSubtree, InlineSubtree, DirectChild };

struct ContainerPatch {
    Bytes preset;
    PresetLayout layout = PresetLayout::PackedSubtree;
    codec::FastLzLevel level = codec::FastLzLevel::Two;
    bool unknownPresetKind = false;  // the preset item under an unknown kind
    bool extraItems = false;         // skipped and unknown items before the preset
    HeaderFields header;             // checksum is filled in
};

ItemSpec containerTree(const ContainerPatch& patch);
Bytes containerFile(const ContainerPatch& patch);

}  // namespace velmora::nki_writer
