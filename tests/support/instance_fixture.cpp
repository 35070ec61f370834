#include "tests/support/instance_fixture.h"

#include <cstdio>

namespace velmora::test {

std::string Describe(const std::vector<std::uint32_t>& midi) {
    std::string out;
    for (std::uint32_t m : midi) {
        char word[40];
        std::snprintf(word, sizeof(word), "[%02X %02X %02X p%u] ", MessageStatus(m), MessageData1(m), MessageData2(m),
                      MessagePort(m));
        out += word;
    }
    return out;
}

}  // namespace velmora::test
