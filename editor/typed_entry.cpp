// Typed entry of the articulation fields, the port and the channel.
#include "editor/typed_entry.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <limits>
#include <string_view>

#include "core/instance.h"
#include "editor/sent_state.h"
#include "core/note_names.h"
#include "editor/layout.h"
#include "editor/modifiers.h"

namespace velmora::editor {

namespace {

constexpr std::size_t kPromptBuffer = 256;
constexpr int kMidiTop = 127;
constexpr int kPortForTyping = 255;  // where a typed port outside 0..255 goes
constexpr int kTopChannel = 15;
constexpr int kTopExtendedChannel = kChannelsPerPort - 1;
constexpr const char* kPerColourText = "---";

bool In(int x, int y, const Rect& r) { return Inside(x, y, r.left, r.top, r.right, r.bottom); }

std::string Number(std::int64_t v) { return std::to_string(v); }

int Limit(int v, int low, int high) { return std::clamp(v, low, high); }

int ToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char l, char r) {
               return std::tolower(static_cast<unsigned char>(l)) == std::tolower(static_cast<unsigned char>(r));
           });
}

// Prompts with `text` pre-filled; an accepted entry goes to `store` and the
// host hears the instance changed.
template <class Store>
void Ask(Instance& plug, const char* caption, std::string text, Store store) {
    if (PromptEdit(plug, caption, text)) {
        store(text);
        plug.Host().stateChanged();
    }
}

// The fields of the articulation panel for articulation a, in the order they
// are tested.
bool ArticulationField(Instance& plug, std::size_t a, int x, int y) {
    ArticulationTable& arts = plug.articulations;
    const bool altMiddleC = plug.altmiddlec != 0;
    const std::int32_t modc = arts.modc[a];
    if (In(x, y, {15, 130, 45, 160})) {
        if (!ShiftDown(plug)) {
            plug.tab = kIconPicker;
        } else {
            Ask(plug, "Icon ID", Number(arts.icon[a]), [&](const std::string& t) { arts.icon[a] = ReadTypedInteger(t); });
        }
        return true;
    }
    if (In(x, y, {60, 130, 102, 160})) {
        if (AltDown(plug)) {
            Ask(plug, "Keyswitch velocity", Number(arts.notev[a]),
                [&](const std::string& t) { arts.notev[a] = ReadTypedInteger(t); });
        } else {
            Ask(plug, "Keyswitch", Number(arts.note[a]),
                [&](const std::string& t) { arts.note[a] = Limit(ParseNoteName(t, altMiddleC), 0, kMidiTop); });
        }
        return true;
    }
    const Rect modifierBox{128, 130, 166, 160};
    if (In(x, y, modifierBox) && modc == kModSecondKeyswitch) {
        Ask(plug, "Second keyswitch", Number(arts.modw[a]),
            [&](const std::string& t) { arts.modw[a] = Limit(ParseNoteName(t, altMiddleC), 0, kMidiTop); });
        return true;
    }
    if (In(x, y, modifierBox) && modc == kModPlayVelocity) {
        Ask(plug, "Velocity", Number(arts.modw[a]),
            [&](const std::string& t) { arts.modw[a] = Limit(ReadTypedInteger(t), 0, kMidiTop); });
        return true;
    }
    if (In(x, y, {149, 130, 180, 160}) && modc >= kModNoCC) {
        Ask(plug, "CC value", Number(arts.modw[a]),
            [&](const std::string& t) { arts.modw[a] = Limit(ReadTypedInteger(t), 0, kMidiTop); });
        return true;
    }
    if (In(x, y, {116, 130, 146, 160}) && modc >= kModNoCC) {
        Ask(plug, "CC #", Number(modc), [&](const std::string& t) { arts.modc[a] = Limit(ReadTypedInteger(t), 0, kMidiTop); });
        return true;
    }
    if (In(x, y, {194, 130, 226, 160})) {
        // Shown and typed from 1; any number is kept.
        Ask(plug, "Program change", Number(std::int64_t{arts.prog[a]} + 1),
            [&](const std::string& t) { arts.prog[a] = ToInt(std::int64_t{ReadTypedInteger(t)} - 1); });
        return true;
    }
    return false;
}

bool PortField(Instance& plug, int x, int y) {
    if (!In(x, y, {156, 190, 190, 215})) {
        return false;
    }
    Ask(plug, "Port", Number(plug.port), [&](const std::string& t) {
        const int port = ReadTypedInteger(t);
        plug.port = port < 0 || port >= kPorts ? kPortForTyping : port;
        ForgetSentState(plug);
    });
    return true;
}

bool ChannelField(Instance& plug, int x, int y) {
    if (!(x >= 198 && x < 225 && y >= 190 && y < 216)) {
        return false;
    }
    const std::string shown = plug.channel == kChannelPerColour ? kPerColourText : Number(std::int64_t{plug.channel} + 1);
    Ask(plug, "Channel", shown, [&](const std::string& t) {
        if (t == kPerColourText) {
            plug.channel = kChannelPerColour;
        } else {
            const int typed = ReadTypedInteger(t);
            const int top = plug.midiextend != 0 ? kTopExtendedChannel : kTopChannel;
            // Typed from 1; nothing below channel 1 and nothing past the top.
            plug.channel = typed <= 0 || typed - 1 > top ? top : typed - 1;
        }
        ForgetSentState(plug);
    });
    return true;
}

bool NameField(Instance& plug, std::size_t a, int x, int y) {
    if (!(x >= 6 && x < 104 && y >= 102 && y < 125)) {
        return false;
    }
    ArticulationTable& arts = plug.articulations;
    Ask(plug, "Articulation name", arts.name[a], [&](const std::string& t) {
        // An articulation still on the default icon takes the icon the
        // template gives that name; the last entry of that name wins.
        if (arts.icon[a] == kDefaultIcon) {
            const ProcessState& p = *plug.processState;
            const std::size_t entries = std::min(p.iconNames.size(), p.iconNumbers.size());
            for (std::size_t k = 0; k < entries; ++k) {
                if (EqualIgnoringCase(p.iconNames[k], t)) {
                    arts.icon[a] = p.iconNumbers[k];
                }
            }
        }
        arts.name[a] = t;
    });
    return true;
}

}  // namespace

bool PromptEdit(const Instance& plug, const char* caption, std::string& text) {
    std::array<char, kPromptBuffer> buffer{};
    text.copy(buffer.data(), buffer.size() - 1);
    std::string captionText = caption;
    int colour = -1;
    if (!plug.Host().promptEdit(-1, -1, captionText.data(), buffer.data(), colour)) {
        return false;
    }
    // A host that fills the whole buffer leaves no terminator.
    buffer.back() = '\0';
    text = buffer.data();
    return true;
}

bool FieldRightClick(Instance& plug, int x, int y) {
    const bool articulation = plug.tab == kArticulationPanel && plug.editing >= 0 && plug.editing < kArticulations;
    const auto a = static_cast<std::size_t>(articulation ? plug.editing : 0);
    const bool field = (articulation && ArticulationField(plug, a, x, y)) || PortField(plug, x, y) ||
                       ChannelField(plug, x, y) || (articulation && NameField(plug, a, x, y));
    if (field) {
        plug.RepaintEditor(Repaint::Whole);
    }
    return field;
}

}  // namespace velmora::editor
