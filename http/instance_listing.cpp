#include "http/instance_listing.h"

#include <string_view>

#include "core/instance.h"
#include "core/options.h"
#include "persistence/articulation_json.h"

namespace velmora {

namespace {

// Room for the fixed text and the numbers of one entry; names add their own.
constexpr std::size_t kEntryRoom = 256;
constexpr std::size_t kFieldsRoom = 1024;

std::size_t NameRoom(std::string_view name) { return kJsonEscapeGrowth * name.size(); }

std::string_view TrueFalse(bool v) { return v ? "true" : "false"; }

void PutName(TextCursor& out, const std::string& name) {
    out.put("\"name\": \"");
    out.jsonStringBody(name);
    out.put('"');
}

void PutFields(TextCursor& out, const Instance& p) {
    // `"key":<gap>value,` on a line of its own after three tabs.
    const auto field = [&](std::string_view keyAndGap, std::int64_t value) {
        out.put("\t\t\t\"");
        out.put(keyAndGap);
        out.number(value);
        out.put(",\n");
    };
    const auto flag = [&](std::string_view keyAndGap, bool value) {
        out.put("\t\t\t\"");
        out.put(keyAndGap);
        out.put(TrueFalse(value));
        out.put(",\n");
    };
    out.room(kFieldsRoom);
    field("id\":\t\t", p.apiId);
    field("volume\":\t", p.volume);
    field("pan\":\t\t", p.pan);
    field("pitch\":\t", p.pitch);
    field("port\":\t\t", p.port);
    field("channel\":\t", p.channel);
    flag("visible\":\t", p.visible != 0);
    flag("minimised\":\t", p.minimised != 0);
    field("tab\":\t\t", p.tab);
    field("editing\":\t", p.editing);
    field("bankstart\":\t\t", p.bankstart);
    field("controllerstart\":\t\t", p.controllerstart);
    out.put("\t\t\t\"options\":\n\t\t\t{\n");
    const auto options = OptionTable();
    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::string_view key = options[i].apiKey;
        out.room(kEntryRoom + key.size());
        out.put("\t\t\t\t\"");
        out.put(key);
        out.put("\": ");
        out.put(TrueFalse(OptionApiValue(options[i], p, *p.processState)));
        out.put(i + 1 < options.size() ? ",\n" : "\n");
    }
    out.room(kEntryRoom);
    out.put("\t\t\t},\n");
}

void PutArticulations(TextCursor& out, const Instance& p) {
    out.room(kEntryRoom);
    out.put("\t\t\t\"articulations\":\n\t\t\t[");
    const ArticulationTable& t = p.articulations;
    for (int i = 0; i < kArticulations; ++i) {
        out.room(kEntryRoom + NameRoom(t.name[i]));
        out.put(i == 0 ? "\n\t\t\t\t{" : ",\n\t\t\t\t{");
        PutName(out, t.name[i]);
        out.put(", \"icon\": ");
        out.number(t.icon[i]);
        out.put(", \"note\": ");
        out.number(t.note[i]);
        out.put(", \"notev\": ");
        out.number(t.notev[i]);
        out.put(", \"prog\": ");
        out.number(t.prog[i]);
        out.put(", \"modw\": ");
        out.number(t.modw[i]);
        out.put(", \"modc\": ");
        out.number(t.modc[i]);
        out.put('}');
    }
    out.room(kEntryRoom);
    out.put("\n\t\t\t],\n");
}

void PutControllers(TextCursor& out, const Instance& p) {
    out.room(kEntryRoom);
    out.put("\t\t\t\"controllers\":\n\t\t\t[\n");
    const ControllerTable& c = p.controllers;
    for (int i = 0; i < kControllers; ++i) {
        out.room(kEntryRoom + NameRoom(c.name[i]));
        out.put(i == 0 ? "\n\t\t\t\t{" : ",\n\t\t\t\t{");
        PutName(out, c.name[i]);
        out.put(", \"type\": ");
        out.number(c.type[i]);
        out.put(", \"default\": ");
        out.number(c.defaultValue[i]);
        out.put(", \"cc\": ");
        out.number(c.cc[i]);
        out.put(", \"on\": ");
        out.number(c.on[i]);
        out.put(", \"value\": ");
        out.number(c.value[i]);
        out.put(", \"lock\": ");
        out.number(c.lock[i]);
        out.put('}');
    }
    out.room(kEntryRoom);
    out.put("\n\t\t\t],\n");
}

void PutPianoKeys(TextCursor& out, const Instance& p) {
    const KeyNameMap& first = p.articulations.keyNames[0];
    out.room(kEntryRoom + NameRoom(first.title));
    out.put("\t\t\t\"pianokeys\":\n\t\t\t{\n\t\t\t\t\"missing\": ");
    out.put(TrueFalse(first.missing != 0));
    out.put(",\n\t\t\t\t\"name\": \"");
    out.jsonStringBody(first.title);
    out.put("\",\n\t\t\t\t\"mappings\":\n\t\t\t\t[\n");
    for (int i = 0; i < kArticulations; ++i) {
        const KeyNameMap& k = p.articulations.keyNames[i];
        out.room(kEntryRoom);
        out.put("\t\t\t\t\t{");
        if (k.names) {
            bool firstEntry = true;
            for (int e = 0; e < kKeyNameEntries; ++e) {
                const std::string& text = (*k.names)[e];
                if (text.empty()) {
                    continue;
                }
                out.room(kEntryRoom + NameRoom(text));
                out.put(firstEntry ? "\"" : ", \"");
                out.number(e);
                out.put("\": \"");
                out.jsonStringBody(text);
                out.put('"');
                firstEntry = false;
            }
        }
        out.room(kEntryRoom);
        out.put(i < kArticulations - 1 ? "},\n" : "}\n");
    }
    out.room(kEntryRoom);
    out.put("\t\t\t\t]\n\t\t\t}\n");
}

}  // namespace

InstanceListing::InstanceListing(std::string& out) : out_(out) {
    out_.room(kEntryRoom);
    out_.put("{\n\t\"instances\":\n\t[\n");
}

void InstanceListing::add(const Instance& p) {
    out_.room(kEntryRoom);
    out_.put(first_ ? "\t\t{\n" : ",\n\t\t{\n");
    first_ = false;
    PutFields(out_, p);
    PutArticulations(out_, p);
    PutControllers(out_, p);
    PutPianoKeys(out_, p);
    out_.room(kEntryRoom);
    out_.put("\t\t}");
}

void InstanceListing::finish() {
    out_.room(kEntryRoom);
    out_.put("\n\t]\n}\n");
    out_.finish();
}

}  // namespace velmora
