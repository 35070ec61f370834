#pragma once
// Reading the fields of a preset stream: every read either succeeds or raises
// the reader's format failure, so the layouts read as straight-line code.
#include "importer/objects/object_error.h"
#include "importer/objects/patch_object.h"
#include "shared/byte_reader.h"

#include <bit>
#include <cstring>
#include <span>

namespace velmora::objects {

class ObjectStream {
public:
    explicit ObjectStream(ByteReader reader) : in_(reader) {}
    ObjectStream(std::span<const std::uint8_t> bytes, ByteOrder order) : in_(bytes.data(), bytes.size(), order) {}

    std::size_t remaining() const { return in_.remaining(); }
    ByteOrder order() const { return in_.order(); }

    std::uint8_t u8() { return read<std::uint8_t>(&ByteReader::u8); }
    std::uint16_t u16() { return read<std::uint16_t>(&ByteReader::u16); }
    std::uint32_t u32() { return read<std::uint32_t>(&ByteReader::u32); }
    std::int32_t i32() { return read<std::int32_t>(&ByteReader::i32); }
    std::int16_t i16() {
        const std::uint16_t u = u16();
        std::int16_t v = 0;
        std::memcpy(&v, &u, sizeof v);
        return v;
    }
    float f32() { return std::bit_cast<float>(u32()); }

    // The next n bytes, consumed.
    std::span<const std::uint8_t> bytes(std::size_t n) {
        const std::string_view v = in_.view(n);
        if (in_.failed()) {
            throw ObjectFormatError(kUnexpectedDataChunk);
        }
        return {reinterpret_cast<const std::uint8_t*>(v.data()), v.size()};
    }
    // A reader over the next n bytes, in the same byte order, consumed here.
    ObjectStream sub(std::size_t n) {
        const auto b = bytes(n);
        return ObjectStream(b, order());
    }
    // int32 n, then n bytes (viewed, not copied); absent when n is negative.
    Text text() {
        const std::int32_t n = i32();
        if (n < 0) {
            return std::nullopt;
        }
        const auto b = bytes(static_cast<std::size_t>(n));
        return std::string_view(reinterpret_cast<const char*>(b.data()), b.size());
    }
    // uint32 n, then n UTF-16 code units in the stream's byte order.
    std::u16string wideText() {
        const std::uint32_t n = u32();
        if (n > remaining() / 2) {
            throw ObjectFormatError(kUnexpectedDataChunk);
        }
        std::u16string s(n, u'\0');
        for (auto& unit : s) {
            unit = static_cast<char16_t>(u16());
        }
        return s;
    }

private:
    template <class T, class F>
    T read(F f) {
        T v{};
        if (!(in_.*f)(v)) {
            throw ObjectFormatError(kUnexpectedDataChunk);
        }
        return v;
    }

    ByteReader in_;
};

// The records of the classes the reader parses; nullptr for any other class.
std::unique_ptr<PublicRecord> readPublicRecord(PublicClass cls, ObjectStream& in);
// Whether the reader parses records of this class (and so knows where they end).
bool readsPublicClass(PublicClass cls);

}  // namespace velmora::objects
