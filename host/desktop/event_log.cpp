#include "host/desktop/event_log.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace velmora::host {

EventLog::~EventLog() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool EventLog::open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

std::string EventLog::Line(const char* event, std::initializer_list<Field> fields) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    w.StartObject();
    w.Key("event");
    w.String(event);
    for (const Field& f : fields) {
        w.Key(f.key);
        if (const auto* number = std::get_if<std::int64_t>(&f.value)) {
            w.Int64(*number);
        } else {
            const std::string& text = std::get<std::string>(f.value);
            w.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
        }
    }
    w.EndObject();
    return std::string(buffer.GetString(), buffer.GetSize());
}

void EventLog::write(const char* event, std::initializer_list<Field> fields) {
    if (file_ == nullptr) {
        return;
    }
    const std::string line = Line(event, fields);
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace velmora::host
