#include "platform/settings_store.h"

#include "shared/ascii_text.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace platform {

namespace {

struct Entry {
    std::string key;
    std::string name;
    char type = 's';  // 's' text, 'd' 32-bit value
    std::string value;
};

// Registry names compare without regard to letter case.
bool sameName(std::string_view a, std::string_view b) { return velmora::EqualsIgnoringCase(a, b); }

std::string escape(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char c = s[++i];
            out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    for (char c : line) {
        if (c == '\t') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}

std::vector<Entry> load(const std::string& path) {
    std::vector<Entry> entries;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const auto f = splitTabs(line);
        if (f.size() != 4 || f[2].size() != 1) {
            continue;  // a damaged line is skipped, the rest still counts
        }
        entries.push_back({unescape(f[0]), unescape(f[1]), f[2][0], unescape(f[3])});
    }
    return entries;
}

const Entry* find(const std::vector<Entry>& entries, std::string_view key, std::string_view name) {
    for (const auto& e : entries) {
        if (sameName(e.key, key) && sameName(e.name, name)) {
            return &e;
        }
    }
    return nullptr;
}

}  // namespace

SettingsStore SettingsStore::currentUser() {
    std::filesystem::path folder;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        folder = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folder = std::filesystem::path(home) / ".config";
    } else {
        folder = ".config";
    }
    return SettingsStore((folder / "ZOLT Velmora" / "settings.txt").string());
}

std::optional<std::string> SettingsStore::readString(std::string_view key, std::string_view name) const {
    const auto entries = load(filePath_);
    const Entry* e = find(entries, key, name);
    if (e == nullptr || e->type != 's') {
        return std::nullopt;
    }
    return e->value;
}

std::optional<std::uint32_t> SettingsStore::readDword(std::string_view key, std::string_view name) const {
    const auto entries = load(filePath_);
    const Entry* e = find(entries, key, name);
    if (e == nullptr || e->type != 'd') {
        return std::nullopt;
    }
    char* end = nullptr;
    const unsigned long v = std::strtoul(e->value.c_str(), &end, 10);
    if (end == e->value.c_str()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(v);
}

bool SettingsStore::writeString(std::string_view key, std::string_view name, std::string_view value) const {
    return write(key, name, 's', value);
}

bool SettingsStore::writeDword(std::string_view key, std::string_view name, std::uint32_t value) const {
    return write(key, name, 'd', std::to_string(value));
}

bool SettingsStore::write(std::string_view key, std::string_view name, char type, std::string_view value) const {
    auto entries = load(filePath_);
    bool replaced = false;
    for (auto& e : entries) {
        if (sameName(e.key, key) && sameName(e.name, name)) {
            e.type = type;
            e.value = std::string(value);
            replaced = true;
        }
    }
    if (!replaced) {
        entries.push_back({std::string(key), std::string(name), type, std::string(value)});
    }
    std::error_code ec;
    const std::filesystem::path path(filePath_);
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
    }
    // Write beside and rename, so a crash never leaves half a settings file.
    const std::string temp = filePath_ + ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        for (const auto& e : entries) {
            out << escape(e.key) << '\t' << escape(e.name) << '\t' << e.type << '\t' << escape(e.value) << '\n';
        }
        if (!out.flush()) {
            return false;
        }
    }
    std::filesystem::rename(temp, path, ec);
    return !ec;
}

}  // namespace platform
