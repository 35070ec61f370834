#include "http/api_request.h"

#include <cctype>
#include <cstdlib>
#include <limits>
#include <vector>

namespace velmora::http {

bool IsApiPath(std::string_view path) { return path == "/api" || path.substr(0, 5) == "/api/"; }

ApiRequest SplitApiPath(std::string_view path) {
    ApiRequest r;
    std::string_view head = path;
    if (const std::size_t eq = path.find('='); eq != std::string_view::npos) {
        std::string_view value = path.substr(eq + 1);
        const std::size_t end = value.find_first_of("\r\n");
        r.value = std::string(value.substr(0, end));
        head = path.substr(0, eq);
    }
    std::vector<std::string_view> segments;
    for (std::size_t start = 0; start <= head.size();) {
        std::size_t slash = head.find('/', start);
        if (slash == std::string_view::npos) {
            slash = head.size();
        }
        if (slash > start) {
            segments.push_back(head.substr(start, slash - start));
        }
        start = slash + 1;
    }
    if (segments.size() > 1) {
        // Base prefixes as the C library reads them: 0x hexadecimal, a leading 0 octal.
        const std::string id(segments[1]);
        char* end = nullptr;
        const unsigned long long v = std::strtoull(id.c_str(), &end, 0);
        r.id = end != id.c_str() && !id.empty() && id[0] != '-' ? static_cast<std::uint32_t>(v) : 0;
    }
    if (segments.size() > 2) {
        r.command = std::string(segments[2]);
    }
    if (segments.size() > 3) {
        r.argument1 = std::string(segments[3]);
    }
    if (segments.size() > 4) {
        r.argument2 = std::string(segments[4]);
    }
    return r;
}

std::int32_t ApiNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long v = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > std::numeric_limits<std::int32_t>::max()) {
            v = static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1;  // held at the edge
        }
    }
    v = negative ? -v : v;
    if (v > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(v);
}

}  // namespace velmora::http
