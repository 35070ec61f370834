#include "http/instance_listing.h"

#include <cstdarg>
#include <cstdio>

#include "core/instance.h"
#include "core/options.h"
#include "persistence/articulation_json.h"

namespace velmora {

namespace {

void Appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Appendf(std::string& out, const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    if (n > 0) {
        out.append(buffer, static_cast<std::size_t>(n) < sizeof(buffer) ? static_cast<std::size_t>(n) : sizeof(buffer) - 1);
    }
}

const char* TrueFalse(bool v) { return v ? "true" : "false"; }

void AppendName(std::string& out, const std::string& name) {
    out += "\"name\": \"";
    AppendJsonStringBody(out, name);
    out += "\"";
}

void AppendArticulations(std::string& out, const Instance& p) {
    out += "\t\t\t\"articulations\":\n\t\t\t[";
    const ArticulationTable& t = p.articulations;
    for (int i = 0; i < kArticulations; ++i) {
        out += i == 0 ? "\n\t\t\t\t{" : ",\n\t\t\t\t{";
        AppendName(out, t.name[i]);
        Appendf(out, ", \"icon\": %i, \"note\": %i, \"notev\": %i, \"prog\": %i, \"modw\": %i, \"modc\": %i}", t.icon[i],
                t.note[i], t.notev[i], t.prog[i], t.modw[i], t.modc[i]);
    }
    out += "\n\t\t\t],\n";
}

void AppendControllers(std::string& out, const Instance& p) {
    out += "\t\t\t\"controllers\":\n\t\t\t[\n";
    const ControllerTable& c = p.controllers;
    for (int i = 0; i < kControllers; ++i) {
        out += i == 0 ? "\n\t\t\t\t{" : ",\n\t\t\t\t{";
        AppendName(out, c.name[i]);
        Appendf(out, ", \"type\": %i, \"default\": %i, \"cc\": %i, \"on\": %i, \"value\": %i, \"lock\": %i}", c.type[i],
                c.defaultValue[i], c.cc[i], c.on[i], c.value[i], c.lock[i]);
    }
    out += "\n\t\t\t],\n";
}

void AppendPianoKeys(std::string& out, const Instance& p) {
    const KeyNameMap& first = p.articulations.keyNames[0];
    out += "\t\t\t\"pianokeys\":\n\t\t\t{\n";
    Appendf(out, "\t\t\t\t\"missing\": %s,\n", TrueFalse(first.missing != 0));
    out += "\t\t\t\t\"name\": \"";
    AppendJsonStringBody(out, first.title);
    out += "\",\n";
    out += "\t\t\t\t\"mappings\":\n\t\t\t\t[\n";
    for (int i = 0; i < kArticulations; ++i) {
        const KeyNameMap& k = p.articulations.keyNames[i];
        out += "\t\t\t\t\t{";
        if (k.names) {
            bool firstEntry = true;
            for (int e = 0; e < kKeyNameEntries; ++e) {
                const std::string& text = (*k.names)[e];
                if (text.empty()) {
                    continue;
                }
                Appendf(out, "%s\"%i\": \"", firstEntry ? "" : ", ", e);
                AppendJsonStringBody(out, text);
                out += "\"";
                firstEntry = false;
            }
        }
        out += i < kArticulations - 1 ? "},\n" : "}\n";
    }
    out += "\t\t\t\t]\n";
    out += "\t\t\t}\n";
}

}  // namespace

InstanceListing::InstanceListing() : text_("{\n\t\"instances\":\n\t[\n") {}

void InstanceListing::add(const Instance& p) {
    std::string& out = text_;
    Appendf(out, "%s\t\t{\n", first_ ? "" : ",\n");
    first_ = false;
    Appendf(out, "\t\t\t\"id\":\t\t%u,\n", p.apiId);
    Appendf(out, "\t\t\t\"volume\":\t%i,\n", p.volume);
    Appendf(out, "\t\t\t\"pan\":\t\t%i,\n", p.pan);
    Appendf(out, "\t\t\t\"pitch\":\t%i,\n", p.pitch);
    Appendf(out, "\t\t\t\"port\":\t\t%i,\n", p.port);
    Appendf(out, "\t\t\t\"channel\":\t%i,\n", p.channel);
    Appendf(out, "\t\t\t\"visible\":\t%s,\n", TrueFalse(p.visible != 0));
    Appendf(out, "\t\t\t\"minimised\":\t%s,\n", TrueFalse(p.minimised != 0));
    Appendf(out, "\t\t\t\"tab\":\t\t%i,\n", p.tab);
    Appendf(out, "\t\t\t\"editing\":\t%i,\n", p.editing);
    Appendf(out, "\t\t\t\"bankstart\":\t\t%i,\n", p.bankstart);
    Appendf(out, "\t\t\t\"controllerstart\":\t\t%i,\n", p.controllerstart);
    out += "\t\t\t\"options\":\n\t\t\t{\n";
    const auto options = OptionTable();
    for (std::size_t i = 0; i < options.size(); ++i) {
        Appendf(out, "\t\t\t\t\"%s\": %s%s\n", options[i].apiKey, TrueFalse(OptionApiValue(options[i], p, *p.processState)),
                i + 1 < options.size() ? "," : "");
    }
    out += "\t\t\t},\n";
    AppendArticulations(out, p);
    AppendControllers(out, p);
    AppendPianoKeys(out, p);
    out += "\t\t}";
}

std::string InstanceListing::finish() {
    text_ += "\n\t]\n}\n";
    return std::move(text_);
}

}  // namespace velmora
