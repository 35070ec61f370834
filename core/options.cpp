#include "core/options.h"

#include "core/process_state.h"
#include "shared/ascii_text.h"

namespace velmora {

namespace {

constexpr OptionDescription kOptionTable[] = {
    {"midixtend", "midiextend", 0, true, kStateAllVersions, OptionStoredAs::LowBit, false, &Options::midiextend},
    {"ghost", "ccghosting", 0, true, kStateAllVersions, OptionStoredAs::LowBit, false, &Options::ccghosting},
    {"ghosttransport", "ccghostontransport", 0, true, kStateV10, OptionStoredAs::LowBit, false,
     &Options::ccghostontransport},
    {"holdkeyswitch", "holdkeyswitch", 0, true, kStateV10, OptionStoredAs::LowBit, false, &Options::holdkeyswitch},
    {"cctimerfix", "cctimingfix", 0, true, kStateAllVersions, OptionStoredAs::LowBit, false, &Options::cctimingfix},
    {"cc64release", "cc64release", 1, true, kStateAllVersions, OptionStoredAs::LowBit, false, &Options::cc64release},
    {"allchannelomni", "allchannelomni", 1, true, kStateAllVersions, OptionStoredAs::LowBit, false,
     &Options::allchannelomni},
    // The next three survive the defaults: they describe the project, not the articulation set.
    {"preserve", "preserveport", 0, false, kStateAllVersions, OptionStoredAs::LowBit, false, &Options::preserveport},
    {"releasecc17", "releasetocc117", 0, false, kStateV9Up, OptionStoredAs::LowBit, false, &Options::releasetocc117},
    {"changeanyrule", "resetstate", 0, false, kStateV9Up, OptionStoredAs::LowBit, false, &Options::resetstate},
    {"ccuacc", "showuacc", 0, true, kStateAllVersions, OptionStoredAs::LowBit, false, &Options::showuacc},
    // The API's true means parameters stand for CC numbers, which is paramknob 0.
    {"paramknob", "parameterccs", 0, true, kStateAllVersions, OptionStoredAs::AsIs, true, &Options::paramknob},
    {"overlapping", "allowoverlap", 0, true, kStateV9Up, OptionStoredAs::LowBit, false, &Options::allowoverlap},
    {"altmiddlec", "altmiddlec", 0, true, kStateV9Up, OptionStoredAs::LowBit, false, &Options::altmiddlec},
    {"optimiseautomation", "optimiseauto", 1, true, kStateV9Up, OptionStoredAs::LowBit, false, &Options::optimiseauto},
    {"singleeditor", "showsingle", 1, true, kStateV9Up, OptionStoredAs::LowBit, false, nullptr},
    {"articbanks", "articbanks", 0, true, kStateV10, OptionStoredAs::NonZero, false, &Options::articbanks},
};

}  // namespace

std::span<const OptionDescription> OptionTable() { return kOptionTable; }

const OptionDescription* FindOptionByApiKey(std::string_view key) {
    for (const OptionDescription& o : kOptionTable) {
        if (key == o.apiKey) {
            return &o;
        }
    }
    return nullptr;
}

const OptionDescription* FindOptionByStateKey(std::string_view key) {
    for (const OptionDescription& o : kOptionTable) {
        if (EqualsIgnoringCase(key, o.stateKey)) {
            return &o;
        }
    }
    return nullptr;
}

std::int32_t OptionValue(const OptionDescription& option, const Options& options, const ProcessState& process) {
    return option.field != nullptr ? options.*option.field : process.showsingle;
}

void SetOptionValue(const OptionDescription& option, Options& options, ProcessState& process, std::int32_t value) {
    if (option.field != nullptr) {
        options.*option.field = value;
    } else {
        process.showsingle = value;
    }
}

bool OptionApiValue(const OptionDescription& option, const Options& options, const ProcessState& process) {
    return (OptionValue(option, options, process) != 0) != option.apiInverse;
}

void SetOptionApiValue(const OptionDescription& option, Options& options, ProcessState& process, bool on) {
    SetOptionValue(option, options, process, on != option.apiInverse ? 1 : 0);
}

std::int32_t OptionFromStored(const OptionDescription& option, std::uint32_t stored) {
    switch (option.storedAs) {
        case OptionStoredAs::LowBit: return static_cast<std::int32_t>(stored & 1U);
        case OptionStoredAs::NonZero: return stored != 0 ? 1 : 0;
        case OptionStoredAs::AsIs: break;
    }
    return static_cast<std::int32_t>(stored);
}

std::int32_t OptionToStored(const OptionDescription& option, std::int32_t value) {
    // A switch is on when it is not 0. Old states may have left another
    // value in one (versions 2 and 3 keep their word as it is); it is written
    // as 1, so reading bit 0 back keeps it on.
    return option.storedAs == OptionStoredAs::AsIs ? value : (value != 0 ? 1 : 0);
}

void ResetOptions(Options& options, ProcessState& process) {
    for (const OptionDescription& o : kOptionTable) {
        if (o.resetByDefaults) {
            SetOptionValue(o, options, process, o.defaultValue);
        }
    }
}

}  // namespace velmora
