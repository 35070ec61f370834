#include "tests/support/xwd_writer.h"

namespace velmora::test {

namespace {

void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<unsigned char>(v >> shift));
    }
}

}  // namespace

std::vector<unsigned char> WriteXwd(const XwdPicture& p) {
    const std::uint32_t nameBytes = static_cast<std::uint32_t>(p.windowName.size() + 1);
    const std::uint32_t headerSize = 100 + nameBytes;
    const std::uint32_t bytesPerLine = static_cast<std::uint32_t>(p.width * 4 + p.extraBytesPerLine);
    std::vector<unsigned char> out;
    const std::uint32_t header[25] = {
        headerSize, 7, 2, 24,  // size, version 7, ZPixmap, depth
        static_cast<std::uint32_t>(p.width), static_cast<std::uint32_t>(p.height), 0,
        p.msbFirst ? 1u : 0u, 32, p.msbFirst ? 1u : 0u, 32, 32, bytesPerLine,
        4,  // TrueColor
        0xFF0000, 0xFF00, 0xFF, 8, static_cast<std::uint32_t>(p.colourEntries), static_cast<std::uint32_t>(p.colourEntries),
        static_cast<std::uint32_t>(p.width), static_cast<std::uint32_t>(p.height), 0, 0, 0};
    for (const std::uint32_t v : header) {
        Put32(out, v);
    }
    out.insert(out.end(), p.windowName.begin(), p.windowName.end());
    out.push_back(0);
    out.insert(out.end(), static_cast<std::size_t>(p.colourEntries) * 12, 0x55);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t v = p.rgb[static_cast<std::size_t>(y * p.width + x)];
            for (int k = 0; k < 4; ++k) {
                const int shift = p.msbFirst ? 24 - 8 * k : 8 * k;
                out.push_back(static_cast<unsigned char>(v >> shift));
            }
        }
        out.insert(out.end(), static_cast<std::size_t>(p.extraBytesPerLine), 0);
    }
    return out;
}

}  // namespace velmora::test
