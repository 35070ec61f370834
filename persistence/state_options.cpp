#include "persistence/state_options.h"

#include "core/options.h"
#include "shared/ascii_text.h"

#include <string>
#include <string_view>
#include <iterator>

namespace velmora::state {

namespace {

std::int32_t AsIs(std::uint32_t v) { return static_cast<std::int32_t>(v); }
std::int32_t Bit(std::uint32_t v) { return static_cast<std::int32_t>(v & 1U); }

// Stored keys that are not options, or options the restore holds for its
// placement rules; every other key is an option of OptionTable().
struct StateKey {
    const char* key;
    unsigned versions;
    void (*apply)(RestoreContext& ctx, std::uint32_t value);
};

constexpr StateKey kStateKeys[] = {
    {"port", kStateAllVersions, [](RestoreContext& c, std::uint32_t v) { c.held.port = AsIs(v); }},
    {"channel", kStateAllVersions, [](RestoreContext& c, std::uint32_t v) { c.held.channel = AsIs(v); }},
    {"preserve", kStateAllVersions, [](RestoreContext& c, std::uint32_t v) { c.held.preserve = Bit(v); }},
    {"page", kStateAllVersions, [](RestoreContext& c, std::uint32_t v) { c.held.tab = AsIs(v); }},
    {"minimised", kStateV9Up, [](RestoreContext& c, std::uint32_t v) { c.plug.minimised = static_cast<std::uint8_t>(v != 0 ? 1 : 0); }},
    {"oldparams", kStateAllVersions, [](RestoreContext& c, std::uint32_t v) { c.plug.oldparams = AsIs(v); }},
    {"editing", kStateAllVersions, [](RestoreContext& c, std::uint32_t v) { c.plug.editing = AsIs(v); }},
    // Read and dropped: the first bank is always shown after a restore.
    {"startart", kStateV10, [](RestoreContext&, std::uint32_t) {}},
    // Version 8 applies it at once; later versions leave it to the placement rule.
    {"midixtend", kStateAllVersions,
     [](RestoreContext& c, std::uint32_t v) {
         if (c.version == 8) {
             c.plug.midiextend = Bit(v);
         } else {
             c.held.midiextend = Bit(v);
         }
     }},
    // Read but never written.
    {"uiscale", kStateV10, [](RestoreContext& c, std::uint32_t v) { c.plug.uiscale = static_cast<float>(v) / 100.0f; }},
};

// The keys version 10 writes, in its order.
constexpr const char* kWriteOrder[] = {
    "port", "channel", "preserve", "page", "paramknob", "minimised", "oldparams", "optimiseautomation",
    "releasecc17", "changeanyrule", "singleeditor", "overlapping", "altmiddlec", "ghost", "ghosttransport",
    "holdkeyswitch", "cctimerfix", "cc64release", "allchannelomni", "ccuacc", "editing", "articbanks",
    "startart", "midixtend",
};
static_assert(std::size(kWriteOrder) == 24);

unsigned VersionBit(std::uint32_t version) {
    switch (version) {
        case 8: return kStateV8;
        case 9: return kStateV9;
        case 10: return kStateV10;
        default: return 0;
    }
}

const StateKey* FindStateKey(std::string_view key) {
    for (const StateKey& k : kStateKeys) {
        if (EqualsIgnoringCase(key, k.key)) {
            return &k;
        }
    }
    return nullptr;
}

void ApplyKey(RestoreContext& ctx, std::string_view key, std::uint32_t value, unsigned versionBit) {
    if (const StateKey* k = FindStateKey(key)) {
        if ((k->versions & versionBit) != 0) {
            k->apply(ctx, value);
        }
        return;
    }
    const OptionDescription* option = FindOptionByStateKey(key);
    if (option != nullptr && (option->stateVersions & versionBit) != 0) {
        SetOptionValue(*option, ctx.plug, ctx.process(), OptionFromStored(*option, value));
    }
}

// The stored word of a key version 10 writes.
std::int32_t StoredValue(std::string_view key, const Instance& p, const ProcessState& process) {
    if (key == "port") return p.port;
    if (key == "channel") return p.channel;
    if (key == "page") return p.tab;
    if (key == "minimised") return p.minimised != 0 ? 1 : 0;
    if (key == "oldparams") return p.oldparams;
    if (key == "editing") return p.editing;
    if (key == "startart") return p.bankstart;
    const OptionDescription* option = FindOptionByStateKey(key);
    return option != nullptr ? OptionToStored(*option, OptionValue(*option, p, process)) : 0;
}

}  // namespace

void ReadOptions(RestoreContext& ctx) {
    std::uint16_t count = 0;
    if (!ctx.in.u16(count)) {
        return;
    }
    const unsigned versionBit = VersionBit(ctx.version);
    std::string key;
    for (std::uint16_t i = 0; i < count; ++i) {
        std::uint32_t value = 0;
        if (!ctx.in.shortString(key) || !ctx.in.u32(value)) {
            return;  // a pair cut off is not applied
        }
        ApplyKey(ctx, key, value, versionBit);
    }
}

void WriteOptions(const Instance& p, const ProcessState& process, ByteSink& out) {
    out.u16(static_cast<std::uint16_t>(std::size(kWriteOrder)));
    for (const char* key : kWriteOrder) {
        out.shortString(key);
        out.word(StoredValue(key, p, process));
    }
}

}  // namespace velmora::state
