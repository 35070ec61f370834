#pragma once
// The plugin's request handler: API requests, and static files from the
// installation's html folder.
#include <optional>
#include <string>
#include <string_view>

#include "http/server.h"

namespace velmora::http {

// The file a static request names below htmlFolder, or nullopt when the path
// would leave the folder (".." segments, backslashes, a zero byte, a target
// not starting with "/") or the file path would be too long for the host.
std::optional<std::string> StaticFilePath(const std::string& htmlFolder, std::string_view requestPath);

inline constexpr std::size_t kMaxFilePath = 260;

// The handler given to the server; its context is the instance that started it.
int HandleEvent(Event& event);

}  // namespace velmora::http
