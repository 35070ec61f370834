#pragma once
// Where each instance sends its MIDI, as the plugin lists its instances: the
// host shows the instances' ports and channels without knowing their classes.
#include <optional>
#include <string_view>
#include <vector>

#include "sdk/fruity_plug.h"
#include "shared/host_extension.h"

namespace velmora::host {

struct InstancePlace {
    int port = 0;
    int channel = 0;  // 0..15
};

// The port and channel of every instance in a JSON listing, in its order;
// nullopt for text that is not such a listing.
std::optional<std::vector<InstancePlace>> PlacesFromListing(std::string_view listing);

// Asks the plugin for the listing of these instances.
std::optional<std::vector<InstancePlace>> ListPlaces(const HostExtension& extension,
                                                     const std::vector<TFruityPlug*>& instances);

}  // namespace velmora::host
