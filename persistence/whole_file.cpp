#include "persistence/whole_file.h"

#include <fstream>

namespace velmora {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[64 * 1024];
    while (in) {
        in.read(buffer, sizeof(buffer));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + got > kMaxDataFileBytes) {
            return std::nullopt;
        }
        bytes.append(buffer, got);
    }
    if (in.bad() || !in.eof()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace velmora
