// Control and a right click under the General panel's sub-page labels send
// one message of each channel-message kind, to check the MIDI connection.
#include "core/instance.h"
#include "editor/command_hooks.h"
#include "editor/layout.h"
#include "editor/modifiers.h"
#include "engine/midi_message.h"

namespace velmora::editor {

namespace {

constexpr Rect kTestArea{28, 94, 110, 104};
constexpr std::int32_t kFullValue = 127;
constexpr std::int32_t kHighBit = 0x80;

}  // namespace

bool MidiOutputTest(Instance& plug, int x, int y) {
    if (!Inside(x, y, kTestArea.left, kTestArea.top, kTestArea.right, kTestArea.bottom) || !ControlDown(plug)) {
        return false;
    }
    // The channel's bits above the four of the status byte ride in the data
    // bytes' top bits, as MIDI Extend sends them.
    const std::int32_t channel = plug.channel;
    const std::int32_t low = channel & 0x0F;
    const std::int32_t data1 = kFullValue | ((channel & 0x20) != 0 ? kHighBit : 0);
    const std::int32_t data2 = kFullValue | ((channel & 0x10) != 0 ? kHighBit : 0);
    // Straight to the host: the test is heard on a muted port and channel too.
    for (std::int32_t status = kNoteOff; status <= kPitchBend; status += 0x10) {
        plug.Host().midiOut(PackMessage(status | low, data1, data2, plug.port));
    }
    return true;
}

}  // namespace velmora::editor
