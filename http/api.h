#pragma once
// The JSON API over every instance of the process.
#include <string>
#include <string_view>

#include "http/api_request.h"

namespace velmora {
class Instance;
}  // namespace velmora

namespace velmora::http {

struct Connection;

// Applies one command to one instance. PUT bodies of "json" come in `body`.
void ApplyCommand(Instance& plug, const ApiRequest& request, std::string_view method, std::string_view body);

// The response body for an API request: the articulation array or the listing.
std::string ApiResponse(std::string_view method, std::string_view path, std::string_view body);
// The same body, appended to `out`.
void AppendApiResponse(std::string& out, std::string_view method, std::string_view path, std::string_view body);

// Answers the request on the connection (status, content type, body).
void AnswerApiRequest(Connection& c, const char* method, const char* path);

}  // namespace velmora::http
