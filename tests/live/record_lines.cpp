#include "tests/live/record_lines.h"

#include <rapidjson/document.h>

#include <fstream>
#include <sstream>

namespace velmora::live_test {

namespace {

bool IntegerMember(const rapidjson::Value& object, const char* key, std::int64_t& out) {
    const auto it = object.FindMember(key);
    if (it == object.MemberEnd() || !it->value.IsInt64()) {
        return false;
    }
    out = it->value.GetInt64();
    return true;
}

}  // namespace

std::string JsonLine(const MidiLine& line, bool withPort) {
    std::string out = "{\"tick\": " + std::to_string(line.tick);
    if (withPort) {
        out += ", \"port\": " + std::to_string(line.port);
    }
    out += ", \"status\": " + std::to_string(line.status) + ", \"data1\": " + std::to_string(line.data1) +
           ", \"data2\": " + std::to_string(line.data2);
    if (line.frame) {
        out += ", \"frame\": " + std::to_string(*line.frame);
    }
    return out + "}\n";
}

std::optional<std::vector<MidiLine>> ParseJsonLines(const std::string& text, std::string& error) {
    std::vector<MidiLine> lines;
    std::istringstream in(text);
    std::string row;
    for (int number = 1; std::getline(in, row); ++number) {
        if (row.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        rapidjson::Document doc;
        doc.Parse(row.c_str(), row.size());
        const std::string where = "line " + std::to_string(number) + ": ";
        if (doc.HasParseError() || !doc.IsObject()) {
            error = where + "not a JSON object";
            return std::nullopt;
        }
        MidiLine line;
        std::int64_t port = 0;
        std::int64_t status = 0;
        std::int64_t data1 = 0;
        std::int64_t data2 = 0;
        if (!IntegerMember(doc, "tick", line.tick) || !IntegerMember(doc, "status", status) ||
            !IntegerMember(doc, "data1", data1) || !IntegerMember(doc, "data2", data2)) {
            error = where + "\"tick\", \"status\", \"data1\" and \"data2\" must be integers";
            return std::nullopt;
        }
        if (doc.HasMember("port") && !IntegerMember(doc, "port", port)) {
            error = where + "\"port\" must be an integer";
            return std::nullopt;
        }
        if (std::int64_t frame = 0; doc.HasMember("frame")) {
            if (!IntegerMember(doc, "frame", frame)) {
                error = where + "\"frame\" must be an integer";
                return std::nullopt;
            }
            line.frame = frame;
        }
        line.port = static_cast<int>(port);
        line.status = static_cast<int>(status);
        line.data1 = static_cast<int>(data1);
        line.data2 = static_cast<int>(data2);
        lines.push_back(line);
    }
    return lines;
}

std::optional<std::vector<MidiLine>> ReadJsonLines(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    auto lines = ParseJsonLines(text.str(), error);
    if (!lines) {
        error = path + ": " + error;
    }
    return lines;
}

}  // namespace velmora::live_test
