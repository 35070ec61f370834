#include "importer/items/item_reader.h"

#include "codec/fastlz.h"
#include "importer/items/item_frame.h"
#include "shared/byte_reader.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace velmora::items {

namespace {

constexpr std::size_t kChunkHeaderSize = 20;
// Items nest far less deeply than this in real files; the bound keeps a
// crafted file from exhausting the stack.
constexpr int kMaxDepth = 64;

struct ReadContext {
    std::size_t unpackBudget = 0;
    int depth = 0;
    std::shared_ptr<const void> owner;  // of the bytes being read: the file or an unpacked subtree
};

struct ChunkHeader {
    std::uint64_t length = 0;
    ChunkId id;
    std::uint32_t version = 0;
};

ByteReader subReader(std::string_view bytes) {
    return ByteReader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool readChunkHeader(ByteReader& in, ChunkHeader& out) {
    return in.u64(out.length) && in.u32(out.id.domain) && in.u32(out.id.classId) &&
           in.u32(out.version) && out.length >= kChunkHeaderSize &&
           out.length - kChunkHeaderSize <= in.remaining();
}

// Reads a uint32 field that must be 1.
ItemReadCode expectOne(ByteReader& in) {
    std::uint32_t v = 0;
    if (!in.u32(v)) {
        return ItemReadCode::ShortRead;
    }
    return v == 1 ? ItemReadCode::Ok : ItemReadCode::BadVersion;
}

// The base item chunk every class's data ends in: a chunk header and a 1.
ItemReadCode readBaseItem(ByteReader& in) {
    ChunkHeader header;
    if (!readChunkHeader(in, header)) {
        return ItemReadCode::ShortRead;
    }
    return expectOne(in);
}

// The (domain, class id) of the nested chunk headers at the start of an
// item's data, outermost first, down to the base item chunk; with each the
// offset of its header.
struct ChainLink {
    ChunkId id;
    std::size_t offset = 0;
};

std::vector<ChainLink> readChain(std::string_view data) {
    std::vector<ChainLink> chain;
    ByteReader in = subReader(data);
    ChunkHeader header;
    while (readChunkHeader(in, header)) {
        chain.push_back({header.id, in.position() - kChunkHeaderSize});
        if (header.id == ChunkId{kDomainNISD, kBaseItemClassId}) {
            break;
        }
    }
    return chain;
}

ItemReadCode readFrame(ByteReader& in, std::optional<ItemClass> entryClass, Item& item,
                       ReadContext& ctx);

ItemReadCode readSubtree(ByteReader& in, Item& item, ReadContext& ctx) {
    if (ItemReadCode c = readBaseItem(in); c != ItemReadCode::Ok) {
        return c;
    }
    if (ItemReadCode c = expectOne(in); c != ItemReadCode::Ok) {
        return c;
    }
    std::uint8_t packed = 0;
    if (!in.u8(packed)) {
        return ItemReadCode::ShortRead;
    }
    auto held = std::make_unique<Item>();
    if (packed == 0) {
        if (ItemReadCode c = readFrame(in, std::nullopt, *held, ctx); c != ItemReadCode::Ok) {
            return c;
        }
        item.subtreeItem = std::move(held);
        return ItemReadCode::Ok;
    }
    std::uint32_t unpackedSize = 0;
    std::uint32_t storedSize = 0;
    if (!in.u32(unpackedSize) || !in.u32(storedSize)) {
        return ItemReadCode::ShortRead;
    }
    const std::string_view stored = in.view(storedSize);
    if (in.failed()) {
        return ItemReadCode::ShortRead;
    }
    // Refuse before allocating a size the stored bytes cannot produce.
    if (unpackedSize > codec::fastlzMaxDecompressedSize(stored.size()) ||
        unpackedSize > ctx.unpackBudget) {
        return ItemReadCode::BadUnpackedSize;
    }
    ctx.unpackBudget -= unpackedSize;
    // Every byte is written by the decompressor, so the buffer is not cleared
    // first. It is shared rather than owned here: the preset data inside it
    // is handed on as a view, not copied out.
    const std::shared_ptr<std::uint8_t[]> unpacked = std::make_shared_for_overwrite<std::uint8_t[]>(unpackedSize);
    const std::span<const std::uint8_t> storedBytes(
        reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size());
    if (!codec::fastlzDecompressExact(storedBytes, std::span<std::uint8_t>(unpacked.get(), unpackedSize))) {
        return ItemReadCode::BadUnpackedSize;
    }
    ByteReader inner(unpacked.get(), unpackedSize);
    std::shared_ptr<const void> outer = std::exchange(ctx.owner, unpacked);
    const ItemReadCode code = readFrame(inner, std::nullopt, *held, ctx);
    ctx.owner = std::move(outer);
    if (code != ItemReadCode::Ok) {
        return code;
    }
    item.subtreeItem = std::move(held);
    return ItemReadCode::Ok;
}

ItemReadCode readPresetChunk(ByteReader& in, Item& item, const ReadContext& ctx) {
    if (ItemReadCode c = readBaseItem(in); c != ItemReadCode::Ok) {
        return c;
    }
    if (ItemReadCode c = expectOne(in); c != ItemReadCode::Ok) {
        return c;
    }
    std::uint32_t presetVersion = 0;
    std::uint32_t byteChunkVersion = 0;
    std::uint64_t length = 0;
    if (!in.u32(presetVersion) || !in.u32(byteChunkVersion) || !in.u64(length) ||
        length > in.remaining()) {
        return ItemReadCode::ShortRead;
    }
    const std::string_view bytes = in.view(static_cast<std::size_t>(length));
    std::uint32_t presetTail = 0;
    std::uint32_t itemTail = 0;
    if (!in.u32(presetTail) || !in.u32(itemTail)) {
        return ItemReadCode::ShortRead;
    }
    item.presetData.emplace(ctx.owner, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    return ItemReadCode::Ok;
}

ItemReadCode readSoundHeader(ByteReader& in, Item& item) {
    if (ItemReadCode c = readBaseItem(in); c != ItemReadCode::Ok) {
        return c;
    }
    std::array<std::uint8_t, kPatchHeaderSize> header{};
    if (!in.bytes(header.data(), header.size())) {
        return ItemReadCode::ShortRead;
    }
    item.patchHeader = header;
    return ItemReadCode::Ok;
}

// Reads an item's data: the outermost chunk, of which the chosen class reads
// its own part. Classes off the import path are skipped by length.
ItemReadCode readData(ByteReader& frame, std::optional<ItemClass> entryClass, Item& item,
                      ReadContext& ctx) {
    const std::size_t start = frame.position();
    ChunkHeader outer;
    if (!readChunkHeader(frame, outer)) {
        return ItemReadCode::ShortRead;
    }
    frame.seek(start);
    const std::string_view data = frame.view(static_cast<std::size_t>(outer.length));

    std::size_t classOffset = 0;
    if (entryClass) {
        item.itemClass = *entryClass;
    } else {
        const std::vector<ChainLink> chain = readChain(data);
        std::vector<ChunkId> ids;
        for (const ChainLink& link : chain) {
            ids.push_back(link.id);
        }
        std::optional<ItemClass> chosen = classFromChain(ids);
        if (!chosen) {
            return ItemReadCode::UnknownKind;
        }
        item.itemClass = *chosen;
        for (const ChainLink& link : chain) {
            if (link.id == chunkIdOf(*chosen)) {
                classOffset = link.offset;
                break;
            }
        }
    }

    ByteReader in = subReader(data.substr(classOffset));
    ChunkHeader own;
    if (!readChunkHeader(in, own)) {
        return ItemReadCode::ShortRead;
    }
    switch (item.itemClass) {
        case ItemClass::BNISoundHeader:
            return readSoundHeader(in, item);
        case ItemClass::SubtreeItem:
            return readSubtree(in, item, ctx);
        case ItemClass::PresetChunkItem:
            return readPresetChunk(in, item, ctx);
        default:
            return ItemReadCode::Ok;
    }
}

ItemReadCode readChildren(ByteReader& frame, Item& item, ReadContext& ctx) {
    if (ItemReadCode c = expectOne(frame); c != ItemReadCode::Ok) {
        return c;
    }
    std::uint32_t count = 0;
    if (!frame.u32(count)) {
        return ItemReadCode::ShortRead;
    }
    // Children are appended as they are read, so a huge count costs nothing
    // until the bytes for it run out.
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t key = 0;
        ChunkId id;
        if (!frame.u32(key) || !frame.u32(id.domain) || !frame.u32(id.classId)) {
            return ItemReadCode::ShortRead;
        }
        Item child;
        child.key = key;
        const std::optional<ItemClass> known = NISItemFactory::classFor(id);
        if (ItemReadCode c = readFrame(frame, known, child, ctx);
            c != ItemReadCode::Ok) {
            return c;
        }
        item.children.push_back(std::move(child));
    }
    return ItemReadCode::Ok;
}

// `entryClass` is the class named by the parent's list entry, or none when the
// factory does not know it (or, for a subtree's item, there is no entry).
ItemReadCode readFrame(ByteReader& in, std::optional<ItemClass> entryClass, Item& item,
                       ReadContext& ctx) {
    if (ctx.depth >= kMaxDepth) {
        return ItemReadCode::ShortRead;
    }
    FrameHeader header;
    if (!readFrameHeader(in, header)) {
        return ItemReadCode::ShortRead;
    }
    if (header.tag != kFrameTag) {
        return ItemReadCode::BadTag;
    }
    if (header.length < kFrameHeaderSize || header.length - kFrameHeaderSize > in.remaining()) {
        return ItemReadCode::ShortRead;
    }
    item.uid = header.uid;
    ByteReader frame = subReader(in.view(static_cast<std::size_t>(header.length - kFrameHeaderSize)));
    ++ctx.depth;
    ItemReadCode code = readData(frame, entryClass, item, ctx);
    if (code == ItemReadCode::Ok) {
        code = readChildren(frame, item, ctx);
    }
    --ctx.depth;
    return code;
}

}  // namespace

ItemReadCode readItemTree(const SharedBytes& file, BNISRepository& out) {
    ReadContext ctx;
    ctx.owner = file.owner();
    // All packed subtrees of one file together may unpack to no more than one
    // block of the file's size could, so nesting cannot multiply a small file
    // into gigabytes.
    ctx.unpackBudget = codec::fastlzMaxDecompressedSize(file.size());
    ByteReader in(file.data(), file.size());
    Item root;
    const ItemReadCode code = readFrame(in, ItemClass::RepositoryRoot, root, ctx);
    out.root = code == ItemReadCode::Ok ? std::move(root) : Item{};
    return code;
}

}  // namespace velmora::items
