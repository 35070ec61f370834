// Writes the demo instrument: a string patch with a dozen articulations,
// keyswitches from C0 up, and a few groups the importer passes over. Built
// with the fixture writers, so the demo carries no instrument from elsewhere.
//
//   velmora-demo-instrument FILE.nki
#include <cstdio>
#include <string>

#include "tests/support/nki_writer.h"
#include "tests/support/patch_object_writer.h"

namespace pw = velmora::patch_writer;
namespace nw = velmora::nki_writer;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.nki\n", argv[0]);
        return 2;
    }
    struct Articulation {
        const char16_t* name;
        int icon;
    };
    static constexpr Articulation kArticulations[] = {
        {u"Legato", 0},        {u"Long", 2},      {u"Staccato", 1},   {u"Spiccato", 3},
        {u"Pizzicato", 4},     {u"Tremolo", 5},   {u"Col Legno", 6},  {u"Harmonics", 7},
        {u"Marcato", 8},       {u"Tenuto", 9},    {u"Trill Maj2", 10}, {u"Sul Ponticello", 11},
    };
    pw::InstrumentSpec instrument;
    instrument.programVersion = 0xA5;
    int n = 0;
    for (const Articulation& a : kArticulations) {
        // Articulation numbers 10, 20 ... 120: the keyswitch velocities of the velocity mode.
        instrument.groups.push_back(pw::articulationGroup(a.name, 100 + n, 10 * (n + 1), a.icon, 7, n % 2 == 1));
        if (n == 3) {
            // Release samples carry the placeholder key; a second legato layer repeats its key.
            instrument.groups.push_back(pw::articulationGroup(u"Release samples", 19999, 0, 0));
            instrument.groups.push_back(pw::articulationGroup(u"Legato layer 2", 100, 10, 0));
        }
        ++n;
    }
    pw::ScriptSpec script;
    script.sourceText = std::string("on init\n  declare $3nvk5 := 24\nend on\n");
    script.description = std::string("Articulations");
    script.variableLines = {std::string("$bars 4"), std::string("$3nvk5 24")};
    instrument.scripts = {script};

    nw::ContainerPatch container;
    container.preset = pw::presetStream(instrument);
    container.layout = nw::PresetLayout::PackedSubtree;
    const nw::Bytes file = nw::containerFile(container);

    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "%s: cannot create %s\n", argv[0], argv[1]);
        return 1;
    }
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
