#include "http/request_line.h"

#include <cctype>
#include <limits>

namespace velmora::http {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool EndsWord(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return std::tolower(static_cast<unsigned char>(c)) - 87;
}
}  // namespace

std::optional<RequestLine> ParseRequestLine(std::string_view r) {
    std::size_t i = 0;
    auto word = [&](std::size_t& start) {
        while (i < r.size() && IsBlank(r[i])) {
            ++i;
        }
        start = i;
        while (i < r.size() && !EndsWord(r[i])) {
            ++i;
        }
        return r.substr(start, i - start);
    };
    std::size_t methodStart = 0, targetStart = 0, versionStart = 0;
    const std::string_view method = word(methodStart);
    const std::string_view target = word(targetStart);
    const std::string_view version = word(versionStart);
    if (method.empty() || method.size() > kMaxMethodLength || target.empty() || version.size() > kMaxVersionLength ||
        version.substr(0, 4) != "HTTP") {
        return std::nullopt;
    }
    return RequestLine{std::string(method), targetStart};
}

std::string DecodePath(std::string_view target) {
    std::string path;
    for (std::size_t i = 0; i < target.size() && path.size() < kMaxPathLength; ++i) {
        const char c = target[i];
        if (c == '?' || c == '&' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0') {
            break;
        }
        if (c == '+') {
            path += ' ';
        } else if (c == '%' && i + 2 < target.size() + 0 && i + 2 <= target.size() - 1) {
            path += static_cast<char>((16 * HexValue(target[i + 1]) + HexValue(target[i + 2])) & 0xFF);
            i += 2;
        } else {
            path += c;
        }
    }
    // A decoded zero byte ends the text, as it would in the request buffer.
    const std::size_t nul = path.find('\0');
    if (nul != std::string::npos) {
        path.resize(nul);
    }
    return path;
}

std::optional<std::size_t> FindContentLength(std::string_view header) {
    static constexpr std::string_view kName = "content-length:";
    std::size_t lineStart = 0;
    while (lineStart < header.size()) {
        std::size_t lineEnd = header.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = header.size();
        }
        const std::string_view line = header.substr(lineStart, lineEnd - lineStart);
        bool match = line.size() >= kName.size();
        for (std::size_t k = 0; match && k < kName.size(); ++k) {
            match = std::tolower(static_cast<unsigned char>(line[k])) == kName[k];
        }
        if (match) {
            std::size_t p = kName.size();
            while (p < line.size() && IsBlank(line[p])) {
                ++p;
            }
            std::size_t value = 0;
            for (; p < line.size() && std::isdigit(static_cast<unsigned char>(line[p])); ++p) {
                const std::size_t digit = static_cast<std::size_t>(line[p] - '0');
                if (value > (std::numeric_limits<std::size_t>::max() - digit) / 10) {
                    return std::numeric_limits<std::size_t>::max();  // far beyond any limit
                }
                value = value * 10 + digit;
            }
            return value;
        }
        lineStart = lineEnd + 1;
    }
    return std::nullopt;
}

}  // namespace velmora::http
