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
    std::unique_ptr<ZOLTVSTExprPlug> plug{new ZOLTVSTExprPlug(1, &host, nullptr, module)};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Harness* harness = new Harness;  // lives for the whole run
    if (size == 0) {
        return 0;
    }
    harness->module.midiOut = (data[0] & 1) != 0;
    harness->host.clearRecords();
    ZOLTVSTExprPlug& plug = *harness->plug;

    platform::MemoryStream in(std::vector<std::uint8_t>(data + 1, data + size));
    plug.SaveRestoreState(&in, 0);

    platform::MemoryStream out;
    plug.SaveRestoreState(&out, 1);
    harness->module.midiOut = false;
    platform::MemoryStream again(out.bytes());
    plug.SaveRestoreState(&again, 0);
    if (again.position() != out.bytes().size()) {
        __builtin_trap();  // the writer and the reader disagree about the layout
    }
    return 0;
}
