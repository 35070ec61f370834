// Drives one instance through the recording host and prints what it sends.
#include <cstdio>

#include "core/note_names.h"
#include "core/plugin_instance.h"
#include "engine/midi_message.h"
#include "tests/support/recording_host.h"

using namespace velmora;

namespace {

void Print(const char* what, test::RecordingHost& host) {
    for (std::uint32_t m : host.midi) {
        const int kind = MessageStatus(m) & 0xF0;
        const int ch = (MessageStatus(m) & 0x0F) + 1;
        const char* name = kind == 0x90 ? "note on " : kind == 0x80 ? "note off" : kind == 0xB0 ? "CC      " : kind == 0xC0 ? "program " : kind == 0xE0 ? "bend    " : "other   ";
        if (kind == 0x90 || kind == 0x80) {
            std::printf("%-28s port %u ch %2d %s %-4s vel %u\n", what, MessagePort(m), ch, name,
                        NoteName(MessageData1(m), false).c_str(), MessageData2(m));
        } else {
            std::printf("%-28s port %u ch %2d %s %3u = %u\n", what, MessagePort(m), ch, name, MessageData1(m),
                        MessageData2(m));
        }
        what = "";
    }
    host.clearRecords();
}

}  // namespace

int main() {
    test::RecordingHost host;
    auto* plug = new ZOLTVSTExprPlug(1, &host, nullptr);
    ArticulationTable& a = plug->articulations;
    a.name[0] = "Legato";     a.note[0] = 24; a.notev[0] = 100;
    a.name[1] = "Staccato";   a.note[1] = 25; a.modc[1] = 32; a.modw[1] = 42;
    a.name[2] = "Pizzicato";  a.prog[2] = 3;  a.modc[2] = kModSecondKeyswitch; a.modw[2] = 36;

    plug->Dispatcher(plug::FPD_Transport, 0, 1);
    Print("transport start", host);
    const struct { int note; int colour; } phrase[] = {{60, 0}, {62, 0}, {64, 1}, {65, 1}, {67, 2}, {60, 0}};
    std::intptr_t tag = 1;
    for (const auto& n : phrase) {
        host.colours[tag] = n.colour;
        TVoiceParams p{};
        p.InitLevels.Vol = 0.8f;
        p.FinalLevels.Pitch = static_cast<float>((n.note - 60) * 100);
        const TVoiceHandle h = plug->TriggerVoice(&p, tag);
        char what[64];
        std::snprintf(what, sizeof(what), "%s %s", NoteName(n.note, false).c_str(), a.name[n.colour].c_str());
        Print(what, host);
        plug->Voice_Release(h);
        plug->Voice_Kill(h);
        Print("  release", host);
        ++tag;
    }
    plug->DestroyObject();
    return 0;
}
