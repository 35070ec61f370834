#include "http/request_handler.h"

#include <utility>

#include "core/instance.h"
#include "http/api.h"
#include "http/api_request.h"
#include "platform/regular_file.h"

namespace velmora::http {

namespace {

constexpr std::string_view kIndex = "/index.html";

// Browsers run module scripts only when they arrive as JavaScript, and apply
// style sheets only as CSS, so static files carry a type by their extension.
const char* ContentTypeFor(std::string_view file) {
    struct Entry {
        std::string_view extension;
        const char* type;
    };
    static constexpr Entry kTypes[] = {
        {".html", "text/html; charset=utf-8"}, {".js", "text/javascript; charset=utf-8"},
        {".mjs", "text/javascript; charset=utf-8"}, {".css", "text/css; charset=utf-8"},
        {".json", "application/json"}, {".svg", "image/svg+xml"}, {".png", "image/png"},
        {".ico", "image/x-icon"}, {".zoltartic", "application/json"},
    };
    for (const auto& entry : kTypes) {
        if (file.size() >= entry.extension.size() &&
            file.substr(file.size() - entry.extension.size()) == entry.extension) {
            return entry.type;
        }
    }
    return nullptr;
}

void NotFound(Connection& c) {
    SendStatus(c, 404, "Not Found");
    EndHeaders(c);
}

void ServeFile(Connection& c, const std::string& htmlFolder, const char* path, Instance* plug,
               const char* method) {
    const auto found = StaticFilePath(htmlFolder, path);
    if (plug != nullptr && plug->debugLog != 0) {
        plug->DebugLog("Server event SB_EV_REQUEST %s %s (%s)", method, path, found ? found->c_str() : "(refused)");
    }
    if (!found) {
        NotFound(c);
        return;
    }
    // Opened once: what is served is what was looked at.
    std::string file = *found;
    std::optional<platform::RegularFile> opened = platform::RegularFile::Open(file);
    if (!opened) {
        file += kIndex;
        opened = platform::RegularFile::Open(file);
        if (!opened) {
            NotFound(c);
            return;
        }
    }
    SendStatus(c, 200, "OK");
    if (const char* type = ContentTypeFor(file)) {
        SendHeader(c, "Content-Type", type);
    }
    if (opened->size() == 0) {
        EndHeaders(c);
        return;
    }
    SendFileBody(c, std::move(*opened));
}

}  // namespace

std::optional<std::string> StaticRelativePath(std::string_view requestPath) {
    if (requestPath.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    if (!requestPath.empty() && (requestPath.front() == '/' || requestPath.front() == '\\')) {
        requestPath.remove_prefix(1);
    }
    // Windows takes a backslash as a separator too: with one spelling left,
    // the ".." check below sees every way up.
    std::string path(requestPath);
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string::npos) {
            slash = path.size();
        }
        if (std::string_view(path).substr(start, slash - start) == "..") {
            return std::nullopt;
        }
        start = slash + 1;
    }
    return path;
}

std::optional<std::string> StaticFilePath(const std::string& htmlFolder, std::string_view requestPath) {
    const auto relative = StaticRelativePath(requestPath);
    if (!relative) {
        return std::nullopt;
    }
    // Joined as text: a part that looks absolute stays below the folder.
    std::string file = htmlFolder + "/" + *relative;
    // The folder is tried too, with index.html after it: both must fit.
    if (file.size() + kIndex.size() > kMaxFilePath) {
        return std::nullopt;
    }
    return file;
}

int HandleEvent(Event& event) {
    if (event.type != EventType::Request) {
        return 0;
    }
    auto* plug = static_cast<Instance*>(event.context);
    if (IsApiPath(event.path)) {
        if (plug != nullptr && plug->debugLog != 0) {
            plug->DebugLog("Server event SB_EV_REQUEST %s %s", event.method, event.path);
        }
        AnswerApiRequest(*event.connection, event.method, event.path);
        return 0;
    }
    const std::string html = Process().installFolder + "/Plugins/Fruity/Generators/ZOLT Velmora/html";
    ServeFile(*event.connection, html, event.path, plug, event.method);
    return 0;
}

}  // namespace velmora::http
