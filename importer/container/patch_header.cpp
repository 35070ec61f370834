#include "importer/container/patch_header.h"

#include <algorithm>

namespace velmora::container {

namespace {

constexpr std::array<std::size_t, 15> kReversed32 = {0x00, 0x04, 0x0A, 0x10, 0x14, 0x18, 0x26, 0x2A,
                                                     0x2E, 0x32, 0x36, 0x9E, 0xB2, 0xB6, 0xBA};
constexpr std::array<std::size_t, 9> kReversed16 = {0x08, 0x0E, 0x1C, 0x1E, 0x20,
                                                    0x22, 0x24, 0x9A, 0x9C};

std::uint32_t le32(const PatchHeaderBytes& b, std::size_t at) {
    return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16) |
           (std::uint32_t{b[at + 3]} << 24);
}

std::uint32_t byteSwap32(std::uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

}  // namespace

std::uint32_t PatchHeader::u32At(std::size_t at) const { return le32(bytes, at); }

std::uint16_t PatchHeader::u16At(std::size_t at) const {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

bool isHeaderKind(std::uint32_t v) {
    return v == kHeaderKindA || v == kHeaderKindB || v == kHeaderKindC;
}

bool headerIsBigEndian(const PatchHeaderBytes& stored) {
    const std::uint32_t kind = le32(stored, kOffKind);
    return !isHeaderKind(kind) && isHeaderKind(byteSwap32(kind));
}

PatchHeaderBytes reverseHeaderFields(PatchHeaderBytes bytes) {
    for (std::size_t at : kReversed32) {
        std::reverse(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                     bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
    }
    for (std::size_t at : kReversed16) {
        std::swap(bytes[at], bytes[at + 1]);
    }
    return bytes;
}

}  // namespace velmora::container
