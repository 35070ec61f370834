// Runs a fuzz target over seed files without libFuzzer, so compilers that
// have none still build every target and replay its corpus.
//   TARGET PATH...    each PATH a file, or a folder read recursively
// Fails when a path is neither, and when no input ran at all: an empty or
// misplaced corpus must not pass for a clean run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Optional in a target, as under libFuzzer.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace fs = std::filesystem;

namespace {

// Adds path, or the regular files below it in name order so every run sees
// the same sequence; false when it is neither a file nor a readable folder.
bool Collect(const fs::path& path, std::vector<fs::path>& files) {
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) {
        files.push_back(path);
        return true;
    }
    if (!fs::is_directory(path, ec)) {
        return false;
    }
    std::vector<fs::path> found;
    for (fs::recursive_directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) {
            found.push_back(it->path());
        }
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
    return !ec;
}

// The bytes go in a buffer of exactly their size, so a read past the end
// hits the sanitizer as it would under libFuzzer.
bool Run(const fs::path& path) {
    std::error_code ec;
    const auto size = static_cast<std::size_t>(fs::file_size(path, ec));
    std::ifstream in(path, std::ios::binary);
    if (ec || !in) {
        return false;
    }
    std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[size]);
    if (!in.read(reinterpret_cast<char*>(data.get()), static_cast<std::streamsize>(size))) {
        return false;
    }
    std::fprintf(stderr, "Running: %s\n", path.c_str());
    LLVMFuzzerTestOneInput(data.get(), size);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const char* self = argv[0];
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE_OR_FOLDER...\n", self);
        return 2;
    }
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!Collect(argv[i], files)) {
            std::fprintf(stderr, "%s: cannot read %s\n", self, argv[i]);
            return 1;
        }
    }
    if (LLVMFuzzerInitialize != nullptr) {
        LLVMFuzzerInitialize(&argc, &argv);
    }
    std::size_t ran = 0;
    for (const fs::path& file : files) {
        if (!Run(file)) {
            std::fprintf(stderr, "%s: cannot read %s\n", self, file.c_str());
            return 1;
        }
        ++ran;
    }
    std::printf("%s: ran %zu inputs\n", self, ran);
    if (ran == 0) {
        std::fprintf(stderr, "%s: no inputs to run\n", self);
        return 1;
    }
    return 0;
}
