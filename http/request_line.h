#pragma once
// Pure pieces of request parsing: the request line, the path decoding and
// the Content-Length field. No sockets here, so they can be fuzzed directly.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::http {

inline constexpr std::size_t kMaxMethodLength = 15;
inline constexpr std::size_t kMaxVersionLength = 15;
inline constexpr std::size_t kMaxPathLength = 511;

struct RequestLine {
    std::string method;
    std::size_t targetOffset = 0;  // where the request target starts in the request
};

// "METHOD TARGET VERSION": a method of at most 15 characters, a target, and a
// version word of at most 15 characters that begins with "HTTP". nullopt when
// the line does not have this form.
std::optional<RequestLine> ParseRequestLine(std::string_view request);

// The path of a request target: copying stops at "?", "&", space, TAB, CR, LF
// or after 511 characters; "+" is a space; "%" and two characters is the byte
// 16 × first + second (a digit counts its value, anything else its lower-case
// code − 87); a "%" with fewer than two characters after it stays.
std::string DecodePath(std::string_view target);

// The value of the first header line that starts with "Content-Length:" in any
// letter case; 0 when it is not a number; nullopt without such a line.
std::optional<std::size_t> FindContentLength(std::string_view header);

}  // namespace velmora::http
