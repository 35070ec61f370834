#pragma once
// How an API path reads: /api/<id>/<command>/<argument 1>/<argument 2>=<value>.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::http {

struct ApiRequest {
    std::uint32_t id = 0;  // 0 selects every instance
    std::optional<std::string> command;
    std::optional<std::string> argument1;
    std::optional<std::string> argument2;
    std::optional<std::string> value;  // the text after the first "="
};

bool IsApiPath(std::string_view path);
ApiRequest SplitApiPath(std::string_view path);

// A decimal integer with leading blanks and a sign; text that is no number is 0.
std::int32_t ApiNumber(std::string_view text);

}  // namespace velmora::http
