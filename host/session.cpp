#include "host/session.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmora::host {

namespace {

using rapidjson::Value;

double Number(const Value& object, const char* key, double fallback) {
    const auto it = object.FindMember(key);
    return it != object.MemberEnd() && it->value.IsNumber() ? it->value.GetDouble() : fallback;
}

int Int(const Value& object, const char* key, int fallback) {
    return static_cast<int>(std::lround(Number(object, key, fallback)));
}

std::string Text(const Value& object, const char* key) {
    const auto it = object.FindMember(key);
    return it != object.MemberEnd() && it->value.IsString() ? it->value.GetString() : std::string();
}

std::string Resolve(const std::string& base, const std::string& file) {
    if (file.empty() || std::filesystem::path(file).is_absolute()) {
        return file;
    }
    return (std::filesystem::path(base) / file).string();
}

// Every file a session names must be there: a missing one would otherwise
// leave its instance quietly empty. Numbers instances from 1, as play does.
bool CheckNamedFile(std::size_t instance, const char* what, const std::string& file, std::string& error) {
    if (file.empty()) {
        return true;
    }
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    const char* problem = nullptr;
    if (!std::filesystem::exists(status)) {
        problem = "does not exist";
    } else if (std::filesystem::is_directory(status)) {
        problem = "is a folder";
    } else {
        return true;
    }
    error = "session: instance " + std::to_string(instance + 1) + ": " + what + " file \"" + file + "\" " + problem;
    return false;
}

bool ReadInstance(const Value& v, const std::string& base, InstanceSetup& out, std::string& error) {
    if (!v.IsObject()) {
        error = "each instance must be an object";
        return false;
    }
    out.articulations = Resolve(base, Text(v, "articulations"));
    out.state = Resolve(base, Text(v, "state"));
    if (v.HasMember("port")) {
        out.port = Int(v, "port", 0);
    }
    if (v.HasMember("channel")) {
        out.channel = Int(v, "channel", 0);
    }
    if (const auto it = v.FindMember("options"); it != v.MemberEnd()) {
        if (!it->value.IsObject()) {
            error = "\"options\" must be an object";
            return false;
        }
        for (const auto& m : it->value.GetObject()) {
            const bool on = m.value.IsBool() ? m.value.GetBool() : (m.value.IsNumber() && m.value.GetDouble() != 0.0);
            out.options.emplace_back(m.name.GetString(), on);
        }
    }
    return true;
}

bool ReadEvent(const Value& v, std::size_t instanceCount, ScoreEvent& e, std::string& error) {
    if (!v.IsObject()) {
        error = "each event must be an object";
        return false;
    }
    const std::string type = Text(v, "type");
    e.tick = static_cast<std::int64_t>(std::clamp(Number(v, "tick", 0), -1.0, 1e12));
    e.instance = Int(v, "instance", 0);
    if (e.tick < 0 || e.instance < 0 || (instanceCount > 0 && static_cast<std::size_t>(e.instance) >= instanceCount)) {
        error = "event at tick " + std::to_string(e.tick) + " names no instance of the session";
        return false;
    }
    if (type == "note") {
        e.kind = EventKind::Note;
        e.key = Int(v, "key", 60);
        e.level = v.HasMember("level") ? static_cast<float>(Number(v, "level", 1.0))
                                       : LevelForVelocity(Int(v, "velocity", 100));
        // Held to a range the timeline can take; the player refuses scores that run too long.
        e.length = static_cast<std::int64_t>(std::clamp(Number(v, "length", 1), 1.0, 1e12));
        e.colour = Int(v, "colour", 0);
        e.modx = static_cast<float>(Number(v, "modx", 0.0));
        e.release = ReleaseForVelocity(Int(v, "release", 0));
    } else if (type == "param") {
        e.kind = EventKind::Param;
        e.index = Int(v, "index", 0);
        e.value = Int(v, "value", 0);
    } else if (type == "pan" || type == "volume" || type == "pitch") {
        e.kind = type == "pan" ? EventKind::Pan : type == "volume" ? EventKind::Volume : EventKind::Pitch;
        e.value = Int(v, "value", 0);
    } else if (type == "transport") {
        e.kind = EventKind::Transport;
        const auto it = v.FindMember("playing");
        e.value = it != v.MemberEnd() && (it->value.IsBool() ? it->value.GetBool() : it->value.IsNumber() && it->value.GetDouble() != 0.0) ? 1 : 0;
    } else {
        error = "unknown event type \"" + type + "\"";
        return false;
    }
    return true;
}

}  // namespace

float LevelForVelocity(int velocity) {
    if (velocity <= 1) {
        return 0.0f;
    }
    if (velocity >= 127) {
        return 2.0f;
    }
    // The curve is 127 × ln(10v + 1) / ln 21, truncated: aim at the middle of the step.
    return static_cast<float>((std::pow(21.0, (velocity + 0.5) / 127.0) - 1.0) / 10.0);
}

float ReleaseForVelocity(int velocity) {
    if (velocity <= 0) {
        return 0.0f;
    }
    return static_cast<float>((std::min(velocity, 127) + 0.5) / 127.0);
}

std::optional<Session> ParseSession(const std::string& json, const std::string& baseFolder, std::string& error) {
    rapidjson::Document doc;
    doc.Parse<rapidjson::kParseIterativeFlag>(json.c_str(), json.size());
    if (doc.HasParseError()) {
        error = std::string("invalid JSON at offset ") + std::to_string(doc.GetErrorOffset()) + ": " +
                rapidjson::GetParseError_En(doc.GetParseError());
        return std::nullopt;
    }
    if (!doc.IsObject()) {
        error = "a session is a JSON object";
        return std::nullopt;
    }
    Session s;
    s.sampleRate = Number(doc, "sampleRate", 44100.0);
    s.bpm = Number(doc, "bpm", 120.0);
    s.ppq = Int(doc, "ppq", 96);
    if (!(s.sampleRate > 0.0) || !(s.bpm > 0.0) || s.ppq <= 0) {
        error = "sampleRate, bpm and ppq must be positive";
        return std::nullopt;
    }
    if (const auto it = doc.FindMember("instances"); it != doc.MemberEnd()) {
        if (!it->value.IsArray()) {
            error = "\"instances\" must be an array";
            return std::nullopt;
        }
        for (const auto& v : it->value.GetArray()) {
            InstanceSetup setup;
            if (!ReadInstance(v, baseFolder, setup, error) ||
                !CheckNamedFile(s.instances.size(), "state", setup.state, error) ||
                !CheckNamedFile(s.instances.size(), "articulations", setup.articulations, error)) {
                return std::nullopt;
            }
            s.instances.push_back(std::move(setup));
        }
    }
    if (s.instances.empty()) {
        s.instances.emplace_back();
    }
    if (const auto it = doc.FindMember("events"); it != doc.MemberEnd()) {
        if (!it->value.IsArray()) {
            error = "\"events\" must be an array";
            return std::nullopt;
        }
        for (const auto& v : it->value.GetArray()) {
            ScoreEvent e;
            if (!ReadEvent(v, s.instances.size(), e, error)) {
                return std::nullopt;
            }
            s.events.push_back(e);
        }
    }
    return s;
}

std::optional<Session> LoadSession(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    const auto folder = std::filesystem::path(path).parent_path().string();
    return ParseSession(text.str(), folder, error);
}

}  // namespace velmora::host
