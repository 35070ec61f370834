#pragma once
// Bounds-checked reading of integers from untrusted bytes, in a chosen byte
// order. Every read either succeeds whole or fails and leaves the reader
// marked failed; nothing reads past the end.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace velmora {

enum class ByteOrder { Little, Big };

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size, ByteOrder order = ByteOrder::Little)
        : data_(data), size_(size), order_(order) {}

    std::size_t position() const { return pos_; }
    std::size_t size() const { return size_; }
    std::size_t remaining() const { return size_ - pos_; }
    bool failed() const { return failed_; }
    void setOrder(ByteOrder order) { order_ = order; }
    ByteOrder order() const { return order_; }

    bool skip(std::size_t n) {
        if (!has(n)) {
            return fail();
        }
        pos_ += n;
        return true;
    }
    bool seek(std::size_t to) {
        if (to > size_) {
            return fail();
        }
        pos_ = to;
        return true;
    }
    bool bytes(void* out, std::size_t n) {
        if (!has(n)) {
            return fail();
        }
        if (n > 0) {
            std::memcpy(out, data_ + pos_, n);
        }
        pos_ += n;
        return true;
    }
    // A view of the next n bytes (consumed), or an empty view on failure.
    std::string_view view(std::size_t n) {
        if (!has(n)) {
            fail();
            return {};
        }
        const std::string_view v(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return v;
    }
    bool u8(std::uint8_t& v) { return integer(v); }
    bool u16(std::uint16_t& v) { return integer(v); }
    bool u32(std::uint32_t& v) { return integer(v); }
    bool u64(std::uint64_t& v) { return integer(v); }
    bool i8(std::int8_t& v) { return signedInteger<std::uint8_t>(v); }
    bool i32(std::int32_t& v) { return signedInteger<std::uint32_t>(v); }

private:
    bool has(std::size_t n) const { return !failed_ && n <= size_ - pos_; }
    bool fail() {
        failed_ = true;
        return false;
    }
    template <class U>
    bool integer(U& v) {
        if (!has(sizeof(U))) {
            return fail();
        }
        std::uint64_t r = 0;
        for (std::size_t i = 0; i < sizeof(U); ++i) {
            const std::size_t at = order_ == ByteOrder::Little ? sizeof(U) - 1 - i : i;
            r = (r << 8) | data_[pos_ + at];
        }
        v = static_cast<U>(r);
        pos_ += sizeof(U);
        return true;
    }
    template <class U, class S>
    bool signedInteger(S& v) {
        U u = 0;
        if (!integer(u)) {
            return false;
        }
        std::memcpy(&v, &u, sizeof(S));
        return true;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    ByteOrder order_;
    bool failed_ = false;
};

}  // namespace velmora
