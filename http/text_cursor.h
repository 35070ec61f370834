#pragma once
// Writes a long text straight into a string's storage, piece by piece, with no
// string of its own in between. Room is made before each piece for the most
// it can take; the string grows by doubling and holds unwritten slack while
// the cursor lives, cut off when it finishes or goes away.
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "persistence/articulation_json.h"

namespace velmora {

class TextCursor {
public:
    // Writes after what `text` holds.
    explicit TextCursor(std::string& text) : text_(text), used_(text.size()) {}
    ~TextCursor() { finish(); }
    TextCursor(const TextCursor&) = delete;
    TextCursor& operator=(const TextCursor&) = delete;

    // Room for at most n more bytes; every write below must fit the room made.
    void room(std::size_t n) {
        if (text_.size() - used_ < n) {
            grow(n);
        }
    }
    void put(std::string_view s) {
        std::memcpy(text_.data() + used_, s.data(), s.size());
        used_ += s.size();
    }
    // A literal: its length is known here, so the copy needs no call.
    template <std::size_t N>
    void put(const char (&s)[N]) {
        std::memcpy(text_.data() + used_, s, N - 1);
        used_ += N - 1;
    }
    void put(char c) { text_[used_++] = c; }
    // At most kNumberRoom bytes.
    void number(std::int64_t v) {
        char* at = text_.data() + used_;
        // Most numbers in a listing are small: those skip the general formatter.
        if (v > -1000 && v < 1000) {
            const std::int64_t magnitude = v < 0 ? -v : v;
            char* p = at;
            if (v < 0) {
                *p++ = '-';
            }
            const int m = static_cast<int>(magnitude);
            if (m >= 100) {
                *p++ = static_cast<char>('0' + m / 100);
            }
            if (m >= 10) {
                *p++ = static_cast<char>('0' + m / 10 % 10);
            }
            *p++ = static_cast<char>('0' + m % 10);
            used_ += static_cast<std::size_t>(p - at);
            return;
        }
        used_ += static_cast<std::size_t>(std::to_chars(at, at + kNumberRoom, v).ptr - at);
    }
    static constexpr std::size_t kNumberRoom = 20;
    // At most kJsonEscapeGrowth bytes for each byte of s.
    void jsonStringBody(std::string_view s) {
        char* at = text_.data() + used_;
        used_ += static_cast<std::size_t>(WriteJsonStringBody(at, s) - at);
    }
    // Cuts the slack: the string holds exactly what was written.
    void finish() { text_.resize(used_); }

private:
    void grow(std::size_t n) {
        const std::size_t wanted = used_ + n;
        text_.resize(wanted > 2 * text_.size() ? wanted : 2 * text_.size());
    }

    std::string& text_;
    std::size_t used_;
};

}  // namespace velmora
