// Writes one seed per stored layout into a folder: versions 1 to 10 and the
// MIDI Out state with and without the version-4 bytes. Each seed starts with
// the module byte the fuzz target reads (1 = MIDI Out module).
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/seed_files.h"
#include "tests/support/state_writer.h"

using namespace velmora::test;

namespace {

StateDescription Full(std::uint32_t version) {
    StateDescription s;
    s.version = version;
    s.channel = 3;
    s.port = 1;
    s.uaccFlag = 1;
    s.ccghosting = 1;
    s.midiextend = 1;
    s.cctimingfix = 1;
    s.preserveport = 1;
    s.tab = 2;
    s.editing = 4;
    s.articulations.resize(version >= 8 ? 20 : 16);
    for (std::size_t a = 0; a < s.articulations.size(); ++a) {
        StoredArticulation& art = s.articulations[a];
        const auto i = static_cast<std::int32_t>(a);
        art = {24 + i, 100, i % 3 == 0 ? i : -1, i % 2 == 0 ? 10 + i : -1, i % 4 == 0 ? 64 : -1, 1, i % 9,
               "Articulation " + std::to_string(a), "", {}};
    }
    s.articulations[1].keyNamePath = "/nonexistent/keys.txt";
    s.articulations[1].keyNames = {{5, "five"}, {140, "one forty"}};
    s.pages = {"Dynamics", "Winds"};
    s.pages.resize(16);
    s.controllers.resize(96);
    s.controllers[0] = {100, 1, 0, 127, 1, 1, "Dynamics"};
    s.controllers[7] = {64, 0, 2, 64, 1, 0, "Zero CC"};
    s.controllerstart = 6;
    s.options = DefaultVersion10Options();
    SetOption(s.options, "uiscale", 150);
    SetOption(s.options, "PARAMKNOB", 1);
    return s;
}

MidiOutDescription MidiOut(std::uint32_t version) {
    MidiOutDescription s;
    s.version = version;
    s.channel = version == 0 ? 0 : 5;
    s.port = 2;
    s.ghostOff = 0;
    s.patch = 10;
    for (std::size_t k = 0; k < s.knobValues.size(); ++k) {
        s.knobValues[k] = static_cast<std::uint32_t>(k);
    }
    s.knobs = {{0, 7, 0, "Volume"}, {71, 74, 1, "Cutoff"}, {90, 1, 0, "Past the knobs"}};
    return s;
}

bool Write(const std::string& folder, const std::string& name, std::uint8_t module, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.put(static_cast<char>(module));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

namespace {

bool WriteSeeds(const std::string& folder) {
    bool ok = true;
    for (std::uint32_t v = 1; v <= 10; ++v) {
        ok = Write(folder, "version-" + std::to_string(v), 0, WriteState(Full(v))) && ok;
    }
    for (std::uint32_t v : {0U, 3U, 4U, 8U}) {
        ok = Write(folder, "midi-out-" + std::to_string(v), 1, WriteMidiOutState(MidiOut(v))) && ok;
    }
    ok = Write(folder, "version-9-in-midi-out", 1, WriteState(Full(9))) && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) { return velmora::test::SeedWriterMain(argc, argv, WriteSeeds); }
