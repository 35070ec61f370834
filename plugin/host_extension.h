#pragma once
// The plugin's side of the reference host's extension table.
#include <cstdint>

#include "shared/host_extension.h"

namespace velmora {

// The table's address. A host of another version reads the version field and
// refuses the table itself, which lets it say which versions differ.
std::intptr_t HostExtensionAddress();

}  // namespace velmora
