#include "importer/container/patch_load.h"

#include "codec/fastlz.h"
#include "importer/container/patch_checksum.h"
#include "importer/container/patch_handles.h"
#include "importer/items/item_lookup.h"
#include "shared/byte_reader.h"

#include <memory>

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
    const items::SharedBytes* data = preset ? items::presetDataOf(*preset) : nullptr;
    if (data == nullptr) {
        return PatchResult::ReadFailure;
    }
    if (crc32Of(data->span()) != h.header.checksum()) {
        return PatchResult::InvalidPatch;
    }
    // A view that shares the buffer the data lies in: tens of megabytes are
    // handed on, not copied.
    h.presetStream = *data;
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

// Decodes the block and takes its checksum, which covers the stored bytes, in
// one pass: each piece is checksummed right after the decoder has read it,
// while it is still in the cache. True when the block decodes to exactly
// `out` and the checksum matches.
bool decodeChecked(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> out, std::uint32_t checksum) {
    constexpr std::size_t kPiece = std::size_t{64} << 10;
    codec::FastLzDecoder decoder(compressed, out);
    std::uint32_t crc = 0;
    std::size_t checked = 0;
    codec::FastLzDecoder::Step step = codec::FastLzDecoder::Step::More;
    while (step == codec::FastLzDecoder::Step::More) {
        step = decoder.decodeUntil(checked + kPiece);
        crc = crc32Update(crc, compressed.subspan(checked, decoder.consumed() - checked));
        checked = decoder.consumed();
    }
    return step == codec::FastLzDecoder::Step::Done && decoder.produced() == out.size() && crc == checksum;
}

PatchResult loadPlain(PatchHandle& h) {
    const std::size_t compressedSize = h.header.compressedSize();
    if (h.file.size() < kPatchHeaderSize || compressedSize > h.file.size() - kPatchHeaderSize) {
        return PatchResult::ReadFailure;
    }
    const std::span<const std::uint8_t> compressed(h.file.data() + kPatchHeaderSize, compressedSize);
    // A size the block cannot decode to is refused before it is allocated.
    const std::size_t size = h.header.decompressedSize();
    if (size > codec::fastlzMaxDecompressedSize(compressedSize)) {
        return PatchResult::InvalidPatch;
    }
    // Every byte is written by the decoder (or the buffer is dropped), so it
    // is not cleared first.
    const std::shared_ptr<std::uint8_t[]> preset = std::make_shared_for_overwrite<std::uint8_t[]>(size);
    const std::span<std::uint8_t> out(preset.get(), size);
    if (!decodeChecked(compressed, out, h.header.checksum())) {
        return PatchResult::InvalidPatch;
    }
    h.presetStream = items::SharedBytes(preset, out);
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
    // Only the preset stream's view keeps a buffer alive from here on.
    h->file = {};
    h->repository.reset();
    h->fileOpen = false;
    if (code != PatchResult::Ok) {
        h->presetStream = {};
        return code;
    }
    h->loaded = true;
    return PatchResult::Ok;
}

}  // namespace velmora::container
