#pragma once
// The primitive encodings of the project state over the host's two-operation
// byte stream: little-endian integers, u16-counted "short strings" and
// u8-counted "byte strings".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/plug_stream.h"

namespace velmora::state {

// Reads the host's stream on demand, never further than the layout asks. Each
// read succeeds whole or fails; after the first failure (the stream ended)
// every later read fails too, so whatever follows a cut stays untouched.
// Nothing is allocated from a stored count: texts grow only by the bytes that
// actually arrived.
class StreamReader {
public:
    explicit StreamReader(IStream& stream) : stream_(stream) {}

    bool failed() const { return failed_; }

    bool u8(std::uint8_t& v);
    bool i8(std::int8_t& v);
    bool u16(std::uint16_t& v);
    bool u32(std::uint32_t& v);
    // Four bytes as a signed value (two's complement); also used for the u32
    // fields the instance keeps as int32.
    bool word(std::int32_t& v);
    bool skip(std::size_t n);

    // A u16 count and that many bytes; the value ends at a zero byte inside.
    bool shortString(std::string& out);
    bool skipShortString();
    // A u8 count and that many bytes (MIDI Out states).
    bool byteString(std::string& out);
    bool skipByteString();

private:
    bool bytes(void* out, std::size_t n);
    // Reads n bytes, keeping them in *out (up to the first zero byte) when out is set.
    bool text(std::size_t n, std::string* out);

    IStream& stream_;
    bool failed_ = false;
};

// Builds a state in memory, then hands it to the stream: in one write when the
// stream takes it all, else in as many as it needs.
class ByteSink {
public:
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void word(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    // Texts longer than a u16 count can say are cut to 65535 bytes.
    void shortString(std::string_view text);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    // How many bytes the stream took: all of bytes() unless it failed.
    std::size_t writeTo(IStream& stream) const;

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace velmora::state
