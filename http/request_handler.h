#pragma once
// The plugin's request handler: API requests, and static files from the
// installation's html folder.
#include <optional>
#include <string>
#include <string_view>

#include "http/server.h"

namespace velmora::http {

// The file a decoded request path names, relative to the html folder, with
// "/" between its parts; nullopt when the path is refused. In this order:
//   1. one leading "/" or "\" is dropped; without one the path is taken as
//      it is, so "x.css" names a file as "/x.css" does;
//   2. every "\" becomes "/";
//   3. a ".." part (at the start, between two "/" or at the end) or a zero
//      byte refuses the whole path.
// Nothing else changes: "" and "sub/" name folders, and "." parts, empty
// parts and names with dots inside ("a..b") stay as they are. Escapes are
// decoded before this, so "%2e%2e" and "%5c" arrive as ".." and "\".
std::optional<std::string> StaticRelativePath(std::string_view requestPath);

inline constexpr std::size_t kMaxFilePath = 260;

// htmlFolder + "/" + StaticRelativePath(requestPath); nullopt when that is
// refused or when the folder form with "/index.html" after it would be longer
// than kMaxFilePath, the host's limit.
std::optional<std::string> StaticFilePath(const std::string& htmlFolder, std::string_view requestPath);

// The handler given to the server; its context is the instance that started it.
int HandleEvent(Event& event);

}  // namespace velmora::http
