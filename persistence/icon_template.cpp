#include "persistence/icon_template.h"

#include <rapidjson/document.h>

#include <cstring>

#include "core/process_state.h"
#include "persistence/whole_file.h"

namespace velmora {

std::string IconTemplatePath(const std::string& installFolder) {
    return installFolder + "/Plugins/Fruity/Generators/ZOLT Velmora/articulations.zolttemplate";
}

IconTemplate ParseIconTemplate(std::string_view text) {
    IconTemplate t;
    rapidjson::Document doc;
    doc.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size());
    if (doc.HasParseError() || !doc.IsObject()) {
        return t;
    }
    const auto icons = doc.FindMember("articulationicons");
    if (icons == doc.MemberEnd() || !icons->value.IsObject()) {
        return t;
    }
    for (const auto& entry : icons->value.GetObject()) {
        if (!entry.value.IsInt()) {
            continue;
        }
        // Names are terminated texts: a zero byte from "\u0000" ends one.
        const char* s = entry.name.GetString();
        t.names.emplace_back(s, strnlen(s, entry.name.GetStringLength()));
        t.numbers.push_back(entry.value.GetInt());
    }
    return t;
}

void LoadIconTemplate() {
    ProcessState& p = Process();
    p.iconNames.clear();
    p.iconNumbers.clear();
    const std::optional<std::string> text = ReadWholeFile(IconTemplatePath(p.installFolder));
    if (!text) {
        return;
    }
    IconTemplate t = ParseIconTemplate(*text);
    p.iconNames = std::move(t.names);
    p.iconNumbers = std::move(t.numbers);
}

}  // namespace velmora
