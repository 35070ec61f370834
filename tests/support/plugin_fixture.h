#pragma once
// The whole plugin instance, created and destroyed as the host does, for
// tests of the operations the host calls.
#include <memory>

#include "plugin/plugin.h"
#include "tests/support/recording_host.h"

namespace velmora::test {

struct PluginDeleter {
    void operator()(ZOLTVSTExprPlug* p) const { p->DestroyObject(); }
};
using PluginPtr = std::unique_ptr<ZOLTVSTExprPlug, PluginDeleter>;

inline PluginPtr MakePlugin(RecordingHost& host, TPluginTag tag = 1,
                            platform::Platform& platform = platform::defaultPlatform()) {
    return PluginPtr(new ZOLTVSTExprPlug(tag, &host, nullptr, platform));
}

}  // namespace velmora::test
