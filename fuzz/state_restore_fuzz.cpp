// Restores arbitrary bytes as a project state. The first byte chooses the
// module name (bit 0 set: a module named like the MIDI Out generator), the
// rest is the stream. Whatever was restored must save a state that reads
// back to exactly its last byte.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/instance.h"
#include "persistence/project_state.h"
#include "platform/byte_stream.h"
#include "tests/support/recording_host.h"

namespace {

class SwitchedModule final : public platform::Platform {
public:
    std::string moduleFileName(const void*) const override {
        return midiOut ? "/plugins/ZOLT Velmora MIDI Out_x64.so" : "/plugins/ZOLT Velmora_x64.so";
    }
    bool midiOut = false;
};

struct Harness {
    velmora::test::RecordingHost host;
    SwitchedModule module;
    std::unique_ptr<velmora::Instance> plug{new velmora::Instance(&host, 1, nullptr, module)};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Harness* harness = new Harness;  // lives for the whole run
    if (size == 0) {
        return 0;
    }
    harness->module.midiOut = (data[0] & 1) != 0;
    harness->host.clearRecords();
    velmora::Instance& plug = *harness->plug;

    platform::MemoryStream in(std::vector<std::uint8_t>(data + 1, data + size));
    velmora::RestoreProjectState(plug, in);

    platform::MemoryStream out;
    velmora::SaveProjectState(plug, out);
    harness->module.midiOut = false;
    platform::MemoryStream again(out.bytes());
    velmora::RestoreProjectState(plug, again);
    if (again.position() != out.bytes().size()) {
        __builtin_trap();  // the writer and the reader disagree about the layout
    }
    return 0;
}
