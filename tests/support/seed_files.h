#pragma once
// Writing fixture bytes to files: seed corpora and test inputs.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace velmora::test {

// Writes bytes to folder/name; false when the file cannot be written whole.
inline bool WriteSeedFile(const std::string& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace velmora::test
