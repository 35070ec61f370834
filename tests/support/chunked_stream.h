#pragma once
// A host stream that moves at most a few bytes per call, as a stream's
// contract allows, and optionally stops taking bytes after a while.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "sdk/plug_stream.h"

namespace velmora::test {

class ChunkedStream final : public IStream {
public:
    ChunkedStream(std::uint32_t readPiece, std::uint32_t writePiece, std::vector<std::uint8_t> bytes = {})
        : bytes_(std::move(bytes)), readPiece_(readPiece), writePiece_(writePiece) {}
    virtual ~ChunkedStream() = default;

    // Writes beyond this many bytes in total take nothing.
    std::size_t writeLimit = std::numeric_limits<std::size_t>::max();
    int reads = 0;
    int writes = 0;

    std::int32_t Read(void* buffer, std::uint32_t count, std::uint32_t* countRead) override {
        ++reads;
        const std::size_t n = std::min<std::size_t>({count, readPiece_, bytes_.size() - position_});
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), n, static_cast<std::uint8_t*>(buffer));
        position_ += n;
        if (countRead != nullptr) {
            *countRead = static_cast<std::uint32_t>(n);
        }
        return n == count ? 0 : 1;
    }

    std::int32_t Write(const void* buffer, std::uint32_t count, std::uint32_t* countWritten) override {
        ++writes;
        const std::size_t room = writeLimit > bytes_.size() ? writeLimit - bytes_.size() : 0;
        const std::size_t n = std::min<std::size_t>({count, writePiece_, room});
        const auto* p = static_cast<const std::uint8_t*>(buffer);
        bytes_.insert(bytes_.end(), p, p + n);
        if (countWritten != nullptr) {
            *countWritten = static_cast<std::uint32_t>(n);
        }
        return 0;
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
    std::uint32_t readPiece_;
    std::uint32_t writePiece_;
};

}  // namespace velmora::test
