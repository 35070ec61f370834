#include "persistence/articulation_json.h"

#include <rapidjson/document.h>

#include <cstdio>
#include <cstring>

namespace velmora {

namespace {

constexpr rapidjson::SizeType kMaxSetElements = kArticulations;

// Names are terminated texts: a zero byte (from "\u0000") ends the value.
std::string TextOf(const rapidjson::Value& v) {
    const char* s = v.GetString();
    const std::size_t length = v.GetStringLength();
    const void* zero = std::memchr(s, 0, length);
    return std::string(s, zero != nullptr ? static_cast<const char*>(zero) - s : length);
}

std::optional<std::int32_t> IntMember(const rapidjson::Value& object, const char* key) {
    const auto it = object.FindMember(key);
    if (it == object.MemberEnd() || !it->value.IsInt()) {
        return std::nullopt;
    }
    return it->value.GetInt();
}

ArticulationMembers MembersOf(const rapidjson::Value& element) {
    ArticulationMembers m;
    if (!element.IsObject()) {
        return m;
    }
    if (const auto it = element.FindMember("name"); it != element.MemberEnd() && it->value.IsString()) {
        m.name = TextOf(it->value);
    }
    m.icon = IntMember(element, "icon");
    m.note = IntMember(element, "note");
    m.notevel = IntMember(element, "notevel");
    m.uacc = IntMember(element, "uacc");
    m.prog = IntMember(element, "prog");
    m.modw = IntMember(element, "modw");
    m.modc = IntMember(element, "modc");
    return m;
}

void AppendLine(std::string& out, const char* key, std::int32_t value, bool last) {
    char line[64];
    std::snprintf(line, sizeof(line), "\t\t\"%s\": %i%s\n", key, value, last ? "" : ",");
    out += line;
}

}  // namespace

ParsedSet ParseArticulationSet(std::string_view text) {
    ParsedSet parsed;
    rapidjson::Document doc;
    doc.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size());
    if (doc.HasParseError()) {
        parsed.result = SetParseResult::ParseError;
        return parsed;
    }
    if (!doc.IsArray() || doc.Size() > kMaxSetElements) {
        parsed.result = SetParseResult::NotASet;
        return parsed;
    }
    parsed.result = SetParseResult::Ok;
    parsed.elements.reserve(doc.Size());
    for (const auto& element : doc.GetArray()) {
        parsed.elements.push_back(MembersOf(element));
    }
    return parsed;
}

void StoreMembers(ArticulationTable& table, int a, const ArticulationMembers& m) {
    if (m.name) table.name[a] = *m.name;
    if (m.icon) table.icon[a] = *m.icon;
    if (m.note) table.note[a] = *m.note;
    if (m.notevel) table.notev[a] = *m.notevel;
    if (m.uacc) table.prog[a] = *m.uacc;
    if (m.prog) table.prog[a] = *m.prog;
    if (m.modw) table.modw[a] = *m.modw;
    if (m.modc) table.modc[a] = *m.modc;
}

char* WriteJsonStringBody(char* out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && c != '"' && c != '\\') {
            *out++ = c;
            continue;
        }
        *out++ = '\\';
        switch (c) {
            case '"': *out++ = '"'; break;
            case '\\': *out++ = '\\'; break;
            case '\b': *out++ = 'b'; break;
            case '\f': *out++ = 'f'; break;
            case '\n': *out++ = 'n'; break;
            case '\r': *out++ = 'r'; break;
            case '\t': *out++ = 't'; break;
            default:
                *out++ = 'u';
                *out++ = '0';
                *out++ = '0';
                *out++ = kHex[byte >> 4];
                *out++ = kHex[byte & 0xf];
        }
    }
    return out;
}

void AppendJsonStringBody(std::string& out, std::string_view text) {
    const std::size_t at = out.size();
    out.resize(at + kJsonEscapeGrowth * text.size());
    char* end = WriteJsonStringBody(out.data() + at, text);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

std::string ArticulationSetText(std::span<const Articulation> articulations) {
    std::string out = "[";
    bool first = true;
    for (const Articulation& a : articulations) {
        out += first ? "\n\t{\n" : ",\n\t{\n";
        first = false;
        out += "\t\t\"name\": \"";
        AppendJsonStringBody(out, a.name);
        out += "\",\n";
        AppendLine(out, "icon", a.icon, false);
        AppendLine(out, "note", a.note, false);
        AppendLine(out, "notevel", a.notev, false);
        AppendLine(out, "prog", a.prog, false);
        AppendLine(out, "modw", a.modw, false);
        AppendLine(out, "modc", a.modc, true);
        out += "\t}";
    }
    out += "\n]\n";
    return out;
}

}  // namespace velmora
