#pragma once
// The JSON API's listing of instances, byte for byte.
#include <cstdint>
#include <string>

namespace velmora {
class Instance;
}  // namespace velmora

namespace velmora {

// Writes instance objects between the head and the tail; the first one
// written has no separator.
class InstanceListing {
public:
    InstanceListing();
    void add(const Instance& plug);
    // The finished listing; add nothing after this.
    std::string finish();

private:
    std::string text_;
    bool first_ = true;
};

}  // namespace velmora
