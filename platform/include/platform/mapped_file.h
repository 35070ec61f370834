#pragma once
// A whole file mapped read-only into memory, so a reader can go over its
// bytes without copying them into a buffer first.
//
// The mapping holds the length the file had when it was mapped: bytes appended
// later are not part of it. A file that another process cuts short while it
// is mapped makes the lost pages unreadable (the process gets SIGBUS on them);
// a size change noticed while mapping is reported as a failed read instead.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace platform {

enum class MappedFileStatus {
    Ok,
    CannotOpen,  // missing, or not readable by this process
    ReadFailed,  // not a regular file, the mapping failed, or the size changed while mapping
};

class MappedFile {
public:
    // Maps the file at `path` whole. An empty file maps to no bytes, status Ok.
    static MappedFile open(const std::string& path);

    MappedFile() = default;
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    MappedFileStatus status() const { return status_; }
    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

private:
    void release();

    MappedFileStatus status_ = MappedFileStatus::CannotOpen;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace platform
