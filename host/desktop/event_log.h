#pragma once
// The desktop's log for programs that drive it (xdotool tests): one compact
// JSON object per line, flushed as it is written, so a reader polling the
// file sees each line whole as soon as it happened.
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <variant>

namespace velmora::host {

class EventLog {
public:
    // A value of a field: a number or a text.
    using Value = std::variant<std::int64_t, std::string>;
    struct Field {
        const char* key;
        Value value;
    };

    EventLog() = default;
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // Starts (truncates) the file; false when it cannot be written. Without
    // a file the log writes nothing.
    bool open(const std::string& path);
    bool enabled() const { return file_ != nullptr; }

    // {"event":"<event>", fields in order}.
    void write(const char* event, std::initializer_list<Field> fields);

    // The line write() would write.
    static std::string Line(const char* event, std::initializer_list<Field> fields);

private:
    std::FILE* file_ = nullptr;
};

}  // namespace velmora::host
