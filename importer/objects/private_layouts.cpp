#include "importer/objects/private_layouts.h"

#include "shared/byte_reader.h"

namespace velmora::objects {

SlotRecordBodies groupSlotRecords(std::span<const std::uint8_t> data) {
    SlotRecordBodies bodies;
    ByteReader in(data.data(), data.size());
    if (!in.skip(kGroupSlotRecordsOffset)) {
        return bodies;
    }
    for (auto& body : bodies) {
        std::uint8_t present = 0;
        if (!in.u8(present)) {
            break;
        }
        if (present == 0) {
            continue;
        }
        std::uint16_t length = 0;
        if (!in.skip(2) || !in.u16(length) || !in.skip(2)) {
            break;
        }
        const std::size_t at = in.position();
        if (!in.skip(length)) {
            break;
        }
        body = data.subspan(at, length);
    }
    return bodies;
}

namespace {

// int32 n and n bytes when n >= 0.
bool skipText(ByteReader& in) {
    std::int32_t n = 0;
    return in.i32(n) && (n < 0 || in.skip(static_cast<std::size_t>(n)));
}

bool readSlot(ByteReader& in, std::vector<Text>& lines) {
    if (!in.skip(3) || !skipText(in) || !in.skip(3)) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        if (!skipText(in)) {
            return false;
        }
    }
    std::uint32_t count = 0;
    if (!in.u32(count)) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t length = 0;
        if (!in.u32(length)) {
            return false;
        }
        const std::string_view line = in.view(length);
        if (in.failed()) {
            return false;
        }
        lines.emplace_back(line);
    }
    return true;
}

}  // namespace

std::vector<std::vector<Text>> oldProgramScriptLines(std::span<const std::uint8_t> data) {
    std::vector<std::vector<Text>> slots;
    ByteReader in(data.data(), data.size());
    if (!in.skip(kOldProgramScriptsOffset)) {
        return slots;
    }
    for (std::size_t s = 0; s < kOldProgramScriptSlots; ++s) {
        std::vector<Text> lines;
        if (!readSlot(in, lines)) {
            break;
        }
        slots.push_back(std::move(lines));
    }
    return slots;
}

}  // namespace velmora::objects
