#pragma once
// The JSON API's listing of instances, byte for byte.
#include <string>

#include "http/text_cursor.h"

namespace velmora {
class Instance;
}  // namespace velmora

namespace velmora {

// Appends the listing to a text that may already hold something (a response's
// header section): the head at once, instance objects as they are added (the
// first one without a separator), the tail at finish. Everything goes straight
// into that one text, so a listing costs no memory of its own. The text holds
// the listing once finish has returned (or the listing has gone away).
class InstanceListing {
public:
    explicit InstanceListing(std::string& out);
    void add(const Instance& plug);
    // Closes the listing; add nothing after this.
    void finish();

private:
    TextCursor out_;
    bool first_ = true;
};

}  // namespace velmora
