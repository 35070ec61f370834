// The option switches of the General panel: each option's click area, the
// field it switches and the host messages that go with it.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor/paint.h"
#include "http/server_control.h"
#include "platform/ui/recording_canvas.h"
#include "tests/editor/command_fixture.h"

namespace velmora::test {
namespace {

using Message = std::pair<std::intptr_t, std::intptr_t>;  // Dispatcher id and value

class OptionTest : public CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        plug->tab = 2;
        host.HostVersion = 21000000;
        // A server started here takes any free port.
        platform.settings().writeString(platform::kVelmoraKey, "HTTP Port", "0");
    }
    void TearDown() override {
        if (http::RunningServer() != nullptr) {
            http::StopServer(*plug);
        }
    }
    void clickOn(int page, int x, int y) {
        plug->processState->generalPage = page;
        leftClick(x, y);
    }
    std::vector<Message> messages() const {
        std::vector<Message> out;
        for (const auto& c : host.dispatches) {
            out.emplace_back(c.id, c.value);
        }
        return out;
    }
};

constexpr Message k48{plug::FHD_StateChanged, 0};

struct OptionCase {
    const char* what;
    int page;
    int x, y;  // inside the option's click area
    std::function<std::int32_t&(Instance&)> field;
    std::vector<Message> messages;  // of the first switch, from the default
};

class OptionSwitch : public OptionTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(OptionSwitch, FlipsTheFieldBothWays) {
    const OptionCase& c = GetParam();
    std::int32_t& field = c.field(*plug);
    const std::int32_t before = field;
    const int repaints = WholeRepaints(*plug);
    clickOn(c.page, c.x, c.y);
    EXPECT_EQ(field, before != 0 ? 0 : 1);
    EXPECT_EQ(messages(), c.messages);
    EXPECT_EQ(WholeRepaints(*plug), repaints + 1);
    clickOn(c.page, c.x, c.y);
    EXPECT_EQ(field, before);
}

#define FIELD(name) [](Instance& p) -> std::int32_t& { return p.name; }

INSTANTIATE_TEST_SUITE_P(General, OptionSwitch, ::testing::Values(
    OptionCase{"preserve port", 0, 10, 122, FIELD(preserveport), {k48}},
    OptionCase{"multiple banks", 0, 226, 132, FIELD(articbanks), {{3, 4}, {3, 5}, k48}},
    OptionCase{"overlapping notes", 0, 110, 146, FIELD(allowoverlap), {k48}},
    OptionCase{"single editor", 0, 120, 136, FIELD(processState->showsingle), {k48}},
    OptionCase{"alternative middle C", 0, 10, 160, FIELD(altmiddlec), {k48}}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(Automation, OptionSwitch, ::testing::Values(
    OptionCase{"parameters control CC", 1, 10, 122, FIELD(paramknob), {{27, 97}, {3, 0}, k48}},
    OptionCase{"ghosting", 1, 226, 132, FIELD(ccghosting), {k48}},
    OptionCase{"UACC on CC32", 1, 10, 136, FIELD(showuacc), {k48}},
    OptionCase{"timing fix", 1, 120, 146, FIELD(cctimingfix), {k48}},
    OptionCase{"optimise", 1, 110, 150, FIELD(optimiseauto), {k48}},
    OptionCase{"release velocity", 1, 120, 160, FIELD(releasetocc117), {k48}},
    OptionCase{"CC64 release", 1, 10, 164, FIELD(cc64release), {k48}},
    OptionCase{"omni", 1, 226, 174, FIELD(allchannelomni), {k48}}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(Advanced, OptionSwitch, ::testing::Values(
    OptionCase{"HTTP API is no project state", 2, 5, 122, FIELD(processState->httpApiEnabled), {}},
    OptionCase{"reset state", 2, 120, 122, FIELD(resetstate), {k48}},
    OptionCase{"MIDI extend", 2, 5, 146, FIELD(midiextend), {k48}},
    OptionCase{"ghost on transport", 2, 226, 146, FIELD(ccghostontransport), {k48}},
    OptionCase{"hold keyswitch", 2, 110, 160, FIELD(holdkeyswitch), {k48}}),
    CaseName());

#undef FIELD

TEST_F(OptionTest, PlacesWithoutAnOptionOnTheShownPageSwitchNothing) {
    const struct {
        int page, x, y;
    } cases[] = {
        {0, 9, 122},    // left of General's first column
        {2, 4, 122},    // left of Advanced's first column
        {0, 26, 164},   // General has three rows
        {2, 136, 150},  // Advanced has no fourth option in the second column
        {0, 115, 136},  // between the columns
        {1, 120, 175},  // below the last row
    };
    for (const auto& c : cases) {
        clickOn(c.page, c.x, c.y);
        EXPECT_TRUE(host.dispatches.empty()) << c.page << " at " << c.x << "," << c.y;
    }
}

TEST_F(OptionTest, SingleEditorIsNotSwitchedOnOlderHosts) {
    host.HostVersion = 11999999;
    clickOn(0, 150, 140);
    EXPECT_EQ(plug->processState->showsingle, 1);
    EXPECT_TRUE(host.dispatches.empty());
}

TEST_F(OptionTest, BanksSwitchedOffOnBank3ReturnToTheFirstBank) {
    plug->articbanks = 1;
    plug->bankstart = 32;
    plug->currentBank = 2;
    clickOn(0, 150, 125);
    EXPECT_EQ(plug->articbanks, 0);
    EXPECT_EQ(plug->bankstart, 0) << "the grid shows articulations 1 to 16";
    EXPECT_EQ(plug->currentBank, 0);
    plug->bankstart = 16;  // as the wheel would not; switching on moves nothing
    clickOn(0, 150, 125);
    EXPECT_EQ(plug->articbanks, 1);
    EXPECT_EQ(plug->bankstart, 16);
    EXPECT_EQ(messages(), (std::vector<Message>{{3, 4}, {3, 5}, k48, {3, 4}, {3, 5}, k48}));
}

TEST_F(OptionTest, AlternativeMiddleCShowsNote60AsC4) {
    plug->tab = 0;
    plug->editing = 0;
    plug->articulations.note[0] = 60;
    const platform::ui::Rect keyswitchBox{60, 130, 104, 160};
    auto shown = [&] {
        platform::ui::RecordingCanvas canvas;
        editor::EditorFonts fonts;
        editor::PaintEditor(*plug, canvas, SizedSkin(), fonts);
        for (const auto& op : canvas.ops) {
            if (op.to == keyswitchBox && op.kind == Kind::Text) {
                return op.text;
            }
        }
        return std::string("<none>");
    };
    EXPECT_EQ(shown(), "C3");
    plug->tab = 2;
    clickOn(0, 50, 155);
    plug->tab = 0;
    EXPECT_EQ(shown(), "C4");
    EXPECT_STREQ(plug->noteNames[60].data(), "C4");
}

TEST_F(OptionTest, ParameterLayoutTellsTheHostItsCountAndTheArticulationParameter) {
    clickOn(1, 50, 127);
    EXPECT_EQ(plug->paramknob, 1);
    EXPECT_EQ(plug->articulationParamIndex, 96);
    clickOn(1, 50, 127);
    EXPECT_EQ(plug->paramknob, 0);
    EXPECT_EQ(plug->articulationParamIndex, 128);
    EXPECT_EQ(messages(), (std::vector<Message>{{27, 97}, {3, 0}, k48, {27, 129}, {3, 0}, k48}));
}

TEST_F(OptionTest, HttpApiStartsAndStopsTheServerAndKeepsTheSwitchInTheSettings) {
    ASSERT_EQ(http::RunningServer(), nullptr);
    clickOn(2, 50, 127);
    EXPECT_EQ(plug->processState->httpApiEnabled, 1);
    EXPECT_NE(http::RunningServer(), nullptr);
    EXPECT_EQ(platform.settings().readDword(platform::kVelmoraKey, "HTTP API"), 1U);
    clickOn(2, 50, 127);
    EXPECT_EQ(plug->processState->httpApiEnabled, 0);
    EXPECT_EQ(http::RunningServer(), nullptr);
    EXPECT_EQ(platform.settings().readDword(platform::kVelmoraKey, "HTTP API"), 0U);
}

}  // namespace
}  // namespace velmora::test
