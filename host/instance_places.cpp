#include "host/instance_places.h"

#include <rapidjson/document.h>

#include <string>

namespace velmora::host {

namespace {

void Append(void* context, const char* text, std::size_t length) { static_cast<std::string*>(context)->append(text, length); }

}  // namespace

std::optional<std::vector<InstancePlace>> PlacesFromListing(std::string_view listing) {
    rapidjson::Document doc;
    doc.Parse(listing.data(), listing.size());
    if (doc.HasParseError() || !doc.IsObject()) {
        return std::nullopt;
    }
    const auto instances = doc.FindMember("instances");
    if (instances == doc.MemberEnd() || !instances->value.IsArray()) {
        return std::nullopt;
    }
    std::vector<InstancePlace> places;
    for (const auto& v : instances->value.GetArray()) {
        const auto port = v.IsObject() ? v.FindMember("port") : v.MemberEnd();
        const auto channel = v.IsObject() ? v.FindMember("channel") : v.MemberEnd();
        if (!v.IsObject() || port == v.MemberEnd() || channel == v.MemberEnd() || !port->value.IsInt() ||
            !channel->value.IsInt()) {
            return std::nullopt;
        }
        places.push_back({port->value.GetInt(), channel->value.GetInt()});
    }
    return places;
}

std::optional<std::vector<InstancePlace>> ListPlaces(const HostExtension& extension,
                                                     const std::vector<TFruityPlug*>& instances) {
    std::string listing;
    if (instances.empty() ||
        extension.listInstances(instances.data(), static_cast<int>(instances.size()), Append, &listing) == 0) {
        return std::nullopt;
    }
    return PlacesFromListing(listing);
}

}  // namespace velmora::host
