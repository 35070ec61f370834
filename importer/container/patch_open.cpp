#include "importer/container/patch_open.h"

#include "importer/container/patch_handles.h"
#include "importer/items/item_frame.h"
#include "importer/items/item_lookup.h"
#include "importer/items/item_reader.h"
#include "platform/mapped_file.h"

#include <algorithm>
#include <memory>

namespace velmora::container {

namespace {

// The header item of a container: the first BNISoundHeader, accepted only
// with the container's magic, kind and version.
PatchResult takeContainerHeader(PatchHandle& h) {
    items::BNISRepository repository;
    if (items::readItemTree(h.file, repository) != items::ItemReadCode::Ok) {
        return PatchResult::InvalidPatch;
    }
    const items::Item* item = items::firstOfClass(repository.root, items::ItemClass::BNISoundHeader);
    if (item == nullptr || !item->patchHeader) {
        return PatchResult::InvalidPatch;
    }
    PatchHeader raw{*item->patchHeader};
    if (raw.magic() != kHeaderMagic || !isHeaderKind(raw.kind()) ||
        raw.version() != kContainerHeaderVersion) {
        return PatchResult::InvalidPatch;
    }
    h.header.bytes = raw.bytes;
    h.fromContainer = true;
    h.repository = std::move(repository);
    return PatchResult::Ok;
}

PatchResult checkHeader(PatchHandle& h) {
    h.bigEndian = headerIsBigEndian(h.header.bytes);
    if (h.bigEndian) {
        h.header.bytes = reverseHeaderFields(h.header.bytes);
    }
    if (h.header.magic() != kHeaderMagic) {
        return PatchResult::InvalidPatch;
    }
    if (h.header.readerVersion() > kNewestReaderVersion) {
        return PatchResult::CannotOpen;
    }
    if (!h.fromContainer && h.header.compressedSize() == 0) {
        return PatchResult::InvalidPatch;
    }
    return PatchResult::Ok;
}

OpenOutcome openShared(items::SharedBytes file) {
    auto h = std::make_unique<PatchHandle>();
    h->file = std::move(file);
    h->fileOpen = true;
    PatchResult code = PatchResult::Ok;
    if (items::isItemFrame(ByteReader(h->file.data(), h->file.size()))) {
        code = takeContainerHeader(*h);
    } else if (h->file.size() < kPatchHeaderSize) {
        code = PatchResult::ReadFailure;
    } else {
        std::copy_n(h->file.data(), kPatchHeaderSize, h->header.bytes.begin());
    }
    if (code == PatchResult::Ok) {
        code = checkHeader(*h);
    }
    if (code != PatchResult::Ok) {
        return {nullptr, code};
    }
    return {addOpenHandle(std::move(h)), PatchResult::Ok};
}

}  // namespace

OpenOutcome openPatchBytes(std::vector<std::uint8_t> file) {
    return openShared(items::SharedBytes::adopt(std::move(file)));
}

OpenOutcome openPatchFile(const std::string& path) {
    // Mapped, not read: the bytes are gone over once, by the item reader and
    // the decoder, with no copy into a buffer first.
    auto mapped = std::make_shared<platform::MappedFile>(platform::MappedFile::open(path));
    switch (mapped->status()) {
        case platform::MappedFileStatus::CannotOpen:
            return {nullptr, PatchResult::CannotOpen};
        case platform::MappedFileStatus::ReadFailed:
            return {nullptr, PatchResult::ReadFailure};
        case platform::MappedFileStatus::Ok:
            break;
    }
    const std::span<const std::uint8_t> bytes = mapped->bytes();
    return openShared(items::SharedBytes(std::move(mapped), bytes));
}

PatchHandle* openPatch(const std::string& path) { return openPatchFile(path).handle; }

}  // namespace velmora::container
