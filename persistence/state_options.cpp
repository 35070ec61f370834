#include "persistence/state_options.h"

#include "shared/ascii_text.h"

#include <string>
#include <string_view>
#include <utility>

namespace velmora::state {

namespace {

// Which versions know a key.
enum : unsigned { kV8 = 1U, kV9 = 2U, kV10 = 4U, kAll = kV8 | kV9 | kV10, kV9Up = kV9 | kV10 };

struct OptionKey {
    const char* key;
    unsigned versions;
    void (*apply)(RestoreContext& ctx, std::uint32_t value);
};

std::int32_t AsIs(std::uint32_t v) { return static_cast<std::int32_t>(v); }
std::int32_t Bit(std::uint32_t v) { return static_cast<std::int32_t>(v & 1U); }
std::int32_t NonZero(std::uint32_t v) { return v != 0 ? 1 : 0; }

// The restore of each key, in the order version 10 writes them; "uiscale" is
// read but never written.
constexpr OptionKey kOptions[] = {
    {"port", kAll, [](RestoreContext& c, std::uint32_t v) { c.held.port = AsIs(v); }},
    {"channel", kAll, [](RestoreContext& c, std::uint32_t v) { c.held.channel = AsIs(v); }},
    {"preserve", kAll, [](RestoreContext& c, std::uint32_t v) { c.held.preserve = Bit(v); }},
    {"page", kAll, [](RestoreContext& c, std::uint32_t v) { c.held.tab = AsIs(v); }},
    {"paramknob", kAll, [](RestoreContext& c, std::uint32_t v) { c.plug.paramknob = AsIs(v); }},
    {"minimised", kV9Up, [](RestoreContext& c, std::uint32_t v) { c.plug.minimised = static_cast<std::uint8_t>(NonZero(v)); }},
    {"oldparams", kAll, [](RestoreContext& c, std::uint32_t v) { c.plug.oldparams = AsIs(v); }},
    {"optimiseautomation", kV9Up, [](RestoreContext& c, std::uint32_t v) { c.plug.optimiseauto = Bit(v); }},
    {"releasecc17", kV9Up, [](RestoreContext& c, std::uint32_t v) { c.plug.releasetocc117 = Bit(v); }},
    {"changeanyrule", kV9Up, [](RestoreContext& c, std::uint32_t v) { c.plug.resetstate = Bit(v); }},
    {"singleeditor", kV9Up, [](RestoreContext& c, std::uint32_t v) { c.process().showsingle = Bit(v); }},
    {"overlapping", kV9Up, [](RestoreContext& c, std::uint32_t v) { c.plug.allowoverlap = Bit(v); }},
    {"altmiddlec", kV9Up, [](RestoreContext& c, std::uint32_t v) { c.plug.altmiddlec = Bit(v); }},
    {"ghost", kAll, [](RestoreContext& c, std::uint32_t v) { c.plug.ccghosting = Bit(v); }},
    {"ghosttransport", kV10, [](RestoreContext& c, std::uint32_t v) { c.plug.ccghostontransport = Bit(v); }},
    {"holdkeyswitch", kV10, [](RestoreContext& c, std::uint32_t v) { c.plug.holdkeyswitch = Bit(v); }},
    {"cctimerfix", kAll, [](RestoreContext& c, std::uint32_t v) { c.plug.cctimingfix = Bit(v); }},
    {"cc64release", kAll, [](RestoreContext& c, std::uint32_t v) { c.plug.cc64release = Bit(v); }},
    {"allchannelomni", kAll, [](RestoreContext& c, std::uint32_t v) { c.plug.allchannelomni = Bit(v); }},
    {"ccuacc", kAll, [](RestoreContext& c, std::uint32_t v) { c.plug.showuacc = Bit(v); }},
    {"editing", kAll, [](RestoreContext& c, std::uint32_t v) { c.plug.editing = AsIs(v); }},
    {"articbanks", kV10, [](RestoreContext& c, std::uint32_t v) { c.plug.articbanks = NonZero(v); }},
    // Read and dropped: the first bank is always shown after a restore.
    {"startart", kV10, [](RestoreContext&, std::uint32_t) {}},
    // Version 8 applies it at once; later versions leave it to the placement rule.
    {"midixtend", kAll,
     [](RestoreContext& c, std::uint32_t v) {
         if (c.version == 8) {
             c.plug.midiextend = Bit(v);
         } else {
             c.held.midiextend = Bit(v);
         }
     }},
    {"uiscale", kV10, [](RestoreContext& c, std::uint32_t v) { c.plug.uiscale = static_cast<float>(v) / 100.0f; }},
};

unsigned VersionBit(std::uint32_t version) {
    switch (version) {
        case 8: return kV8;
        case 9: return kV9;
        case 10: return kV10;
        default: return 0;
    }
}

const OptionKey* FindOption(std::string_view key, unsigned versionBit) {
    for (const OptionKey& o : kOptions) {
        if ((o.versions & versionBit) != 0 && EqualsIgnoringCase(key, o.key)) {
            return &o;
        }
    }
    return nullptr;
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
        if (const OptionKey* option = FindOption(key, versionBit)) {
            option->apply(ctx, value);
        }
    }
}

void WriteOptions(const ZOLTVSTExprPlug& p, const ProcessState& process, ByteSink& out) {
    const auto flag = [](std::int32_t v) { return v != 0 ? 1 : 0; };
    const std::pair<const char*, std::int32_t> values[] = {
        {"port", p.port},
        {"channel", p.channel},
        {"preserve", p.preserveport},
        {"page", p.tab},
        {"paramknob", p.paramknob},
        {"minimised", flag(p.minimised)},
        {"oldparams", p.oldparams},
        {"optimiseautomation", p.optimiseauto},
        {"releasecc17", p.releasetocc117},
        {"changeanyrule", p.resetstate},
        {"singleeditor", process.showsingle},
        {"overlapping", p.allowoverlap},
        {"altmiddlec", p.altmiddlec},
        {"ghost", p.ccghosting},
        {"ghosttransport", p.ccghostontransport},
        {"holdkeyswitch", p.holdkeyswitch},
        {"cctimerfix", p.cctimingfix},
        {"cc64release", p.cc64release},
        {"allchannelomni", p.allchannelomni},
        {"ccuacc", p.showuacc},
        {"editing", p.editing},
        {"articbanks", flag(p.articbanks)},
        {"startart", p.bankstart},
        {"midixtend", p.midiextend},
    };
    constexpr std::size_t kCount = sizeof(values) / sizeof(values[0]);
    static_assert(kCount == 24);
    out.u16(static_cast<std::uint16_t>(kCount));
    for (const auto& [key, value] : values) {
        out.shortString(key);
        out.word(value);
    }
}

}  // namespace velmora::state
