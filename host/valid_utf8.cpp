#include "host/valid_utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace velmora::host {

std::string ValidUtf8(const char* text) {
    std::string out;
    if (text == nullptr) {
        return out;
    }
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    const std::size_t n = std::strlen(text);
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = s[i];
        std::size_t length = 0;
        std::uint32_t low = 0;  // the smallest code point of that length: longer forms are refused
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            low = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            low = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            low = 0x10000;
        }
        std::uint32_t code = length == 0 ? 0 : c & (0xFFu >> (length + 1));
        std::size_t k = 1;
        for (; length != 0 && k < length && i + k < n && (s[i + k] & 0xC0) == 0x80; ++k) {
            code = (code << 6) | (s[i + k] & 0x3Fu);
        }
        if (length != 0 && k == length && code >= low && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
            out.append(text + i, length);
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            i += std::max<std::size_t>(k, 1);
        }
    }
    return out;
}

}  // namespace velmora::host
