#pragma once
// A plain file opened once for reading: what it is and how long it is come
// from the open descriptor, so nothing can swap the file between looking at
// it and reading it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class RegularFile {
public:
    // The file at `path` when it opens for reading and is a plain file (links
    // followed); nullopt for folders, devices, pipes and what cannot be opened.
    // Opening never waits, not even on a pipe with no writer.
    static std::optional<RegularFile> Open(const std::string& path);

    RegularFile() = default;
    ~RegularFile();
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    // The size when it was opened.
    std::uint64_t size() const { return size_; }
    int descriptor() const { return descriptor_; }
    // Reads up to `length` bytes from `offset`; answers how many (fewer at the
    // end of the file), or -1 on failure.
    std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t length) const;
    void close() noexcept;

private:
    RegularFile(int descriptor, std::uint64_t size) : descriptor_(descriptor), size_(size) {}
    int descriptor_ = -1;
    std::uint64_t size_ = 0;
};

}  // namespace platform
