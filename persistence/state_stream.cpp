#include "persistence/state_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace velmora::state {

namespace {
constexpr std::size_t kChunk = 1024;  // texts arrive in pieces of this size
}

bool StreamReader::bytes(void* out, std::size_t n) {
    if (failed_) {
        return false;
    }
    if (n == 0) {
        return true;
    }
    // A host's stream may move fewer bytes per call than asked: read on until
    // everything arrived. The count transferred is the only way to tell where
    // the stream ends; a call that moves nothing (or reports more than asked)
    // reads as the end.
    auto* to = static_cast<std::uint8_t*>(out);
    std::size_t have = 0;
    while (have < n) {
        const std::size_t want = n - have;
        std::uint32_t got = 0;
        stream_.Read(to + have, static_cast<std::uint32_t>(want), &got);
        if (got == 0 || got > want) {
            failed_ = true;
            return false;
        }
        have += got;
    }
    return true;
}

bool StreamReader::u8(std::uint8_t& v) { return bytes(&v, 1); }

bool StreamReader::i8(std::int8_t& v) {
    std::uint8_t b = 0;
    if (!u8(b)) {
        return false;
    }
    v = static_cast<std::int8_t>(b);
    return true;
}

bool StreamReader::u16(std::uint16_t& v) {
    std::uint8_t b[2] = {};
    if (!bytes(b, sizeof(b))) {
        return false;
    }
    v = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool StreamReader::u32(std::uint32_t& v) {
    std::uint8_t b[4] = {};
    if (!bytes(b, sizeof(b))) {
        return false;
    }
    v = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
        (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return true;
}

bool StreamReader::word(std::int32_t& v) {
    std::uint32_t u = 0;
    if (!u32(u)) {
        return false;
    }
    v = static_cast<std::int32_t>(u);
    return true;
}

bool StreamReader::skip(std::size_t n) { return text(n, nullptr); }

bool StreamReader::text(std::size_t n, std::string* out) {
    std::string value;
    bool ended = false;  // a zero byte was seen: the rest is read and dropped
    char chunk[kChunk];
    while (n > 0) {
        const std::size_t piece = std::min(n, kChunk);
        if (!bytes(chunk, piece)) {
            return false;  // a text cut off leaves the field as it was
        }
        if (out != nullptr && !ended) {
            const void* zero = std::memchr(chunk, 0, piece);
            const std::size_t keep =
                zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - chunk) : piece;
            value.append(chunk, keep);
            ended = zero != nullptr;
        }
        n -= piece;
    }
    if (out != nullptr) {
        *out = std::move(value);
    }
    return true;
}

bool StreamReader::shortString(std::string& out) {
    std::uint16_t n = 0;
    return u16(n) && text(n, &out);
}

bool StreamReader::skipShortString() {
    std::uint16_t n = 0;
    return u16(n) && text(n, nullptr);
}

bool StreamReader::byteString(std::string& out) {
    std::uint8_t n = 0;
    return u8(n) && text(n, &out);
}

bool StreamReader::skipByteString() {
    std::uint8_t n = 0;
    return u8(n) && text(n, nullptr);
}

void ByteSink::u16(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void ByteSink::u32(std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes_.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
    }
}

void ByteSink::shortString(std::string_view text) {
    const std::size_t n = std::min<std::size_t>(text.size(), std::numeric_limits<std::uint16_t>::max());
    u16(static_cast<std::uint16_t>(n));
    bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
}

std::size_t ByteSink::writeTo(IStream& stream) const {
    // A host's stream may take fewer bytes per call than given: write on until
    // it has them all. A call that fails or takes nothing ends the save. Even
    // with every text at its 64 KiB limit a state stays below 1 GiB, so one
    // call's count always fits.
    std::size_t sent = 0;
    while (sent < bytes_.size()) {
        const std::size_t left = bytes_.size() - sent;
        std::uint32_t took = 0;
        const std::int32_t result = stream.Write(bytes_.data() + sent, static_cast<std::uint32_t>(left), &took);
        if (result < 0 || took == 0 || took > left) {
            break;
        }
        sent += took;
    }
    return sent;
}

}  // namespace velmora::state
