#include "http/api.h"

#include <cstring>
#include <string>

#include "core/instance.h"
#include "core/options.h"
#include "http/instance_listing.h"
#include "http/server.h"
#include "persistence/articulation_files.h"
#include "persistence/articulation_json.h"

namespace velmora::http {

namespace {

int Limit(std::int32_t v, std::int32_t low, std::int32_t high, std::int32_t outside) {
    return v < low || v > high ? outside : v;
}

// An index argument: decimal digits only, within 0..count-1.
std::optional<int> Index(const std::optional<std::string>& text, int count) {
    if (!text || text->empty() || text->size() > 4) {
        return std::nullopt;
    }
    int v = 0;
    for (char c : *text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        v = v * 10 + (c - '0');
    }
    return v < count ? std::optional<int>(v) : std::nullopt;
}

bool SetArticulationField(ArticulationTable& t, int a, const std::string& field, const std::string& value) {
    if (field == "name") {
        t.name[a] = value;
        return true;
    }
    std::array<std::int32_t, kArticulations>* target = field == "icon"    ? &t.icon
                                                       : field == "note"  ? &t.note
                                                       : field == "notev" ? &t.notev
                                                       : field == "prog"  ? &t.prog
                                                       : field == "modw"  ? &t.modw
                                                       : field == "modc"  ? &t.modc
                                                                          : nullptr;
    if (target == nullptr) {
        return false;
    }
    (*target)[a] = ApiNumber(value);
    return true;
}

bool SetControllerField(ControllerTable& t, int c, const std::string& field, const std::string& value) {
    if (field == "name") {
        t.name[c] = value;
        return true;
    }
    std::array<std::int32_t, kControllers>* target = field == "type"      ? &t.type
                                                     : field == "default" ? &t.defaultValue
                                                     : field == "cc"      ? &t.cc
                                                     : field == "on"      ? &t.on
                                                     : field == "value"   ? &t.value
                                                     : field == "lock"    ? &t.lock
                                                                          : nullptr;
    if (target == nullptr) {
        return false;
    }
    (*target)[c] = ApiNumber(value);
    return true;
}

// The command's change; false when nothing changed (unknown command, key,
// field or index, or no value).
bool ChangeInstance(Instance& p, const ApiRequest& r) {
    const std::string& command = *r.command;
    if (!r.value) {
        return false;
    }
    const std::string& value = *r.value;
    const std::int32_t n = ApiNumber(value);
    if (command == "port") {
        p.port = Limit(n, 0, 255, 255);
    } else if (command == "channel") {
        p.channel = (n >= 0 && n <= 63) || n == kChannelPerColour ? n : 63;
    } else if (command == "tab") {
        p.tab = n < 0 || n > 2 ? 2 : n;
    } else if (command == "editing") {
        p.editing = Limit(n, 0, 63, 63);
    } else if (command == "bankstart") {
        p.bankstart = Limit(n, 0, 63, 63);
    } else if (command == "controllerstart") {
        p.controllerstart = n < 0 ? 0 : n > 95 ? 95 : n;
    } else if (command == "options") {
        const OptionDescription* option = r.argument1 ? FindOptionByApiKey(*r.argument1) : nullptr;
        if (option == nullptr) {
            return false;
        }
        SetOptionApiValue(*option, p, *p.processState, value == "true");
    } else if (command == "articulations") {
        const auto a = Index(r.argument1, kArticulations);
        if (!a || !r.argument2 || !SetArticulationField(p.articulations, *a, *r.argument2, value)) {
            return false;
        }
    } else if (command == "controllers") {
        const auto c = Index(r.argument1, kControllers);
        if (!c || !r.argument2 || !SetControllerField(p.controllers, *c, *r.argument2, value)) {
            return false;
        }
    } else {
        return false;
    }
    return true;
}

const char* OrNull(const std::optional<std::string>& s) { return s ? s->c_str() : "(null)"; }

}  // namespace

void ApplyCommand(Instance& p, const ApiRequest& r, std::string_view method, std::string_view body) {
    if (!r.command) {
        return;
    }
    if (p.debugLog != 0) {
        p.DebugLog("Server command %s %s %s (%s)", r.command->c_str(), OrNull(r.argument1), OrNull(r.argument2),
                   OrNull(r.value));
    }
    if (*r.command == "json") {
        if (method == "PUT") {
            // Replaced only when the body is an array of at most 64 elements.
            ApplyArticulationSet(p.articulations, ParseArticulationSet(body), ImportMode::Replace);
            p.Host().stateChanged();
            p.RepaintEditor(Repaint::Whole);
        }
        return;
    }
    if (ChangeInstance(p, r)) {
        // These values are saved with the project: the host must know.
        p.Host().stateChanged();
        p.RepaintEditor(Repaint::Whole);
    }
}

void AppendApiResponse(std::string& out, std::string_view method, std::string_view path, std::string_view body) {
    const ApiRequest r = SplitApiPath(path);
    const auto& instances = Process().instanceList;
    if (r.id != 0 && r.command && *r.command == "json" && method == "GET") {
        for (Instance* p : instances) {
            if (p->apiId == r.id) {
                out += UsedArticulationsText(p->articulations);
                return;
            }
        }
    }
    InstanceListing listing(out);
    for (Instance* p : instances) {
        if (r.id != 0 && p->apiId != r.id) {
            continue;
        }
        ApplyCommand(*p, r, method, body);
        listing.add(*p);
    }
    listing.finish();
}

std::string ApiResponse(std::string_view method, std::string_view path, std::string_view body) {
    std::string out;
    AppendApiResponse(out, method, path, body);
    return out;
}

void AnswerApiRequest(Connection& c, const char* method, const char* path) {
    // The body runs from the end of the header section to the end of the request.
    std::string_view request(c.receiveBuffer.data(), std::strlen(c.receiveBuffer.data()));
    std::string_view body;
    std::size_t end = request.find("\r\n\r\n");
    std::size_t skip = 4;
    const std::size_t lf = request.find("\n\n");
    if (lf != std::string_view::npos && (end == std::string_view::npos || lf < end)) {
        end = lf;
        skip = 2;
    }
    if (end != std::string_view::npos) {
        body = request.substr(end + skip);
    }
    SendStatus(c, 200, "OK");
    SendHeader(c, "Content-Type", "application/json");
    // Written straight after the header: the listing is the larger part of
    // the response by far.
    if (std::string* out = ResponseBody(c)) {
        AppendApiResponse(*out, method, path, body);
    }
}

}  // namespace velmora::http
