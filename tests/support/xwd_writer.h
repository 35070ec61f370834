#pragma once
// X window dumps (the format of xwd) built in code: 32 bits per pixel,
// ZPixmap, true colour, in either byte order, so the reader's tests need no
// X server.
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::test {

struct XwdPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, rows top to bottom
    bool msbFirst = false;           // the dump's byte order
    int extraBytesPerLine = 0;       // padding after each row
    std::string windowName = "editor";
    int colourEntries = 0;           // a colour map the reader must skip
};

std::vector<unsigned char> WriteXwd(const XwdPicture& picture);

}  // namespace velmora::test
