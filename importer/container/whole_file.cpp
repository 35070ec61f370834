#include "importer/container/whole_file.h"

#include <cstdio>

namespace velmora::container {

WholeFile readWholeFile(const std::string& path) {
    WholeFile result;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return result;
    }
    result.status = WholeFileStatus::ReadFailed;
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        size = std::ftell(f);
    }
    if (size >= 0 && std::fseek(f, 0, SEEK_SET) == 0) {
        result.bytes.resize(static_cast<std::size_t>(size));
        if (std::fread(result.bytes.data(), 1, result.bytes.size(), f) == result.bytes.size()) {
            result.status = WholeFileStatus::Ok;
        } else {
            result.bytes.clear();
        }
    }
    std::fclose(f);
    return result;
}

}  // namespace velmora::container
