// Dragging values, driven as the window system drives it: mouse events in
// window pixels reach the editor's handler through the headless window,
// which moves the virtual pointer the drag pins and reads.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/instance.h"
#include "editor/message_handler.h"
#include "editor/window_lifecycle.h"
#include "engine/note_levels.h"
#include "platform/ui/headless_cursor.h"
#include "platform/ui/headless_window.h"
#include "sdk/plug_constants.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

using platform::ui::HeadlessCursor;
using platform::ui::HeadlessWindow;
using platform::ui::MouseButton;
using platform::ui::Point;
using platform::ui::Rect;
using platform::ui::WindowEvent;

constexpr int kLeftControl = 0xA2;
constexpr int kLeftAlt = 0xA4;
constexpr int kRightAlt = 0xA5;

class HeldKeys final : public platform::KeyboardState {
public:
    bool keyHeld(int virtualKey) const override { return held.count(virtualKey) != 0; }
    std::set<int> held;
};

class DragPlatform final : public platform::Platform {
public:
    const platform::KeyboardState& keyboardState() const override { return keys; }
    HeldKeys keys;
};

// One of the instance's values, as a drag target changes it.
struct Field {
    int (*get)(const Instance&);
    void (*set)(Instance&, int);
};

template <auto Member>
Field ArticulationField() {
    return {[](const Instance& p) { return static_cast<int>((p.articulations.*Member)[0]); },
            [](Instance& p, int v) { (p.articulations.*Member)[0] = v; }};
}

template <int Slot>
Field ControllerValue() {
    return {[](const Instance& p) { return static_cast<int>(p.controllers.value[Slot]); },
            [](Instance& p, int v) { p.controllers.value[Slot] = v; }};
}

const Field kPort{[](const Instance& p) { return static_cast<int>(p.port); }, [](Instance& p, int v) { p.port = v; }};
const Field kChannel{[](const Instance& p) { return static_cast<int>(p.channel); }, [](Instance& p, int v) { p.channel = v; }};
const Field kIconScroll{[](const Instance& p) { return static_cast<int>(std::lround(p.iconScroll * 100.0f)); },
                        [](Instance& p, int v) { p.iconScroll = static_cast<float>(v) * 0.01f; }};

// An instance on a platform whose keys the test holds, its editor shown and
// its window's messages handed to the editor.
class DragTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::remove(platform::SettingsStore::currentUser().filePath());
        plug = MakeInstance(host, 1, platform);
        plug->editorWindow->setHandler([this](const WindowEvent& e) { return editor::HandleEditorMessage(*plug, e); });
        plug->visible = 1;
        plug->editorWindow->show(&host);
        // Controller slots 0..5 assigned, switched off, the last one a fader.
        for (int s = 0; s < 6; ++s) {
            plug->controllers.cc[s] = 20 + s;
            plug->controllers.on[s] = 0;
            plug->controllers.type[s] = s == 5 ? 2 : 0;
        }
    }

    HeadlessWindow& Window() { return static_cast<HeadlessWindow&>(*plug->editorWindow); }
    HeadlessCursor& Pointer() { return static_cast<HeadlessCursor&>(platform.cursor()); }

    void SetScale(float scale) { plug->scaleFactor = scale; }
    Point Pixels(Point units) const {
        return Point{static_cast<int>(static_cast<float>(units.x) * plug->scaleFactor),
                     static_cast<int>(static_cast<float>(units.y) * plug->scaleFactor)};
    }
    bool Send(WindowEvent::Kind kind, Point pixels, MouseButton button = MouseButton::Left) {
        WindowEvent e;
        e.kind = kind;
        e.x = pixels.x;
        e.y = pixels.y;
        e.button = kind == WindowEvent::Kind::MouseMove ? MouseButton::None : button;
        return Window().deliver(e);
    }
    // A left press at a point in editor units.
    void Press(Point units) {
        pressAt = Pixels(units);
        Send(WindowEvent::Kind::ButtonDown, pressAt);
    }
    // The pointer was pinned at the press point, so a user's move is a
    // distance from there, in window pixels.
    void Move(int dx, int dy) { Send(WindowEvent::Kind::MouseMove, Point{pressAt.x + dx, pressAt.y + dy}); }
    void Moves(int count, int dx, int dy) {
        for (int i = 0; i < count; ++i) {
            Move(dx, dy);
        }
    }
    void Release() { Send(WindowEvent::Kind::ButtonUp, pressAt); }
    void Deactivate() {
        WindowEvent e;
        e.kind = WindowEvent::Kind::Activate;
        e.active = false;
        Window().deliver(e);
    }
    bool SetCursorTaken() {
        WindowEvent e;
        e.kind = WindowEvent::Kind::SetCursor;
        return Window().deliver(e);
    }
    void Hold(std::set<int> keys) { platform.keys.held = std::move(keys); }

    std::vector<std::string> Texts(std::intptr_t id) const {
        std::vector<std::string> texts;
        for (const DispatcherCall& c : host.callsWithId(id)) {
            texts.push_back(c.text);
        }
        return texts;
    }
    std::size_t Count(std::intptr_t id) const { return host.callsWithId(id).size(); }

    DragPlatform platform;
    RecordingHost host;
    PlugPtr plug;
    Point pressAt;
};

// Every target, where it is and how it moves.
struct TargetCase {
    const char* what;
    int tab;
    int modc;  // of the articulation edited
    bool alt;
    Rect region;  // bounds inclusive, editor units
    int target;
    Field field;
    Point perStep;  // pixels from the press point that make one step up
    int low;
    int high;
    int belowLow;       // what dragging below the low limit gives
    bool marksChanged;  // each change sends host message 48
};

const TargetCase kTargets[] = {
    {"icon", 0, -1, false, {15, 130, 45, 160}, kDragIcon, ArticulationField<&ArticulationTable::icon>(), {0, -8}, 0,
     2048, 0, true},
    {"keyswitch", 0, -1, false, {60, 130, 102, 160}, kDragKeyswitch, ArticulationField<&ArticulationTable::note>(),
     {0, -8}, -1, 127, -1, true},
    {"keyswitch velocity", 0, -1, true, {60, 130, 102, 160}, kDragKeyswitchVelocity,
     ArticulationField<&ArticulationTable::notev>(), {0, -8}, 1, 127, 1, true},
    {"CC value", 0, 7, false, {149, 130, 180, 160}, kDragModifierValue, ArticulationField<&ArticulationTable::modw>(),
     {0, -8}, -1, 127, -1, true},
    {"second keyswitch", 0, kModSecondKeyswitch, false, {128, 130, 165, 160}, kDragModifierValue,
     ArticulationField<&ArticulationTable::modw>(), {0, -8}, -1, 127, -1, true},
    {"play velocity", 0, kModPlayVelocity, false, {128, 130, 165, 160}, kDragModifierValue,
     ArticulationField<&ArticulationTable::modw>(), {0, -8}, -1, 127, -1, true},
    {"CC number", 0, -1, false, {116, 130, 146, 160}, kDragCCNumber, ArticulationField<&ArticulationTable::modc>(),
     {0, -8}, -1, 127, -1, true},
    {"program", 0, -1, false, {194, 130, 226, 160}, kDragProgram, ArticulationField<&ArticulationTable::prog>(),
     {0, -8}, -1, 127, -1, true},
    {"port", 0, -1, false, {156, 190, 190, 215}, kDragPort, kPort, {0, -8}, 0, 255, 0, true},
    {"port on the General panel", 2, -1, false, {156, 190, 190, 215}, kDragPort, kPort, {0, -8}, 0, 255, 0, true},
    {"channel on the icon picker", 3, -1, false, {198, 190, 224, 215}, kDragChannel, kChannel, {0, -8}, 0, 63,
     kChannelPerColour, true},
    {"first controller", 1, -1, false, {174, 105, 230, 125}, kDragFirstController, ControllerValue<0>(), {2, 0}, 0,
     127, 0, false},
    {"controller 1", 1, -1, false, {12, 127, 46, 161}, kDragController, ControllerValue<1>(), {0, -2}, 0, 127, 0,
     false},
    {"controller 5, a fader", 1, -1, false, {192, 127, 226, 161}, kDragController + 4, ControllerValue<5>(), {0, -2}, 0,
     127, 0, false},
    {"icon scroll", 3, -1, false, {224, 7, 234, 181}, kDragIconScroll, kIconScroll, {0, 8}, 0, 100, 0, false},
};

class DragTargets : public DragTest, public ::testing::WithParamInterface<TargetCase> {
protected:
    void Arrange(const TargetCase& c, int value) {
        plug->tab = c.tab;
        plug->midiextend = 1;  // channels up to 64, so the middle value is one
        plug->articulations.modc[0] = c.modc;
        c.field.set(*plug, value);
        Hold(c.alt ? std::set<int>{kLeftAlt} : std::set<int>{});
    }
};

TEST_P(DragTargets, APressInTheRegionDragsTheTargetAndOutsideItDoesNot) {
    const TargetCase& c = GetParam();
    const Rect& r = c.region;
    const struct {
        Point at;
        bool inside;
    } presses[] = {
        {{r.left, r.top}, true},
        {{r.right, r.bottom}, true},
        {{r.right + 1, r.bottom}, false},
        {{r.left, r.top - 1}, false},
    };
    for (const auto& p : presses) {
        Arrange(c, 50);
        Press(p.at);
        if (p.inside) {
            EXPECT_EQ(plug->dragTarget, c.target) << p.at.x << "," << p.at.y;
            EXPECT_EQ(plug->dragStart, 50);
            EXPECT_TRUE(Pointer().hidden());
        } else {
            EXPECT_EQ(plug->dragTarget, kNoDragTarget) << p.at.x << "," << p.at.y;
            EXPECT_FALSE(Pointer().hidden());
            EXPECT_FALSE(Pointer().confinement().has_value());
        }
        Release();
        EXPECT_FALSE(Pointer().hidden());
    }
}

// One step per `perStep` pixels, at scale 1 and 2 alike: window pixels at
// scale 2 are half a unit, but the drag counts the pointer's pixels.
TEST_P(DragTargets, StepsByItsDistanceAndStopsAtItsLimits) {
    const TargetCase& c = GetParam();
    const Point step = c.perStep;
    const Point unit{step.x == 0 ? 0 : step.x / std::abs(step.x), step.y == 0 ? 0 : step.y / std::abs(step.y)};
    const Point nearlyStep{step.x - unit.x, step.y - unit.y};
    for (const float scale : {1.0f, 2.0f}) {
        SCOPED_TRACE(scale);
        SetScale(scale);
        host.clearRecords();
        Arrange(c, 50);
        Press(Point{c.region.left, c.region.top});
        Move(nearlyStep.x, nearlyStep.y);
        EXPECT_EQ(c.field.get(*plug), 50) << "one pixel short of a step";
        Move(unit.x, unit.y);
        EXPECT_EQ(c.field.get(*plug), 51);
        Move(-step.x, -step.y);
        Move(-step.x, -step.y);
        EXPECT_EQ(c.field.get(*plug), 49) << "back down, past the start";
        Release();
        EXPECT_EQ(Count(plug::FHD_StateChanged), c.marksChanged ? 3U : 0U);

        Arrange(c, c.high - 1);
        Press(Point{c.region.left, c.region.top});
        Moves(3, step.x, step.y);
        EXPECT_EQ(c.field.get(*plug), c.high);
        Release();

        Arrange(c, c.low + 1);
        Press(Point{c.region.left, c.region.top});
        Moves(3, -step.x, -step.y);
        EXPECT_EQ(c.field.get(*plug), c.belowLow);
        Release();
    }
}

INSTANTIATE_TEST_SUITE_P(Drag, DragTargets, ::testing::ValuesIn(kTargets), CaseName());

// The boxes of the modifier follow `modc`: the CC boxes only for a CC, one
// value box otherwise; locked, unassigned and button slots are no targets.
TEST_F(DragTest, TargetsThatAreNotThere) {
    const struct {
        const char* what;
        int tab;
        int modc;
        void (*arrange)(Instance&);
        Point at;
        int target;
    } cases[] = {
        {"CC number box with a second keyswitch", 0, kModSecondKeyswitch, nullptr, {120, 140}, kNoDragTarget},
        {"CC value box with a play velocity", 0, kModPlayVelocity, nullptr, {170, 140}, kNoDragTarget},
        {"second keyswitch box with a CC", 0, 7, nullptr, {130, 140}, kDragCCNumber},
        {"between the CC boxes", 0, 7, nullptr, {147, 140}, kNoDragTarget},
        {"a locked slot", 1, -1, [](Instance& p) { p.controllers.lock[1] = 1; }, {20, 140}, kNoDragTarget},
        {"an unassigned first slot", 1, -1, [](Instance& p) { p.controllers.cc[0] = kUnassignedCC; }, {200, 110},
         kNoDragTarget},
        {"a button", 1, -1, [](Instance& p) { p.controllers.type[2] = 1; }, {70, 140}, kNoDragTarget},
        {"a field on the General panel", 2, -1, nullptr, {80, 140}, kNoDragTarget},
        {"the scroll track off the icon picker", 0, -1, nullptr, {228, 100}, kNoDragTarget},
        {"the keyswitch of a damaged editing index", 0, -1, [](Instance& p) { p.editing = 64; }, {80, 140},
         kNoDragTarget},
    };
    for (const auto& c : cases) {
        plug->tab = c.tab;
        plug->editing = 0;
        plug->articulations.modc[0] = c.modc;
        if (c.arrange != nullptr) {
            c.arrange(*plug);
        }
        Press(c.at);
        EXPECT_EQ(plug->dragTarget, c.target) << c.what;
        EXPECT_EQ(Pointer().hidden(), c.target != kNoDragTarget) << c.what;
        Release();
    }
}

// From C3 (60) upwards in moves of 8 pixels from the pinned point: D#3 after
// 24 pixels, 70 after 80; Control makes it 72 pixels a step.
TEST_F(DragTest, KeyswitchFromC3) {
    const struct {
        const char* what;
        bool control;
        int moves;
        int pixels;  // upwards, each move
        int note;
    } cases[] = {
        {"24 pixels", false, 3, 8, 63},
        {"80 pixels", false, 10, 8, 70},
        {"80 pixels in moves of 1", false, 80, 1, 70},
        {"80 pixels with Control", true, 10, 8, 61},
        {"72 pixels with Control in moves of 6", true, 12, 6, 61},
        {"70 pixels with Control", true, 7, 10, 60},
        {"80 pixels down", false, 10, -8, 50},
    };
    for (const float scale : {1.0f, 2.0f}) {
        SetScale(scale);
        for (const auto& c : cases) {
            plug->tab = 0;
            plug->articulations.note[0] = 60;
            Hold(c.control ? std::set<int>{kLeftControl} : std::set<int>{});
            Press(Point{80, 145});
            Moves(c.moves, 0, -c.pixels);
            EXPECT_EQ(plug->articulations.note[0], c.note) << c.what << " at scale " << scale;
            Release();
        }
    }
}

TEST_F(DragTest, ChannelBelowChannel1IsPerColourAndUpFromThereIsChannel1) {
    const struct {
        const char* what;
        int midiextend;
        int start;
        int steps;  // up, 8 pixels each
        int channel;
    } cases[] = {
        {"below channel 1", 0, 0, -1, kChannelPerColour},
        {"from per colour up", 0, kChannelPerColour, 1, 0},
        {"from per colour, two up", 0, kChannelPerColour, 2, 1},
        {"per colour stays per colour downwards", 0, kChannelPerColour, -1, kChannelPerColour},
        {"the top without MIDI Extend", 0, 14, 3, 15},
        {"the top with MIDI Extend", 1, 14, 3, 17},
        {"stops at 64 with MIDI Extend", 1, 62, 3, 63},
    };
    for (const auto& c : cases) {
        plug->midiextend = c.midiextend;
        plug->channel = c.start;
        Press(Point{210, 200});
        EXPECT_EQ(plug->dragStart, c.start == kChannelPerColour ? -1 : c.start) << c.what;
        Moves(std::abs(c.steps), 0, c.steps > 0 ? -8 : 8);
        EXPECT_EQ(plug->channel, c.channel) << c.what;
        Release();
    }
}

// Alt on the keyswitch drags its velocity, and every change is told in the
// status bar, a value equal to the keyswitch's note included.
TEST_F(DragTest, AltOnTheKeyswitchDragsItsVelocityWithAStatusPerChange) {
    plug->tab = 0;
    plug->articulations.note[0] = 60;
    plug->articulations.notev[0] = 58;
    Hold({kRightAlt});
    Press(Point{80, 145});
    EXPECT_EQ(plug->dragTarget, kDragKeyswitchVelocity);
    Moves(3, 0, -8);
    Move(0, -2);  // no step: no status
    EXPECT_EQ(plug->articulations.notev[0], 61);
    EXPECT_EQ(plug->articulations.note[0], 60);
    Release();
    EXPECT_EQ(Texts(plug::FHD_StatusText),
              (std::vector<std::string>{"Note velocity set to 59", "Note velocity set to 60", "Note velocity set to 61"}));
    EXPECT_EQ(Count(plug::FHD_StateChanged), 3U);
}

// A press on a controller switches it on and says its value; each change
// goes to the instance's parameter and to the host, numbered by the slot or
// by the CC as the parameter layout says.
TEST_F(DragTest, ControllerDragsSwitchOnAndSendTheParameter) {
    const struct {
        const char* what;
        int paramknob;
        int oldparams;
        Point at;
        int slot;
        Point perStep;
        int param;
    } cases[] = {
        {"first controller, parameters are slots", 1, 0, {200, 115}, 0, {2, 0}, 0},
        {"first controller, parameters are CCs", 0, 0, {200, 115}, 0, {2, 0}, 20},
        {"controller 3, parameters are CCs with an offset", 0, 5, {110, 140}, 3, {0, -2}, 18},
        {"controller 3, parameters are slots", 1, 5, {110, 140}, 3, {0, -2}, 3},
    };
    for (const auto& c : cases) {
        host.clearRecords();
        plug->tab = 1;
        plug->paramknob = c.paramknob;
        plug->oldparams = c.oldparams;
        plug->controllers.on[c.slot] = 0;
        plug->controllers.value[c.slot] = 100;
        Press(c.at);
        EXPECT_EQ(plug->controllers.on[c.slot], 1) << c.what;
        Moves(2, c.perStep.x, c.perStep.y);
        Move(-c.perStep.x, -c.perStep.y);
        Release();
        EXPECT_EQ(plug->controllers.value[c.slot], 101) << c.what;
        const std::string cc = "CC #" + std::to_string(20 + c.slot) + " set to ";
        EXPECT_EQ(Texts(plug::FHD_StatusText), (std::vector<std::string>{cc + "100", cc + "101", cc + "102", cc + "101"}))
            << c.what;
        EXPECT_EQ(host.paramChanges, (std::vector<std::pair<int, int>>{{c.param, 101}, {c.param, 102}, {c.param, 101}}))
            << c.what;
        EXPECT_FALSE(host.midi.empty()) << c.what << ": the parameter reached the instance";
        EXPECT_EQ(Count(plug::FHD_StateChanged), 0U) << c.what;
    }
}

// An Alt press where no field is resets the controller there instead of
// dragging it.
TEST_F(DragTest, AltOnAControllerResetsItInsteadOfDragging) {
    plug->tab = 1;
    plug->controllers.cc[0] = 20;
    plug->controllers.value[0] = 50;
    plug->controllers.defaultValue[0] = 100;
    plug->controllers.on[0] = 0;
    Hold({kLeftAlt});
    Press(Point{200, 115});
    EXPECT_EQ(plug->dragTarget, kNoDragTarget);
    EXPECT_EQ(plug->controllers.on[0], 0) << "a reset does not switch the slot on";
    EXPECT_FALSE(Pointer().hidden());
    EXPECT_EQ(plug->controllers.value[0], 100);
    EXPECT_EQ(Texts(plug::FHD_StatusText), (std::vector<std::string>{"CC #20 set to 100"}));
    Release();
}

// A new port or channel forgets what was sent, so the next note sends its
// articulation again; a move that changes nothing forgets nothing.
TEST_F(DragTest, PortAndChannelForgetTheSentState) {
    const struct {
        const char* what;
        Point at;
    } cases[] = {{"port", {170, 200}}, {"channel", {210, 200}}};
    for (const auto& c : cases) {
        plug->port = 3;
        plug->channel = 4;
        plug->currentArticulation = 5;
        plug->currentBank = 2;
        plug->lastKs1Note = 60;
        plug->lastKs1Velocity = 100;
        plug->lastProgram = 7;
        plug->lastModifier = 9;
        Press(c.at);
        Move(0, -4);
        EXPECT_EQ(plug->lastKs1Note, 60) << c.what << ": no step yet";
        Move(0, -4);
        EXPECT_EQ(plug->port + plug->channel, 8) << c.what;
        EXPECT_EQ(plug->currentArticulation, 0) << c.what;
        EXPECT_EQ(plug->currentBank, 0) << c.what;
        EXPECT_EQ(plug->lastKs1Note, kNothingSent) << c.what;
        EXPECT_EQ(plug->lastKs1Velocity, kNothingSent) << c.what;
        EXPECT_EQ(plug->lastProgram, kNothingSent) << c.what;
        EXPECT_EQ(plug->lastModifier, kNothingSent) << c.what;
        Release();
    }
}

// Releasing an Alt drag of port or channel names the instance after its
// output in the host.
TEST_F(DragTest, AltReleaseOfAPortOrChannelDragNamesTheOutput) {
    const struct {
        const char* what;
        Point at;
        std::set<int> keys;
        bool deactivate;
        std::vector<std::string> names;
    } cases[] = {
        {"port with Alt", {170, 200}, {kLeftAlt}, false, {"ZOLT Out 5:3"}},
        {"channel with right Alt", {210, 200}, {kRightAlt}, false, {"ZOLT Out 4:4"}},
        {"port without Alt", {170, 200}, {}, false, {}},
        {"port with Alt, ended by deactivation", {170, 200}, {kLeftAlt}, true, {}},
        {"keyswitch velocity with Alt", {80, 145}, {kLeftAlt}, false, {}},
    };
    for (const auto& c : cases) {
        host.clearRecords();
        plug->tab = 0;
        plug->port = 4;
        plug->channel = 2;
        Hold(c.keys);
        Press(c.at);
        Move(0, -8);
        if (c.deactivate) {
            Deactivate();
        }
        Release();
        EXPECT_EQ(Texts(plug::FHD_SetInstanceName), c.names) << c.what;
    }
}

// The press hides the cursor, confines it around the press point and pins
// it there; each move puts it back; the end, by release or deactivation,
// shows it and frees it. Window pixels at scale 2 are screen pixels too.
// The host may hide the editor in the middle of a drag; the pointer is not
// left hidden or confined.
TEST_F(DragTest, HidingTheEditorEndsADrag) {
    plug->tab = 0;
    Press(Point{80, 145});
    ASSERT_TRUE(Pointer().hidden());
    editor::ShowEditor(*plug, nullptr);
    EXPECT_FALSE(Pointer().hidden());
    EXPECT_FALSE(Pointer().confinement().has_value());
    EXPECT_EQ(plug->dragOrigin, (Point{-1, -1}));
}

TEST_F(DragTest, TheCursorIsHiddenConfinedAndPinnedUntilTheEnd) {
    const auto absolute = [](Point screen) {
        return Point{static_cast<int>(std::trunc(65534.0 / HeadlessCursor::kScreen.width * screen.x)),
                     static_cast<int>(std::trunc(65534.0 / HeadlessCursor::kScreen.height * screen.y))};
    };
    for (const bool byDeactivation : {false, true}) {
        for (const float scale : {1.0f, 2.0f}) {
            SCOPED_TRACE(std::string(byDeactivation ? "deactivation" : "release") + " at scale " + std::to_string(scale));
            SetScale(scale);
            plug->tab = 0;
            plug->articulations.note[0] = 60;
            const std::size_t warpsBefore = Pointer().warps().size();
            Press(Point{80, 145});
            const Point p{HeadlessCursor::kWindowOrigin.x + pressAt.x, HeadlessCursor::kWindowOrigin.y + pressAt.y};
            EXPECT_EQ(plug->pressPoint, p);
            EXPECT_EQ(plug->dragOrigin, p);
            EXPECT_TRUE(Pointer().hidden());
            EXPECT_NE(plug->savedCursor, nullptr);
            EXPECT_EQ(Pointer().confinement(), (Rect{p.x - 5, p.y - 10, p.x + 5, p.y + 10}));
            EXPECT_TRUE(SetCursorTaken());

            Move(0, -8);
            // The move's own position is the mouse's, not the pin's: the
            // move the warp back caused was ignored.
            EXPECT_EQ(plug->mousePosY, static_cast<int>(static_cast<float>(pressAt.y - 8) / scale));
            EXPECT_EQ(plug->warping, 0);
            EXPECT_EQ(Pointer().position(), p);
            Move(0, -80);  // stops at the confinement's top edge: 10 pixels
            EXPECT_EQ(plug->articulations.note[0], 62);
            Move(0, 80);  // the row above the bottom edge: 9 pixels
            EXPECT_EQ(plug->articulations.note[0], 61);

            const std::vector<HeadlessCursor::Warp> warps(Pointer().warps().begin() + static_cast<std::ptrdiff_t>(warpsBefore),
                                                         Pointer().warps().end());
            EXPECT_EQ(warps, (std::vector<HeadlessCursor::Warp>(4, HeadlessCursor::Warp{absolute(p), p})))
                << "one at the press, one per move";

            if (byDeactivation) {
                Deactivate();
            } else {
                Release();
            }
            EXPECT_FALSE(Pointer().hidden());
            EXPECT_FALSE(Pointer().confinement().has_value());
            EXPECT_EQ(plug->savedCursor, nullptr);
            EXPECT_EQ(plug->dragOrigin, (Point{-1, -1}));
            EXPECT_FALSE(SetCursorTaken());
            Move(0, -8);
            EXPECT_EQ(plug->articulations.note[0], 61) << "no drag after the end";
            Release();
        }
    }
}

// A press while a drag is still going (its release went elsewhere) ends
// that drag first, so the next release brings the cursor back rather than
// the hidden one the second press would have saved.
TEST_F(DragTest, APressDuringADragEndsItFirst) {
    plug->tab = 0;
    Press(Point{80, 145});
    Move(0, -8);
    Press(Point{80, 145});
    EXPECT_EQ(plug->dragTarget, kDragKeyswitch);
    EXPECT_EQ(Pointer().warps().size(), 3U);
    Release();
    EXPECT_FALSE(Pointer().hidden());
    EXPECT_FALSE(Pointer().confinement().has_value());
}

// While the keyswitch, its velocity or the modifier value is dragged, a
// played note sets it; after the release notes leave it alone.
TEST_F(DragTest, APlayedNoteIsLearnedDuringADrag) {
    const struct {
        const char* what;
        int modc;
        std::set<int> keys;
        Point at;
        Field field;
        int learned;
    } cases[] = {
        {"keyswitch", -1, {}, {80, 145}, ArticulationField<&ArticulationTable::note>(), 72},
        {"keyswitch velocity", -1, {kLeftAlt}, {80, 145}, ArticulationField<&ArticulationTable::notev>(),
         VelocityFormula(0.5f)},
        {"second keyswitch", kModSecondKeyswitch, {}, {140, 145}, ArticulationField<&ArticulationTable::modw>(), 72},
        {"play velocity", kModPlayVelocity, {}, {140, 145}, ArticulationField<&ArticulationTable::modw>(),
         VelocityFormula(0.5f)},
    };
    std::intptr_t voice = 1;
    for (const auto& c : cases) {
        plug->tab = 0;
        plug->articulations.modc[0] = c.modc;
        c.field.set(*plug, 30);
        Hold(c.keys);
        Press(c.at);
        Play(*plug, host, voice++, 72, 0, 0.5f);
        EXPECT_EQ(c.field.get(*plug), c.learned) << c.what;
        Release();
        c.field.set(*plug, 30);
        Play(*plug, host, voice++, 74, 0, 0.5f);
        EXPECT_EQ(c.field.get(*plug), 30) << c.what << ": after the release";
    }
}

}  // namespace
}  // namespace velmora::test
