#pragma once
// Writing fixture bytes to files: seed corpora and test inputs.
#include <cstdint>
#include <cstdio>
#include <functional>
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

// The whole program of a seed writer: its one argument is the folder, and
// `writeAll` answers whether every seed was written.
inline int SeedWriterMain(int argc, char** argv, const std::function<bool(const std::string& folder)>& writeAll) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    return writeAll(argv[1]) ? 0 : 1;
}

}  // namespace velmora::test
