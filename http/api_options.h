#pragma once
// The option keys of the JSON API, in listing order, and how each reads and
// sets its instance field.
#include <cstddef>
#include <span>
#include <string_view>

class ZOLTVSTExprPlug;

namespace velmora {

struct ApiOption {
    const char* key;
    bool (*get)(const ZOLTVSTExprPlug&);
    void (*set)(ZOLTVSTExprPlug&, bool);
};

std::span<const ApiOption> ApiOptions();
// nullptr for an unknown key; keys compare exactly.
const ApiOption* FindApiOption(std::string_view key);

}  // namespace velmora
