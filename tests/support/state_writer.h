#pragma once
// Project-state streams built from a plain description, in the layout of any
// stored version, for the tests and the fuzz seeds. Counts are the sizes of
// the description's lists, so a description can also hold more records than
// an instance has.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::test {

// Little-endian primitives, for streams the descriptions cannot express.
class StreamBytes {
public:
    StreamBytes& u8(std::uint8_t v);
    StreamBytes& i8(std::int8_t v) { return u8(static_cast<std::uint8_t>(v)); }
    StreamBytes& u16(std::uint16_t v);
    StreamBytes& u32(std::uint32_t v);
    StreamBytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    StreamBytes& shortString(std::string_view text);  // u16 count, no terminator
    StreamBytes& byteString(std::string_view text);   // u8 count
    StreamBytes& raw(const std::vector<std::uint8_t>& bytes);

    std::vector<std::uint8_t> bytes;
};

struct StoredKeyName {
    std::uint16_t index = 0;
    std::string text;
};

struct StoredArticulation {
    std::int32_t note = -1;   // versions 1 and 2 write -1 as 0 (no keyswitch)
    std::int32_t notev = 127;  // versions 9 and 10 only
    std::int32_t prog = -1;    // versions 6 to 10
    std::int32_t uacc = -1;    // versions 3 to 5: the UACC column
    std::int32_t modw = -1;
    std::int32_t modc = -1;    // versions 6 to 10
    std::int32_t icon = 55;
    std::string name;
    std::string keyNamePath;  // versions 9 and 10
    std::vector<StoredKeyName> keyNames;
};

struct StoredController {
    std::uint32_t value = 127;
    std::uint32_t cc = 255;
    std::uint32_t type = 0;
    std::uint32_t defaultValue = 127;
    std::uint32_t on = 1;
    std::uint32_t lock = 0;  // version 10 only
    std::string name;         // versions 6 to 10
};

struct StoredOption {
    std::string key;
    std::uint32_t value = 0;
};

struct StateDescription {
    std::uint32_t version = 10;
    // Positional fields of versions 1 to 7 (each version writes the ones it has).
    std::uint32_t channel = 0;
    std::uint32_t port = 0;
    std::uint32_t uaccFlag = 0;  // version 2
    std::uint32_t ccghosting = 0;
    std::uint32_t midiextend = 0;   // versions 4 to 7
    std::uint32_t cctimingfix = 0;  // version 7
    std::uint32_t preserveport = 0;  // versions 5 to 7
    std::uint32_t tab = 1;           // versions 3 to 7
    std::uint32_t editing = 0;       // versions 3 to 7
    // Versions 1 to 7 always write 16 (missing ones at their defaults, extra
    // ones left out); versions 8 to 10 write them all.
    std::vector<StoredArticulation> articulations;
    std::vector<std::string> pages;             // versions 6 to 10
    std::vector<StoredController> controllers;  // versions 3 to 10 (3 to 5: values only)
    std::uint32_t controllerstart = 0;          // versions 6 to 10
    std::vector<StoredOption> options;          // versions 8 to 10
};

std::vector<std::uint8_t> WriteState(const StateDescription& state);

struct MidiOutKnob {
    std::int8_t index = 0;
    std::uint16_t cc = 0;
    std::uint32_t off = 0;
    std::string name;
};

// The host's MIDI Out generator state; the version decides whether the two
// bytes after the port and the extra word of each knob entry are present (4 and up).
struct MidiOutDescription {
    std::uint32_t version = 3;
    std::uint32_t channel = 0;
    std::uint32_t port = 0;
    std::uint8_t ghostOff = 1;
    std::uint32_t patch = 0;
    std::array<std::uint32_t, 72> knobValues{};
    std::vector<MidiOutKnob> knobs;  // followed by the index -1 that ends the list
};

std::vector<std::uint8_t> WriteMidiOutState(const MidiOutDescription& state);

// The version 10 options in their written order, with the values of a new instance.
std::vector<StoredOption> DefaultVersion10Options();
// Sets key (matched exactly) in options, or appends it.
void SetOption(std::vector<StoredOption>& options, const std::string& key, std::uint32_t value);

}  // namespace velmora::test
