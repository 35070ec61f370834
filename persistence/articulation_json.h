#pragma once
// The articulation set file as text: the writer's fixed layout, and the
// reader that turns file bytes into the members each element holds. Pure
// functions over memory; the file operations live in articulation_files.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/articulation.h"

namespace velmora {

// The recognised members one element holds; absent ones leave the field as it is.
struct ArticulationMembers {
    std::optional<std::string> name;
    std::optional<std::int32_t> icon;
    std::optional<std::int32_t> note;
    std::optional<std::int32_t> notevel;
    std::optional<std::int32_t> uacc;  // older files; read before "prog"
    std::optional<std::int32_t> prog;
    std::optional<std::int32_t> modw;
    std::optional<std::int32_t> modc;
};

enum class SetParseResult {
    Ok,          // an array of at most 64 elements
    ParseError,  // not JSON
    NotASet,     // JSON, but the root is not an array of at most 64 elements
};

struct ParsedSet {
    SetParseResult result = SetParseResult::ParseError;
    // One entry per array element, in order; an element that is not an
    // object, and members of the wrong type, contribute nothing.
    std::vector<ArticulationMembers> elements;
};

// Parses without recursion, so any depth of nesting is safe.
ParsedSet ParseArticulationSet(std::string_view text);

// Stores the members an element holds into articulation a, in the order of
// the member table ("uacc" and then "prog" into `prog`).
void StoreMembers(ArticulationTable& table, int a, const ArticulationMembers& members);

// The exact file text for these articulations: "[", one object each, "\n]\n".
std::string ArticulationSetText(std::span<const Articulation> articulations);

// Appends text as the body of a JSON string: the quotation mark, the reverse
// solidus and control characters escaped, every other byte as it is.
void AppendJsonStringBody(std::string& out, std::string_view text);

// The same escaping written at `out`, which has room for
// kJsonEscapeGrowth * text.size() bytes; answers the end of what it wrote.
inline constexpr std::size_t kJsonEscapeGrowth = 6;  // "\u001f" for one byte
char* WriteJsonStringBody(char* out, std::string_view text);

}  // namespace velmora
