// NKI and sound-container writer for tests and fuzz seeds.
#include "tests/support/nki_writer.h"

#include <zlib.h>

#include <algorithm>

namespace velmora::nki_writer {

namespace {

void put16(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}
void put64(Bytes& b, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) {
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}
void append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

void set32(Bytes& b, std::size_t at, std::uint32_t v, bool big) {
    for (int i = 0; i < 4; ++i) {
        b[at + static_cast<std::size_t>(big ? 3 - i : i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}
void set16(Bytes& b, std::size_t at, std::uint16_t v, bool big) {
    b[at + (big ? 1u : 0u)] = static_cast<std::uint8_t>(v);
    b[at + (big ? 0u : 1u)] = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t crcOf(const Bytes& b) {
    return static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), b.data(), static_cast<uInt>(b.size())));
}

// A chunk: its 20-byte header, then `content`.
Bytes chunk(ChunkName name, const Bytes& content) {
    Bytes b;
    put64(b, 20 + content.size());
    put32(b, name.domain);
    put32(b, name.id);
    put32(b, 1);
    append(b, content);
    return b;
}

Bytes baseItemChunk() {
    Bytes one;
    put32(one, 1);
    return chunk({kNISD, 1}, one);
}

Bytes classBody(const ItemSpec& item) {
    Bytes b = baseItemChunk();
    switch (item.body) {
        case Body::Plain:
        case Body::SoundHeader:
            append(b, item.payload);
            break;
        case Body::PresetChunk:
            put32(b, 1);
            put32(b, 1);  // preset chunk
            put32(b, 1);  // byte chunk
            put64(b, item.payload.size());
            append(b, item.payload);
            put32(b, 0);
            put32(b, 0);
            break;
        case Body::Subtree: {
            put32(b, 1);
            const Bytes frame = item.held.empty() ? Bytes{} : itemFrame(item.held.front());
            b.push_back(item.packed ? 1 : 0);
            if (item.packed) {
                const Bytes stored = codec::fastlzCompress(frame, item.level);
                put32(b, static_cast<std::uint32_t>(frame.size()));
                put32(b, static_cast<std::uint32_t>(stored.size()));
                append(b, stored);
            } else {
                append(b, frame);
            }
            break;
        }
    }
    return b;
}

ItemSpec withBody(ChunkName kind, Body body, Bytes payload, std::uint32_t key) {
    ItemSpec s;
    s.entry = kind;
    s.chain = {kind};
    s.body = body;
    s.payload = std::move(payload);
    s.key = key;
    return s;
}

}  // namespace

Bytes patchHeader(const HeaderFields& f, bool bigEndian) {
    Bytes b(222, 0);
    set32(b, 0x00, f.kind, bigEndian);
    set32(b, 0x04, f.compressedSize, bigEndian);
    set16(b, 0x08, f.version, bigEndian);
    set32(b, 0x0A, f.magic, bigEndian);
    set32(b, 0x10, 0x05000000, bigEndian);  // writer version
    set32(b, 0x14, 0x4B34504C, bigEndian);  // signature
    set32(b, 0x18, 1300000000, bigEndian);  // creation time
    set32(b, 0x2E, f.readerVersion, bigEndian);
    set32(b, 0xB6, f.checksum, bigEndian);
    set32(b, 0xBA, f.decompressedSize, bigEndian);
    return b;
}

ItemSpec plainItem(ChunkName kind, std::uint32_t key, std::vector<ItemSpec> children) {
    ItemSpec s = withBody(kind, Body::Plain, {}, key);
    s.children = std::move(children);
    return s;
}

ItemSpec soundHeaderItem(Bytes header, std::uint32_t key) {
    return withBody(kSoundHeader, Body::SoundHeader, std::move(header), key);
}

ItemSpec presetChunkItem(Bytes presetData, std::uint32_t key) {
    return withBody(kPresetChunk, Body::PresetChunk, std::move(presetData), key);
}

ItemSpec subtreeItem(ItemSpec held, bool packed, codec::FastLzLevel level, std::uint32_t key) {
    ItemSpec s = withBody(kSubtree, Body::Subtree, {}, key);
    s.packed = packed;
    s.level = level;
    s.held.push_back(std::move(held));
    return s;
}

ItemSpec unknownItem(ChunkName inner, std::uint32_t key, std::vector<ItemSpec> children) {
    ItemSpec s = plainItem(kUnknownKind, key, std::move(children));
    s.chain = {kUnknownKind, inner};
    return s;
}

Bytes itemFrame(const ItemSpec& item) {
    // Data: the class's own chunk innermost, each outer chunk wrapping it.
    Bytes data = classBody(item);
    for (auto it = item.chain.rbegin(); it != item.chain.rend(); ++it) {
        data = chunk(*it, data);
    }
    Bytes children;
    put32(children, item.listVersion);
    put32(children, static_cast<std::uint32_t>(item.children.size()));
    for (const ItemSpec& child : item.children) {
        put32(children, child.key);
        put32(children, child.entry.domain);
        put32(children, child.entry.id);
        append(children, itemFrame(child));
    }
    Bytes frame;
    put64(frame, 40 + data.size() + children.size());
    put32(frame, 1);
    put32(frame, 0x6E697368);
    put32(frame, 1);
    put32(frame, 0);
    put32(frame, 0x11223344);
    put16(frame, 0x5566);
    put16(frame, 0x7788);
    for (std::uint8_t i = 0; i < 8; ++i) {
        frame.push_back(i);
    }
    append(frame, data);
    append(frame, children);
    return frame;
}

Bytes plainPatchFile(const PlainPatch& patch) {
    const Bytes compressed = codec::fastlzCompress(patch.preset, patch.level);
    HeaderFields f = patch.header;
    f.compressedSize = static_cast<std::uint32_t>(compressed.size());
    f.decompressedSize = static_cast<std::uint32_t>(patch.preset.size());
    f.checksum = crcOf(compressed);
    Bytes file = patchHeader(f, patch.bigEndian);
    append(file, compressed);
    if (patch.trailer != TrailerKind::None) {
        Bytes t(12, 0);
        const bool big = patch.trailer == TrailerKind::Big;
        set32(t, 0, 0xB00EE1AE, big);
        set16(t, 4, 0x0101, big);
        set16(t, 6, 12, big);
        set32(t, 8, static_cast<std::uint32_t>(patch.trailerData.size()), big);
        append(file, t);
        append(file, patch.trailerData);
    }
    return file;
}

ItemSpec containerTree(const ContainerPatch& patch) {
    ItemSpec chunkItem = presetChunkItem(patch.preset);
    ItemSpec keyed;
    if (patch.layout == PresetLayout::DirectChild) {
        keyed = plainItem(kPresetContainer, 1, {chunkItem});
    } else {
        ItemSpec held = plainItem(kPresetContainer, 0, {chunkItem});
        keyed = subtreeItem(held, patch.layout == PresetLayout::PackedSubtree, patch.level, 1);
    }
    std::vector<ItemSpec> presetChildren;
    if (patch.extraItems) {
        presetChildren.push_back(plainItem(kSoundInfo, 0));
    }
    presetChildren.push_back(keyed);

    ItemSpec preset;
    if (patch.unknownPresetKind) {
        preset = unknownItem(kPreset, 2, presetChildren);
    } else {
        preset = plainItem(kSoundPreset, 2, presetChildren);
        preset.chain = {kSoundPreset, kPreset};
    }

    HeaderFields f = patch.header;
    f.checksum = crcOf(patch.preset);
    std::vector<ItemSpec> rootChildren;
    if (patch.extraItems) {
        ItemSpec app = plainItem(kAppSpecific, 5);
        app.payload = Bytes(37, 0xA5);
        rootChildren.push_back(app);
        rootChildren.push_back(unknownItem(kResources, 6, {plainItem(kBank, 0)}));
    }
    rootChildren.push_back(soundHeaderItem(patchHeader(f), 0));
    rootChildren.push_back(preset);
    return plainItem(kRepositoryRoot, 0, rootChildren);
}

Bytes containerFile(const ContainerPatch& patch) { return itemFrame(containerTree(patch)); }

}  // namespace velmora::nki_writer
