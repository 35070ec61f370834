#pragma once
// Creating instance records against a recording host, playing notes into
// them through the engine, and spelling expected MIDI words.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/instance.h"
#include "engine/midi_message.h"
#include "engine/voices.h"
#include "platform/ui/headless_window.h"
#include "tests/support/recording_host.h"

namespace velmora::test {

using PlugPtr = std::unique_ptr<Instance>;

inline PlugPtr MakeInstance(RecordingHost& host, TPluginTag tag = 1,
                            platform::Platform& platform = platform::defaultPlatform()) {
    return std::make_unique<Instance>(&host, tag, nullptr, platform);
}

// The editor window of an instance made on the default platform is headless:
// it counts what was marked for painting.
inline const platform::ui::HeadlessWindow& HeadlessEditor(const Instance& plug) {
    return static_cast<const platform::ui::HeadlessWindow&>(*plug.editorWindow);
}
inline int WholeRepaints(const Instance& plug) { return HeadlessEditor(plug).wholeInvalidations(); }
inline int GridRepaints(const Instance& plug) { return HeadlessEditor(plug).partInvalidations(); }

inline TVoiceParams Levels(float vol, float pitchCents = 0.0f, float modx = 0.0f) {
    TVoiceParams p{};
    p.InitLevels.Vol = vol;
    p.InitLevels.FCut = modx;
    p.FinalLevels.Vol = vol;
    p.FinalLevels.Pitch = pitchCents;
    p.InitLevels.Pitch = pitchCents;
    return p;
}

// Starts a note of MIDI number `note` with the given colour, the way the host does.
inline TVoiceHandle Play(Instance& plug, RecordingHost& host, std::intptr_t tag, int note, int colour = 0,
                         float level = 1.0f, float modx = 0.0f) {
    host.colours[tag] = colour;
    TVoiceParams p = Levels(level, static_cast<float>((note - 60) * 100), modx);
    const TVoiceHandle h = TriggerVoice(plug, &p, tag);
    host.handles[tag] = h;
    return h;
}

inline std::uint32_t NoteOn(int ch, int note, int vel, int port = 0) { return PackMessage(0x90 | ch, note, vel, port); }
inline std::uint32_t NoteOff(int ch, int note, int vel = 0, int port = 0) { return PackMessage(0x80 | ch, note, vel, port); }
inline std::uint32_t CC(int ch, int cc, int value, int port = 0) { return PackMessage(0xB0 | ch, cc, value, port); }
inline std::uint32_t Program(int ch, int program, int port = 0) { return PackMessage(0xC0 | ch, program, 0, port); }
inline std::uint32_t Bend(int ch, int value, int port = 0) {
    return PackMessage(0xE0 | ch, value & 127, (value >> 7) & 127, port);
}

// Readable form of a message list for failure output.
std::string Describe(const std::vector<std::uint32_t>& midi);

}  // namespace velmora::test
