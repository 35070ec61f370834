// Project-state stream writer for tests and fuzz seeds. Written apart from the
// plugin's own writer so that each checks the other.
#include "tests/support/state_writer.h"

#include <algorithm>

namespace velmora::test {

StreamBytes& StreamBytes::u8(std::uint8_t v) {
    bytes.push_back(v);
    return *this;
}

StreamBytes& StreamBytes::u16(std::uint16_t v) {
    u8(static_cast<std::uint8_t>(v & 0xFF));
    return u8(static_cast<std::uint8_t>(v >> 8));
}

StreamBytes& StreamBytes::u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v & 0xFFFF));
    return u16(static_cast<std::uint16_t>(v >> 16));
}

StreamBytes& StreamBytes::shortString(std::string_view text) {
    u16(static_cast<std::uint16_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
}

StreamBytes& StreamBytes::byteString(std::string_view text) {
    u8(static_cast<std::uint8_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
}

StreamBytes& StreamBytes::raw(const std::vector<std::uint8_t>& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
}

namespace {

// The first 16 articulations, padded with defaults.
std::vector<StoredArticulation> FirstSixteen(const std::vector<StoredArticulation>& all) {
    std::vector<StoredArticulation> out(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(all.size(), 16)));
    out.resize(16);
    return out;
}

template <class Field>
void Column(StreamBytes& out, const std::vector<StoredArticulation>& arts, Field field) {
    for (const StoredArticulation& a : arts) {
        out.i32(a.*field);
    }
}

template <class Field>
void ControllerColumn(StreamBytes& out, const std::vector<StoredController>& ctls, Field field) {
    for (const StoredController& c : ctls) {
        out.u32(c.*field);
    }
}

void Names(StreamBytes& out, const std::vector<StoredArticulation>& arts) {
    for (const StoredArticulation& a : arts) {
        out.shortString(a.name);
    }
}

void Pages(StreamBytes& out, const StateDescription& s) {
    out.u16(static_cast<std::uint16_t>(s.pages.size()));
    for (const std::string& p : s.pages) {
        out.shortString(p);
    }
}

void Controllers(StreamBytes& out, const StateDescription& s, bool withLock) {
    out.u16(static_cast<std::uint16_t>(s.controllers.size()));
    ControllerColumn(out, s.controllers, &StoredController::value);
    ControllerColumn(out, s.controllers, &StoredController::cc);
    ControllerColumn(out, s.controllers, &StoredController::type);
    ControllerColumn(out, s.controllers, &StoredController::defaultValue);
    ControllerColumn(out, s.controllers, &StoredController::on);
    if (withLock) {
        ControllerColumn(out, s.controllers, &StoredController::lock);
    }
    for (const StoredController& c : s.controllers) {
        out.shortString(c.name);
    }
}

void Options(StreamBytes& out, const StateDescription& s) {
    out.u16(static_cast<std::uint16_t>(s.options.size()));
    for (const StoredOption& o : s.options) {
        out.shortString(o.key).u32(o.value);
    }
}

void Early(StreamBytes& out, const StateDescription& s) {
    const std::vector<StoredArticulation> arts = FirstSixteen(s.articulations);
    const std::uint32_t v = s.version;
    out.u32(s.channel).u32(s.port);
    if (v <= 2) {
        if (v == 2) {
            out.u32(s.uaccFlag).u32(s.ccghosting);
        }
        for (const StoredArticulation& a : arts) {
            out.i32(a.note == -1 ? 0 : a.note);
        }
        return;
    }
    out.u32(s.ccghosting);
    if (v >= 4) {
        out.u32(s.midiextend);
    }
    if (v == 7) {
        out.u32(s.cctimingfix);
    }
    if (v >= 5) {
        out.u32(s.preserveport);
    }
    if (v <= 5) {
        Column(out, arts, &StoredArticulation::note);
        Column(out, arts, &StoredArticulation::uacc);
        Column(out, arts, &StoredArticulation::modw);
        Column(out, arts, &StoredArticulation::icon);
        Names(out, arts);
        out.u16(static_cast<std::uint16_t>(s.controllers.size()));
        ControllerColumn(out, s.controllers, &StoredController::value);
    } else {
        Column(out, arts, &StoredArticulation::note);
        Column(out, arts, &StoredArticulation::prog);
        Column(out, arts, &StoredArticulation::modw);
        Column(out, arts, &StoredArticulation::modc);
        Column(out, arts, &StoredArticulation::icon);
        Names(out, arts);
        Pages(out, s);
        Controllers(out, s, false);
        out.u32(s.controllerstart);
    }
    out.u32(s.tab).u32(s.editing);
}

void Recent(StreamBytes& out, const StateDescription& s) {
    const std::vector<StoredArticulation>& arts = s.articulations;
    const bool keyed = s.version >= 9;
    out.u16(static_cast<std::uint16_t>(arts.size()));
    Column(out, arts, &StoredArticulation::note);
    if (keyed) {
        Column(out, arts, &StoredArticulation::notev);
    }
    Column(out, arts, &StoredArticulation::prog);
    Column(out, arts, &StoredArticulation::modw);
    Column(out, arts, &StoredArticulation::modc);
    Column(out, arts, &StoredArticulation::icon);
    Names(out, arts);
    if (keyed) {
        for (const StoredArticulation& a : arts) {
            out.shortString(a.keyNamePath);
            out.u16(static_cast<std::uint16_t>(a.keyNames.size()));
            for (const StoredKeyName& k : a.keyNames) {
                out.u16(k.index).shortString(k.text);
            }
        }
    }
    Pages(out, s);
    Controllers(out, s, s.version >= 10);
    out.u32(s.controllerstart);
    Options(out, s);
}

}  // namespace

std::vector<std::uint8_t> WriteState(const StateDescription& s) {
    StreamBytes out;
    out.u32(s.version);
    if (s.version >= 1 && s.version <= 7) {
        Early(out, s);
    } else if (s.version >= 8 && s.version <= 10) {
        Recent(out, s);
    }
    return out.bytes;
}

std::vector<std::uint8_t> WriteMidiOutState(const MidiOutDescription& s) {
    const bool v4 = s.version >= 4;
    StreamBytes out;
    out.u32(s.version).u32(s.channel);
    for (int i = 0; i < 4; ++i) {
        out.u32(0xDEAD0000U + static_cast<std::uint32_t>(i));  // ignored by the reader
    }
    out.u32(s.port);
    if (v4) {
        out.u8(s.ghostOff).u8(0x5A);
    }
    out.u32(s.patch);
    for (std::uint32_t v : s.knobValues) {
        out.u32(v);
    }
    for (const MidiOutKnob& k : s.knobs) {
        out.i8(k.index).u16(k.cc).u16(0x7777).u32(k.off).u32(11).u32(12);
        if (v4) {
            out.u32(13);
        }
        out.byteString(k.name).byteString("ignored");
    }
    out.i8(-1);
    for (int t = 0; t < 8; ++t) {
        out.byteString("text " + std::to_string(t));
    }
    return out.bytes;
}

std::vector<StoredOption> DefaultVersion10Options() {
    return {
        {"port", 0},          {"channel", 0},        {"preserve", 0},      {"page", 1},
        {"paramknob", 0},     {"minimised", 0},      {"oldparams", 0},     {"optimiseautomation", 1},
        {"releasecc17", 0},   {"changeanyrule", 0},  {"singleeditor", 1},  {"overlapping", 0},
        {"altmiddlec", 0},    {"ghost", 0},          {"ghosttransport", 0}, {"holdkeyswitch", 0},
        {"cctimerfix", 0},    {"cc64release", 1},    {"allchannelomni", 1}, {"ccuacc", 0},
        {"editing", 0},       {"articbanks", 0},     {"startart", 0},      {"midixtend", 0},
    };
}

void SetOption(std::vector<StoredOption>& options, const std::string& key, std::uint32_t value) {
    for (StoredOption& o : options) {
        if (o.key == key) {
            o.value = value;
            return;
        }
    }
    options.push_back({key, value});
}

}  // namespace velmora::test
