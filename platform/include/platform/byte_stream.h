#pragma once
// Byte streams handed to SaveRestoreState: over memory and over files.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "sdk/plug_stream.h"

namespace platform {

// Reads from and appends to a byte vector. Reading past the end yields zero
// bytes and reports the short count, as a file would.
class MemoryStream final : public IStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    virtual ~MemoryStream() = default;

    std::int32_t Read(void* buffer, std::uint32_t count, std::uint32_t* countRead) override;
    std::int32_t Write(const void* buffer, std::uint32_t count, std::uint32_t* countWritten) override;

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::size_t position() const { return position_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// A file opened for reading or for writing (truncated).
class FileStream final : public IStream {
public:
    enum class Mode { Read, Write };
    FileStream(const std::string& path, Mode mode);
    virtual ~FileStream();
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    std::int32_t Read(void* buffer, std::uint32_t count, std::uint32_t* countRead) override;
    std::int32_t Write(const void* buffer, std::uint32_t count, std::uint32_t* countWritten) override;

private:
    std::FILE* file_ = nullptr;
};

}  // namespace platform
