// velmora-nki: the articulations of an instrument file, as an articulation
// set file would hold them. It asks the plugin beside it to import the file,
// exactly as a user's import does, and prints the set the plugin then holds.
//
//   velmora-nki list FILE.nki [--keyswitch]
#include <cstdio>
#include <cstring>
#include <string>

#include "host/plugin_library.h"
#include "host/reference_host.h"

using namespace velmora::host;

namespace {

constexpr int kArticulationsPerSet = 64;

int Usage() {
    std::fprintf(stderr, "usage: velmora-nki list FILE.nki [--keyswitch]\n");
    return 2;
}

void AppendText(void* context, const char* text, std::size_t length) {
    static_cast<std::string*>(context)->append(text, length);
}

// Imports into a fresh instance and prints its set text.
int ListArticulations(TFruityPlug* plug, const ReferenceHost& host, const std::string& file, bool keyswitch) {
    std::string error;
    const velmora::HostExtension* extension = HostExtensionOf(plug, error);
    if (extension == nullptr) {
        std::fprintf(stderr, "velmora-nki: %s\n", error.c_str());
        return 1;
    }
    const int count = extension->importInstrument(plug, file.c_str(), keyswitch ? 1 : 0);
    if (count < 1) {
        // The plugin's own message says why: no library, or not an instrument it can read.
        const std::string why = host.messages().empty() ? "no instrument patch with suitable groups" : host.messages().back();
        std::fprintf(stderr, "velmora-nki: %s: no articulations (%s)\n", file.c_str(), why.c_str());
        return 1;
    }
    std::string text;
    if (extension->articulationSetText(plug, AppendText, &text) == 0) {
        std::fprintf(stderr, "velmora-nki: the plugin could not write the set\n");
        return 1;
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (count > kArticulationsPerSet) {
        std::fprintf(stderr, "velmora-nki: %d articulations; a set holds the first %d\n", count, kArticulationsPerSet);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
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

    const PluginLibrary library(DefaultPluginPath());
    if (!library.ok()) {
        std::fprintf(stderr, "velmora-nki: cannot load the plugin: %s\n", library.error().c_str());
        return 1;
    }
    ReferenceHost host;
    host.echoMessages = false;  // the outcome is printed below, once
    TFruityPlug* plug = library.create(&host, 1);
    if (plug == nullptr) {
        std::fprintf(stderr, "velmora-nki: the plugin created no instance\n");
        return 1;
    }
    host.addInstance(plug);
    const int result = ListArticulations(plug, host, file, keyswitch);
    plug->DestroyObject();
    return result;
}
