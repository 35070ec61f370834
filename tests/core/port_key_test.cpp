#include <gtest/gtest.h>

#include <set>

#include "core/shared_port_state.h"

namespace velmora {
namespace {

TEST(PortKey, EveryPortAndChannelHasItsOwnKeyInsideTheTables) {
    std::set<int> keys;
    for (int port = 0; port < kPorts; ++port) {
        for (int ch = 0; ch < kChannelsPerPort; ++ch) {
            keys.insert(PortKey(port, ch));
        }
        keys.insert(PortKey(port, kChannelPerColour));
    }
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(kPorts * (kChannelsPerPort + 1)));
    EXPECT_GE(*keys.begin(), 0);
    EXPECT_LT(*keys.rbegin(), kPortKeys);
    // A per-colour instance on port 0 is not channel 0 of port 4.
    EXPECT_NE(PortKey(0, kChannelPerColour), PortKey(4, 0));
}

TEST(PortKey, OutOfRangeValuesStayInside) {
    for (int port : {-1, 256, 100000}) {
        for (int ch : {-1, 64, 255, 257, 1 << 30}) {
            const int k = PortKey(port, ch);
            EXPECT_GE(k, 0);
            EXPECT_LT(k, kPortKeys);
        }
    }
}

}  // namespace
}  // namespace velmora
