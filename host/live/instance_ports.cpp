#include "host/live/instance_ports.h"

#include <rapidjson/document.h>

#include <set>

namespace velmora::host::live {

std::vector<int> PortsOfListing(const std::string& listingJson, std::string& error) {
    rapidjson::Document doc;
    doc.Parse(listingJson.c_str(), listingJson.size());
    if (doc.HasParseError() || !doc.IsObject() || !doc.HasMember("instances") || !doc["instances"].IsArray()) {
        error = "the plugin's instance listing is not the JSON expected";
        return {};
    }
    std::set<int> ports;
    for (const auto& instance : doc["instances"].GetArray()) {
        if (instance.IsObject() && instance.HasMember("port") && instance["port"].IsInt()) {
            const int port = instance["port"].GetInt();
            if (port >= 0 && port <= 255) {
                ports.insert(port);
            }
        }
    }
    return {ports.begin(), ports.end()};
}

std::string ListingOf(const ReferenceHost& host, const HostExtension& extension) {
    std::vector<TFruityPlug*> plugs;
    for (std::size_t i = 0; i < host.instanceCount(); ++i) {
        plugs.push_back(host.instance(static_cast<int>(i)));
    }
    std::string text;
    extension.listInstances(
        plugs.data(), static_cast<int>(plugs.size()),
        [](void* context, const char* piece, std::size_t length) { static_cast<std::string*>(context)->append(piece, length); },
        &text);
    return text;
}

}  // namespace velmora::host::live
