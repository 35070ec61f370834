#pragma once
// What the reference host plays: instances to create and a score of events.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmora::host {

struct InstanceSetup {
    std::string articulations;  // a .zoltartic file, dropped on the instance
    std::string state;          // a saved state file, restored into it
    std::optional<int> port;
    std::optional<int> channel;
    std::vector<std::pair<std::string, bool>> options;  // JSON API option keys
};

enum class EventKind { Note, Param, Pan, Volume, Pitch, Transport };

struct ScoreEvent {
    EventKind kind = EventKind::Note;
    std::int64_t tick = 0;
    int instance = 0;
    // Note
    int key = 60;
    float level = 1.0f;    // volume level handed to the plugin
    std::int64_t length = 1;
    int colour = 0;
    float modx = 0.0f;
    float release = 0.0f;  // release velocity 0..1
    // Param: index and value; Pan/Volume/Pitch: value; Transport: value 1 playing, 0 stopped
    int index = 0;
    int value = 0;
};

struct Session {
    double sampleRate = 44100.0;
    double bpm = 120.0;
    int ppq = 96;
    std::vector<InstanceSetup> instances;
    std::vector<ScoreEvent> events;  // in file order

    double samplesPerTick() const { return sampleRate * 60.0 / (bpm * ppq); }
};

// The volume level for which the plugin's velocity curve gives `velocity`
// back (1..127), and the release level for a release velocity 0..127.
float LevelForVelocity(int velocity);
float ReleaseForVelocity(int velocity);

// Reads a session file; relative file names in it are taken from its folder.
// On failure returns nullopt and says why in error, in one line: a file the
// session names that is not there (or is a folder) is a failure too.
std::optional<Session> LoadSession(const std::string& path, std::string& error);
std::optional<Session> ParseSession(const std::string& json, const std::string& baseFolder, std::string& error);

}  // namespace velmora::host
