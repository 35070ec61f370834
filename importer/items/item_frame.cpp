#include "importer/items/item_frame.h"

namespace velmora::items {

bool readFrameHeader(ByteReader& in, FrameHeader& out) {
    std::uint32_t written = 0;
    std::uint32_t reserved = 0;
    return in.u64(out.length) && in.u32(out.version) && in.u32(out.tag) && in.u32(written) &&
           in.u32(reserved) && in.bytes(out.uid.data(), out.uid.size());
}

bool isItemFrame(const ByteReader& in) {
    ByteReader probe = in;  // a copy: the caller's position is untouched
    probe.setOrder(ByteOrder::Little);
    FrameHeader header;
    return readFrameHeader(probe, header) && header.tag == kFrameTag;
}

}  // namespace velmora::items
