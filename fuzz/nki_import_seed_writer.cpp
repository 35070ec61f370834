// Writes a seed corpus for the import fuzz target: instruments written by
// the patch-object writer, as plain patch files of both byte orders and as
// containers, into the folder given as the only argument.
#include "tests/support/seed_files.h"
#include "tests/support/import_fixture.h"

#include <cstdio>
#include <string>

namespace pw = velmora::patch_writer;
using velmora::test::FileForm;

namespace {

bool WriteSeeds(const std::string& folder) {
    std::vector<pw::InstrumentSpec> instruments;
    {
        pw::InstrumentSpec s = velmora::test::NumberedInstrument(3);
        pw::ScriptSpec script;
        script.variableLines = {std::string("$3nvk5 24"), std::nullopt, std::string("x")};
        s.scripts = {script, script};
        instruments.push_back(s);
    }
    {
        pw::InstrumentSpec s = velmora::test::NumberedInstrument(2);
        s.programVersion = 0x80;
        s.oldLayoutScripts = {{"$3nvk5 36"}, {"a b"}};
        s.groups[1] = pw::articulationGroup(u"shifted \u266B", 70, 5, 9, 3, true);
        instruments.push_back(s);
    }
    {
        pw::InstrumentSpec s;
        pw::GroupSpec g = pw::articulationGroup(u"two slots", 60, 1, 1, 6);
        g.slots[2].present = true;
        g.slots[7].present = true;
        g.slots[7].values.key = 19999;
        s.groups = {g, pw::articulationGroup(u"dup", 60, 2, 2)};
        instruments.push_back(s);
    }
    bool ok = true;
    int index = 0;
    for (const auto& base : instruments) {
        for (bool big : {false, true}) {
            pw::InstrumentSpec s = base;
            s.bigEndian = big;
            ok = velmora::test::WriteSeedFile(folder, "plain-" + std::to_string(index++) + ".nki", velmora::test::InstrumentFile(s)) && ok;
        }
        ok = velmora::test::WriteSeedFile(folder, "container-" + std::to_string(index++) + ".nki",
                  velmora::test::InstrumentFile(base, FileForm::Container)) &&
             ok;
        // The bare preset stream too, so the fuzzer can reach the objects
        // without first finding a valid checksum.
        ok = velmora::test::WriteSeedFile(folder, "stream-" + std::to_string(index++) + ".bin", pw::presetStream(base)) && ok;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) { return velmora::test::SeedWriterMain(argc, argv, WriteSeeds); }
