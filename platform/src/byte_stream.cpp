#include "platform/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {
constexpr std::int32_t kOk = 0;
constexpr std::int32_t kShort = 1;  // S_FALSE: fewer bytes than asked
constexpr std::int32_t kFail = -1;
}  // namespace

std::int32_t MemoryStream::Read(void* buffer, std::uint32_t count, std::uint32_t* countRead) {
    const std::size_t available = bytes_.size() - position_;
    const std::size_t n = std::min<std::size_t>(count, available);
    if (n > 0) {
        std::memcpy(buffer, bytes_.data() + position_, n);
    }
    if (n < count) {
        std::memset(static_cast<std::uint8_t*>(buffer) + n, 0, count - n);
    }
    position_ += n;
    if (countRead != nullptr) {
        *countRead = static_cast<std::uint32_t>(n);
    }
    return n == count ? kOk : kShort;
}

std::int32_t MemoryStream::Write(const void* buffer, std::uint32_t count, std::uint32_t* countWritten) {
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    bytes_.insert(bytes_.end(), p, p + count);
    if (countWritten != nullptr) {
        *countWritten = count;
    }
    return kOk;
}

FileStream::FileStream(const std::string& path, Mode mode)
    : file_(std::fopen(path.c_str(), mode == Mode::Read ? "rb" : "wb")) {}

FileStream::~FileStream() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

std::int32_t FileStream::Read(void* buffer, std::uint32_t count, std::uint32_t* countRead) {
    std::size_t n = 0;
    if (file_ != nullptr) {
        n = std::fread(buffer, 1, count, file_);
    }
    if (n < count) {
        std::memset(static_cast<std::uint8_t*>(buffer) + n, 0, count - n);
    }
    if (countRead != nullptr) {
        *countRead = static_cast<std::uint32_t>(n);
    }
    if (file_ == nullptr) {
        return kFail;
    }
    return n == count ? kOk : kShort;
}

std::int32_t FileStream::Write(const void* buffer, std::uint32_t count, std::uint32_t* countWritten) {
    std::size_t n = 0;
    if (file_ != nullptr) {
        n = std::fwrite(buffer, 1, count, file_);
    }
    if (countWritten != nullptr) {
        *countWritten = static_cast<std::uint32_t>(n);
    }
    return file_ != nullptr && n == count ? kOk : kFail;
}

}  // namespace platform
