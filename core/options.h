#pragma once
// The instance's options: the switches of the General panel. Each is described
// once in OptionTable(), which saved states, the JSON API, the defaults and the
// option page all read, so adding an option is one row.
#include <cstdint>
#include <span>
#include <string_view>

namespace velmora {

struct ProcessState;

struct Options {
    std::int32_t ccghosting = 0;
    std::int32_t ccghostontransport = 0;
    std::int32_t holdkeyswitch = 0;
    std::int32_t midiextend = 0;
    std::int32_t cctimingfix = 0;
    std::int32_t cc64release = 1;
    std::int32_t allchannelomni = 1;
    std::int32_t allowoverlap = 0;
    std::int32_t altmiddlec = 0;
    std::int32_t showuacc = 0;
    std::int32_t preserveport = 0;
    std::int32_t releasetocc117 = 0;
    std::int32_t resetstate = 0;
    std::int32_t optimiseauto = 1;
    std::int32_t articbanks = 0;
    // Parameter layout: 0 parameters are CC numbers, 1 they are controller slots.
    std::int32_t paramknob = 0;
};

// Saved-state versions that know an option key, one bit each.
enum OptionVersions : unsigned {
    kStateV8 = 1U,
    kStateV9 = 2U,
    kStateV10 = 4U,
    kStateAllVersions = kStateV8 | kStateV9 | kStateV10,
    kStateV9Up = kStateV9 | kStateV10,
};

// How a stored 32-bit value becomes the option's value (and back).
enum class OptionStoredAs {
    LowBit,   // bit 0 of the stored word; written as 0 or 1
    NonZero,  // any non-zero word is on; written as 0 or 1
    AsIs,     // the whole word
};

struct OptionDescription {
    const char* stateKey;         // name in saved states (versions 8 to 10)
    const char* apiKey;           // name in the JSON API's "options"
    std::int32_t defaultValue;    // value of a fresh instance
    bool resetByDefaults;         // put back to defaultValue by Session_SetDefaults
    unsigned stateVersions;       // OptionVersions
    OptionStoredAs storedAs;
    bool apiInverse;              // the API's true means the field's 0
    std::int32_t Options::*field; // nullptr: the process-wide single-editor switch
};

// Every option, in the JSON API's listing order.
std::span<const OptionDescription> OptionTable();

const OptionDescription* FindOptionByApiKey(std::string_view key);  // keys compare exactly
const OptionDescription* FindOptionByStateKey(std::string_view key); // any letter case

std::int32_t OptionValue(const OptionDescription& option, const Options& options, const ProcessState& process);
void SetOptionValue(const OptionDescription& option, Options& options, ProcessState& process, std::int32_t value);

// The value as the API shows it, and setting it from the API's boolean.
bool OptionApiValue(const OptionDescription& option, const Options& options, const ProcessState& process);
void SetOptionApiValue(const OptionDescription& option, Options& options, ProcessState& process, bool on);

// The value a stored word gives, and the word stored for a value.
std::int32_t OptionFromStored(const OptionDescription& option, std::uint32_t stored);
std::int32_t OptionToStored(const OptionDescription& option, std::int32_t value);

// Puts every option that the defaults reset back to its default.
void ResetOptions(Options& options, ProcessState& process);

}  // namespace velmora
