#pragma once
// The MIDI output ports a session's instances send on, as the plugin lists them.
#include <string>
#include <vector>

#include "host/reference_host.h"
#include "shared/host_extension.h"

namespace velmora::host::live {

// Ports 0..255 the listing names, ascending and each once; empty with a
// reason in `error` when the listing cannot be read.
std::vector<int> PortsOfListing(const std::string& listingJson, std::string& error);

// The listing of the host's instances through the plugin's extension table.
std::string ListingOf(const ReferenceHost& host, const HostExtension& extension);

}  // namespace velmora::host::live
