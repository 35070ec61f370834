#include "host/session_save.h"

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/byte_stream.h"

namespace velmora::host {

namespace {

using Writer = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

const char* EventType(EventKind kind) {
    switch (kind) {
        case EventKind::Note: return "note";
        case EventKind::Param: return "param";
        case EventKind::Pan: return "pan";
        case EventKind::Volume: return "volume";
        case EventKind::Pitch: return "pitch";
        case EventKind::Transport: return "transport";
    }
    return "note";
}

// The release velocity that ReleaseForVelocity turns into this level.
int ReleaseVelocity(float release) {
    return release <= 0.0f ? 0 : static_cast<int>(std::lround(static_cast<double>(release) * 127.0 - 0.5));
}

void WriteInstance(Writer& w, const InstanceSetup& setup) {
    w.StartObject();
    if (!setup.articulations.empty()) {
        w.Key("articulations");
        w.String(setup.articulations.c_str());
    }
    if (!setup.state.empty()) {
        w.Key("state");
        w.String(setup.state.c_str());
    }
    if (setup.port) {
        w.Key("port");
        w.Int(*setup.port);
    }
    if (setup.channel) {
        w.Key("channel");
        w.Int(*setup.channel);
    }
    if (!setup.options.empty()) {
        w.Key("options");
        w.StartObject();
        for (const auto& [key, on] : setup.options) {
            w.Key(key.c_str());
            w.Bool(on);
        }
        w.EndObject();
    }
    w.EndObject();
}

void WriteEvent(Writer& w, const ScoreEvent& e) {
    w.StartObject();
    w.Key("type");
    w.String(EventType(e.kind));
    w.Key("tick");
    w.Int64(e.tick);
    w.Key("instance");
    w.Int(e.instance);
    switch (e.kind) {
        case EventKind::Note:
            w.Key("key");
            w.Int(e.key);
            // The level itself, not a velocity: it reads back exactly.
            w.Key("level");
            w.Double(static_cast<double>(e.level));
            w.Key("length");
            w.Int64(e.length);
            w.Key("colour");
            w.Int(e.colour);
            w.Key("modx");
            w.Double(static_cast<double>(e.modx));
            w.Key("release");
            w.Int(ReleaseVelocity(e.release));
            break;
        case EventKind::Param:
            w.Key("index");
            w.Int(e.index);
            w.Key("value");
            w.Int(e.value);
            break;
        case EventKind::Pan:
        case EventKind::Volume:
        case EventKind::Pitch:
            w.Key("value");
            w.Int(e.value);
            break;
        case EventKind::Transport:
            w.Key("playing");
            w.Bool(e.value != 0);
            break;
    }
    w.EndObject();
}

// A file written whole beside its final name takes that name; a failure
// leaves neither the temporary nor a half file.
bool MoveIntoPlace(const std::string& temporary, const std::string& path, std::string& error) {
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        error = "cannot write " + path;
        return false;
    }
    return true;
}

// Writes beside the final name, then renames over it.
bool ReplaceFile(const std::string& path, const std::string& text, std::string& error) {
    const std::string temporary = path + ".saving";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            error = "cannot write " + path;
            return false;
        }
    }
    return MoveIntoPlace(temporary, path, error);
}

bool SaveState(TFruityPlug* plug, const std::string& path, std::string& error) {
    const std::string temporary = path + ".saving";
    {
        platform::FileStream out(temporary, platform::FileStream::Mode::Write);
        if (!out.isOpen()) {
            error = "cannot write " + path;
            return false;
        }
        plug->SaveRestoreState(&out, 1);
    }
    return MoveIntoPlace(temporary, path, error);
}

}  // namespace

std::string SessionJson(const Session& session) {
    rapidjson::StringBuffer buffer;
    Writer w(buffer);
    w.SetIndent(' ', 1);
    w.StartObject();
    w.Key("sampleRate");
    w.Double(session.sampleRate);
    w.Key("bpm");
    w.Double(session.bpm);
    w.Key("ppq");
    w.Int(session.ppq);
    w.Key("instances");
    w.StartArray();
    for (const InstanceSetup& setup : session.instances) {
        WriteInstance(w, setup);
    }
    w.EndArray();
    w.Key("events");
    w.StartArray();
    for (const ScoreEvent& e : session.events) {
        WriteEvent(w, e);
    }
    w.EndArray();
    w.EndObject();
    return std::string(buffer.GetString(), buffer.GetSize()) + "\n";
}

std::string StateFileName(const std::string& sessionPath, std::size_t instance) {
    return std::filesystem::path(sessionPath).stem().string() + ".instance-" + std::to_string(instance + 1) + ".state";
}

bool SaveSessionWithStates(const Session& session, const std::vector<TFruityPlug*>& instances, const std::string& path,
                           std::string& error) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    Session saved = session;
    saved.instances.clear();
    for (std::size_t i = 0; i < instances.size(); ++i) {
        const std::string name = StateFileName(path, i);
        if (!SaveState(instances[i], (folder / name).string(), error)) {
            return false;
        }
        InstanceSetup setup;
        setup.state = name;
        saved.instances.push_back(std::move(setup));
    }
    return ReplaceFile(path, SessionJson(saved), error);
}

}  // namespace velmora::host
