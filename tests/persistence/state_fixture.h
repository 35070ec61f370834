#pragma once
// Saving and restoring instances through their host operation, for the
// project-state tests.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/byte_stream.h"
#include "tests/support/instance_fixture.h"
#include "tests/support/state_writer.h"

namespace velmora::test {

// A platform whose plugin module has the given file name.
class NamedModule final : public platform::Platform {
public:
    explicit NamedModule(std::string name) : name_(std::move(name)) {}
    std::string moduleFileName(const void*) const override { return name_; }

private:
    std::string name_;
};

inline void Restore(Instance& plug, std::vector<std::uint8_t> bytes) {
    platform::MemoryStream stream(std::move(bytes));
    RestoreProjectState(plug, stream);
}

inline void Restore(Instance& plug, const StateDescription& state) { Restore(plug, WriteState(state)); }

inline std::vector<std::uint8_t> Save(Instance& plug) {
    platform::MemoryStream stream;
    SaveProjectState(plug, stream);
    return stream.bytes();
}

// A state of the version with every table at its full size.
inline StateDescription FullSizeState(std::uint32_t version) {
    StateDescription s;
    s.version = version;
    s.articulations.resize(16);
    s.pages.resize(16);
    s.controllers.resize(96);
    return s;
}

// The values of the host's Dispatcher calls with this id, in order.
inline std::vector<std::intptr_t> DispatchedValues(const RecordingHost& host, std::intptr_t id) {
    std::vector<std::intptr_t> out;
    for (const auto& c : host.callsWithId(id)) {
        out.push_back(c.value);
    }
    return out;
}

}  // namespace velmora::test
