// velmora-nki: the articulations of an instrument file, as an articulation
// set file would hold them. It loads the importer library from the plugin
// folder beside it, exactly as the plugin does for an import.
//
//   velmora-nki list FILE.nki [--keyswitch]
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/articulation.h"
#include "core/limits.h"
#include "persistence/articulation_files.h"
#include "persistence/articulation_records.h"
#include "platform/dynamic_library.h"
#include "platform/platform.h"
#include "shared/imported_articulations.h"

namespace {

constexpr const char* kImporterRelativePath =
    "/Plugins/Fruity/Generators/ZOLT Velmora/ZOLT Velmora NKI Importer_x64.so";

int Usage() {
    std::fprintf(stderr, "usage: velmora-nki list FILE.nki [--keyswitch]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::strcmp(argv[1], "list") != 0 || argc > 4) {
        return Usage();
    }
    const std::string file = argv[2];
    bool keyswitch = false;
    if (argc == 4) {
        if (std::strcmp(argv[3], "--keyswitch") != 0) {
            return Usage();
        }
        keyswitch = true;
    }

    const std::string libraryPath = platform::defaultPlatform().executableFolder() + kImporterRelativePath;
    platform::DynamicLibrary library(libraryPath);
    if (!library.isLoaded()) {
        std::fprintf(stderr, "velmora-nki: cannot load the importer library: %s\n", library.error().c_str());
        return 1;
    }
    const auto get = reinterpret_cast<velmora::GetArticulationsFunction>(library.symbol(velmora::kGetArticulationsSymbol));
    const auto release = reinterpret_cast<velmora::FreeFunction>(library.symbol(velmora::kFreeSymbol));
    if (get == nullptr || release == nullptr) {
        std::fprintf(stderr, "velmora-nki: %s does not export GetArticulations and Free\n", libraryPath.c_str());
        return 1;
    }

    // The library prints its own diagnostic line on standard output; keep
    // it apart from the set text, which starts only once the record is back.
    velmora::ImportedArticulations* record = get(file.c_str(), keyswitch ? 1 : 0);
    const int count = record != nullptr ? record->count : 0;
    if (count < 1) {
        if (record != nullptr) {
            release(record);
        }
        std::fprintf(stderr, "velmora-nki: %s: no articulations (no instrument patch with suitable groups)\n",
                     file.c_str());
        return 1;
    }

    velmora::ArticulationTable table;
    for (int a = 0; a < velmora::kArticulations; ++a) {
        velmora::MakeBlank(table, a);
    }
    const int listed = std::min({count, velmora::kArticulations, velmora::kImportedArticulationsMax});
    for (int i = 0; i < listed; ++i) {
        table.set(i, velmora::Articulation{record->names[i] != nullptr ? record->names[i] : "", record->icon[i],
                                           record->note[i], record->notev[i], record->prog[i], record->modw[i],
                                           record->modc[i]});
    }
    release(record);
    library.unload();

    const std::string text = velmora::UsedArticulationsText(table);
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (count > listed) {
        std::fprintf(stderr, "velmora-nki: %d articulations; a set holds the first %d\n", count, listed);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
