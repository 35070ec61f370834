#include "persistence/state_records.h"

namespace velmora::state {

void ReadWords(StreamReader& in, std::size_t count, std::span<std::int32_t> into) {
    for (std::size_t i = 0; i < count; ++i) {
        std::int32_t v = 0;
        if (!in.word(v)) {
            return;
        }
        if (i < into.size()) {
            into[i] = v;
        }
    }
}

void ReadStrings(StreamReader& in, std::size_t count, std::span<std::string> into) {
    for (std::size_t i = 0; i < count; ++i) {
        if (i < into.size() ? !in.shortString(into[i]) : !in.skipShortString()) {
            return;
        }
    }
}

void ReadPageNames(StreamReader& in, std::array<std::string, kPages>& pages) {
    std::uint16_t count = 0;
    if (in.u16(count)) {
        ReadStrings(in, count, pages);
    }
}

std::uint16_t ReadControllers(StreamReader& in, ControllerTable& controllers, bool withLock) {
    std::uint16_t count = 0;
    if (!in.u16(count)) {
        return 0;
    }
    ReadWords(in, count, controllers.value);
    ReadWords(in, count, controllers.cc);
    ReadWords(in, count, controllers.type);
    ReadWords(in, count, controllers.defaultValue);
    ReadWords(in, count, controllers.on);
    if (withLock) {
        ReadWords(in, count, controllers.lock);
    }
    ReadStrings(in, count, controllers.name);
    return count;
}

}  // namespace velmora::state
