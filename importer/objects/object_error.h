#pragma once
// Format failures of the object reader. They are raised deep inside the
// reader and turned into a result code where loading ends.
#include <stdexcept>

namespace velmora::objects {

inline constexpr const char* kUnexpectedDataChunk = "unexpected data chunk (file corrupt)";
inline constexpr const char* kWrongValue = "wrong value (file corrupt)";
inline constexpr const char* kFutureVersion = "future kontakt version";
inline constexpr const char* kCutOffHeader = "object header cut off (file corrupt)";
inline constexpr const char* kTooDeep = "objects nested too deeply (file corrupt)";
inline constexpr const char* kTooMany = "too many objects (file corrupt)";

class ObjectFormatError : public std::runtime_error {
public:
    explicit ObjectFormatError(const char* message) : std::runtime_error(message) {}
};

}  // namespace velmora::objects
