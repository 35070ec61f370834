#include "importer/container/patch_load.h"

#include "codec/fastlz.h"
#include "importer/container/patch_checksum.h"
#include "importer/container/patch_handles.h"
#include "importer/items/item_lookup.h"
#include "shared/byte_reader.h"

namespace velmora::container {

namespace {

constexpr std::uint32_t kTrailerMagic = 0xB00EE1AE;
constexpr std::uint32_t kTrailerMagicReversed = 0xAEE10EB0;
constexpr std::size_t kTrailerSize = 12;
constexpr std::uint32_t kTrailerDataLimit = 0x100000;

PatchResult loadFromContainer(PatchHandle& h) {
    if (!h.repository) {
        return PatchResult::ReadFailure;
    }
    const items::Item* preset = items::firstOfClass(h.repository->root, items::ItemClass::Preset);
    const std::vector<std::uint8_t>* data = preset ? items::presetDataOf(*preset) : nullptr;
    if (data == nullptr) {
        return PatchResult::ReadFailure;
    }
    if (crc32Of(*data) != h.header.checksum()) {
        return PatchResult::InvalidPatch;
    }
    // The tree is not read again after the load: take its bytes instead of
    // copying tens of megabytes.
    h.presetStream = std::move(*const_cast<std::vector<std::uint8_t>*>(data));
    return PatchResult::Ok;
}

PatchResult readTrailer(PatchHandle& h, std::size_t at) {
    h.trailerData.assign(1, 0);
    if (h.file.size() - at < kTrailerSize) {
        return PatchResult::Ok;
    }
    ByteReader in(h.file.data() + at, h.file.size() - at);
    std::uint32_t magic = 0;
    in.u32(magic);
    if (magic == kTrailerMagicReversed) {
        in.setOrder(ByteOrder::Big);
    } else if (magic != kTrailerMagic) {
        return PatchResult::Ok;
    }
    std::uint16_t recordVersion = 0;
    std::uint16_t recordSize = 0;
    std::uint32_t dataSize = 0;
    in.u16(recordVersion);
    in.u16(recordSize);
    in.u32(dataSize);
    if (dataSize >= kTrailerDataLimit) {
        return PatchResult::Ok;
    }
    if (dataSize == 0) {
        return PatchResult::InvalidPatch;
    }
    const std::string_view extra = in.view(dataSize);
    if (in.failed()) {
        return PatchResult::ReadFailure;
    }
    h.trailerData.assign(extra.begin(), extra.end());
    return PatchResult::Ok;
}

PatchResult loadPlain(PatchHandle& h) {
    const std::size_t compressedSize = h.header.compressedSize();
    if (h.file.size() < kPatchHeaderSize || compressedSize > h.file.size() - kPatchHeaderSize) {
        return PatchResult::ReadFailure;
    }
    const std::span<const std::uint8_t> compressed(h.file.data() + kPatchHeaderSize, compressedSize);
    if (crc32Of(compressed) != h.header.checksum()) {
        return PatchResult::InvalidPatch;
    }
    // A size the block cannot decode to is refused before it is allocated.
    const std::size_t size = h.header.decompressedSize();
    if (size > codec::fastlzMaxDecompressedSize(compressedSize)) {
        return PatchResult::InvalidPatch;
    }
    std::vector<std::uint8_t> preset(size);
    if (!codec::fastlzDecompressExact(compressed, preset)) {
        return PatchResult::InvalidPatch;
    }
    h.presetStream = std::move(preset);
    h.presetOrder = h.bigEndian ? ByteOrder::Big : ByteOrder::Little;
    return readTrailer(h, kPatchHeaderSize + compressedSize);
}

}  // namespace

PatchResult loadPatch(PatchHandle* handle) {
    PatchHandle* h = findOpenHandle(handle);
    if (h == nullptr) {
        return PatchResult::UnknownHandle;
    }
    if (!h->fileOpen) {
        return PatchResult::ReadFailure;
    }
    const PatchResult code = h->fromContainer ? loadFromContainer(*h) : loadPlain(*h);
    h->file = {};
    h->fileOpen = false;
    if (code != PatchResult::Ok) {
        h->presetStream.clear();
        return code;
    }
    h->loaded = true;
    return PatchResult::Ok;
}

}  // namespace velmora::container
