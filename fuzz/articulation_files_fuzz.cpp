// Articulation set files in every import mode, and key-name files, from raw
// bytes. The bytes go through a real file, as the importers read paths.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/instance.h"
#include "persistence/articulation_files.h"
#include "persistence/key_names.h"
#include "tests/support/recording_host.h"

namespace {

struct World {
    velmora::test::RecordingHost host;
    velmora::Instance* plug = new velmora::Instance(&host, 1, nullptr);
    std::string path = "/tmp/velmora-fuzz-" + std::to_string(::getpid()) + ".zoltartic";
    // Every test run replays the seeds, so the file must not outlive the run.
    ~World() { std::remove(path.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static World world;
    world.host.clearRecords();
    std::FILE* f = std::fopen(world.path.c_str(), "wb");
    if (f == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    velmora::Instance& plug = *world.plug;
    for (velmora::ImportMode mode : {velmora::ImportMode::Append, velmora::ImportMode::Replace, velmora::ImportMode::Drop}) {
        velmora::ImportArticulations(plug, world.path, mode);
    }
    velmora::LoadKeyNames(plug, static_cast<int>(size % velmora::kArticulations), std::string_view(world.path));
    plug.Session_SetDefaults();  // the next input starts from a new instance's state
    return 0;
}
