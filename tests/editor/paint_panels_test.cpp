// The articulation, controller and General panels, as drawn.
#include <limits>
#include <memory>

#include "editor/general_options.h"
#include "tests/editor/editor_fixture.h"

namespace velmora::test {
namespace {

using platform::ui::Rect;
using namespace platform::ui;

constexpr unsigned kValueFlags = kTextCentre | kTextSingleLine | kTextVerticalCentre;

struct FieldCase {
    const char* what;
    Articulation art;
    int frameY;
    std::vector<std::pair<Rect, std::string>> texts;  // value texts in their boxes
    std::vector<Rect> absent;                          // boxes with no text
};

class ArticulationFields : public EditorTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(ArticulationFields, FrameAndValues) {
    const FieldCase& c = GetParam();
    plug->tab = 0;
    plug->editing = 7;
    plug->articulations.set(7, c.art);
    const auto ops = paint();
    const Op frame = One(ops, Rect{5, 102, 234, 175});
    EXPECT_EQ(frame.from, (Rect{240, c.frameY, 469, c.frameY + 73}));
    for (const auto& [box, text] : c.texts) {
        const Op op = One(ops, box);
        EXPECT_EQ(op.text, text);
        EXPECT_EQ(op.fontHeight, 22);
        EXPECT_EQ(op.colour, 0xD9B27CU);
        EXPECT_EQ(op.flags, kValueFlags);
    }
    for (const Rect& box : c.absent) {
        EXPECT_TRUE(At(ops, box).empty());
    }
}

Articulation Art(int note, int modc, int modw, int prog, int notev = 127) {
    Articulation a;
    a.note = note;
    a.modc = modc;
    a.modw = modw;
    a.prog = prog;
    a.notev = notev;
    return a;
}

const Rect kKeyswitch{60, 130, 104, 160}, kSecond{125, 130, 169, 160}, kCc{117, 130, 148, 160},
    kValue{150, 130, 181, 160}, kProgram{194, 130, 226, 160};

INSTANTIATE_TEST_SUITE_P(Modifiers, ArticulationFields, ::testing::Values(
    FieldCase{"cc", Art(24, 1, 64, 4), 48, {{kKeyswitch, "C0"}, {kCc, "1"}, {kValue, "64"}, {kProgram, "5"}}, {kSecond}},
    FieldCase{"nothing set", Art(-1, -1, -1, -1), 48, {{kKeyswitch, "----"}, {kCc, "---"}, {kValue, "---"}, {kProgram, "---"}}, {kSecond}},
    FieldCase{"second keyswitch", Art(24, -2, 26, 0), 240, {{kKeyswitch, "C0"}, {kSecond, "D0"}, {kProgram, "1"}}, {kCc, kValue}},
    FieldCase{"second keyswitch unset", Art(24, -2, -1, -1), 240, {{kSecond, "----"}}, {kCc, kValue}},
    FieldCase{"play velocity", Art(24, -3, 100, -1), 315, {{kSecond, "100"}}, {kCc, kValue}},
    FieldCase{"play velocity unset", Art(24, -3, -1, -1), 315, {{kSecond, "----"}}, {kCc, kValue}}),
    CaseName());

TEST_F(EditorTest, NameIconAndVelocityMeter) {
    plug->tab = 0;
    plug->editing = 4;
    Articulation a = Art(60, -1, -1, -1, 64);
    a.icon = 12;
    plug->articulations.set(4, a);
    auto ops = paint();
    const Op name = One(ops, Rect{8, 104, 98, 120});
    EXPECT_EQ(name.text, "Articulation 5");
    EXPECT_EQ(name.fontHeight, 16);
    EXPECT_EQ(name.flags, kTextSingleLine | kTextWordEllipsis);
    EXPECT_EQ(One(ops, Rect{15, 132, 43, 159}).from, (Rect{32 * 12 + 2, 1, 32 * 12 + 30, 28}));
    // 30 - trunc(64 / 127 x 30) = 30 - 15: the darker fill covers the top 15 units.
    EXPECT_EQ(One(ops, Rect{61, 130, 103, 145}).from, (Rect{438, 195, 480, 210}));

    a.name = "Légato «soft»";
    a.notev = 127;
    plug->articulations.set(4, a);
    ops = paint();
    EXPECT_EQ(One(ops, Rect{8, 104, 98, 120}).text, "Légato «soft»");
    EXPECT_EQ(One(ops, Rect{61, 130, 103, 130}).from.height(), 0);
}

TEST_F(EditorTest, IconNumbersNoStripHoldsDrawBeyondItsEdge) {
    plug->tab = 0;
    for (const int icon : {231, 1 << 30, -5, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
        plug->articulations.icon[0] = icon;
        const auto ops = paint();
        const Op field = One(ops, Rect{15, 132, 43, 159});
        const Op cell = One(ops, Rect{8, 9, 35, 36});
        for (const Op& op : {field, cell}) {
            EXPECT_TRUE(op.from.left >= skin.icons.width || op.from.right <= 0) << icon;
        }
    }
}

struct KeyNamesCase {
    const char* what;
    bool table;
    const char* title;
    bool missing;
    int buttonY;
    const char* caption;
    platform::ui::Colour colour;
};

class KeyNamesCaption : public EditorTest, public ::testing::WithParamInterface<KeyNamesCase> {};

TEST_P(KeyNamesCaption, ButtonAndCaption) {
    const KeyNamesCase& c = GetParam();
    plug->tab = 0;
    auto& keys = plug->articulations.keyNames[0];
    if (c.table) keys.names = std::make_unique<KeyNames>();
    keys.title = c.title;
    keys.missing = c.missing ? 1 : 0;
    const auto ops = paint();
    EXPECT_EQ(One(ops, Rect{196, 107, 229, 120}).from, (Rect{405, c.buttonY, 438, c.buttonY + 13}));
    const Op caption = One(ops, Rect{118, 108, 200, 120});
    EXPECT_EQ(caption.text, c.caption);
    EXPECT_EQ(caption.fontHeight, 11);
    EXPECT_EQ(caption.colour, c.colour);
    EXPECT_EQ(caption.flags, kTextSingleLine | kTextVerticalCentre | kTextWordEllipsis);
}

INSTANTIATE_TEST_SUITE_P(Tables, KeyNamesCaption, ::testing::Values(
    KeyNamesCase{"no table", false, "", false, 195, "Piano roll key names...", 0xBCBBB6},
    KeyNamesCase{"titled", true, "Strings", false, 208, "Strings", 0xBCBBB6},
    KeyNamesCase{"file missing", true, "Strings", true, 208, "Strings", 0xD9B27C},
    KeyNamesCase{"stored in project", true, "", false, 208, "[Stored in FLP]", 0xBCBBB6}),
    CaseName());

TEST_F(EditorTest, ControllerPanelDrawsEverySlotType) {
    plug->tab = 1;
    plug->controllerstart = 6;
    auto& c = plug->controllers;
    auto assign = [&](int s, int type, int value, int on, const char* name) {
        c.cc[s] = 20 + s;
        c.type[s] = type;
        c.value[s] = value;
        c.on[s] = on;
        c.name[s] = name;
    };
    assign(6, 0, 127, 1, "Dynamics");  // first slot: the slider whatever its type
    assign(7, 0, 64, 1, "Vibrato");    // knob
    assign(8, 1, 63, 0, "Mute");       // button off
    assign(9, 1, 64, 1, "Solo");       // button on
    assign(10, 2, 0, 1, "Expr");       // fader
    // slot 11 unassigned
    plug->pageNames[1] = "Winds";
    const auto ops = paint();

    EXPECT_EQ(One(ops, Rect{5, 102, 234, 175}).from, (Rect{240, 122, 469, 195}));
    EXPECT_EQ(One(ops, Rect{8, 104, 94, 120}).text, "Winds");
    const Op slider = One(ops, Rect{174, 105, 230, 129});
    EXPECT_EQ(slider.source, editor::kSliderStrip);
    EXPECT_EQ(slider.from.top, 24 * 63);
    const Op firstName = One(ops, Rect{116, 108, 166, 120});
    EXPECT_EQ(firstName.text, "Dynamics");
    EXPECT_EQ(firstName.colour, 0xF4F4F4U);

    struct { int k; int source; int frame; const char* name; platform::ui::Colour colour; } slots[] = {
        {0, editor::kKnobStrip, 31, "Vibrato", 0xF4F4F4},   // trunc(64 / 127 x 63)
        {1, editor::kButtonStrip, 0, "Mute", 0x6A777A},
        {2, editor::kButtonStrip, 1, "Solo", 0xF4F4F4},
        {3, editor::kFaderStrip, 0, "Expr", 0xF4F4F4},
    };
    for (const auto& s : slots) {
        const Op well = One(ops, Rect{12 + 45 * s.k, 127, 46 + 45 * s.k, 161});
        EXPECT_EQ(well.source, s.source) << s.k;
        EXPECT_EQ(well.from.top, 34 * s.frame) << s.k;
        const Op name = One(ops, Rect{8 + 45 * s.k, 161, 50 + 45 * s.k, 171});
        EXPECT_EQ(name.text, s.name);
        EXPECT_EQ(name.colour, s.colour);
    }
    EXPECT_TRUE(At(ops, Rect{12 + 45 * 4, 127, 46 + 45 * 4, 161}).empty());
    EXPECT_TRUE(At(ops, Rect{8 + 45 * 4, 161, 50 + 45 * 4, 171}).empty());

    plug->controllerstart = 12;
    EXPECT_EQ(One(paint(), Rect{8, 104, 94, 120}).text, "Controllers 3");
    EXPECT_TRUE(At(paint(), Rect{174, 105, 230, 129}).empty());
}

TEST_F(EditorTest, GeneralPanelSubPagesAndCheckBoxes) {
    plug->tab = 2;
    for (int page = 0; page < 3; ++page) {
        plug->processState->generalPage = page;
        const auto ops = paint();
        EXPECT_EQ(One(ops, Rect{5, 6, 234, 135}).from, (Rect{5, 239, 234, 368}));
        const Rect labels[] = {{5, 92, 53, 116}, {55, 92, 125, 116}, {127, 92, 187, 116}};
        for (int l = 0; l < 3; ++l) {
            const auto drawn = At(ops, labels[l]);
            ASSERT_EQ(drawn.size(), l == page ? 2U : 1U);
            if (l == page) {
                EXPECT_EQ(drawn[0].kind, Kind::Fill);
                EXPECT_EQ(drawn[0].colour, 0x21272BU);
            }
            EXPECT_EQ(drawn.back().colour, l == page ? 0x85EA78U : 0xBCBBB6U);
            EXPECT_EQ(drawn.back().fontHeight, 15);
        }
        int options = 0;
        for (const auto& option : editor::GeneralOptions()) {
            if (option.page != page) continue;
            ++options;
            const Op label = One(ops, Rect{option.labelX, option.labelY, option.labelX + 90, option.labelY + 10});
            EXPECT_EQ(label.text, option.label);
            EXPECT_EQ(label.fontHeight, 14);
            EXPECT_EQ(One(ops, Rect{option.labelX - 15, option.labelY + 2, option.labelX - 5, option.labelY + 12}).from.top, 195);
        }
        EXPECT_EQ(options, page == 0 ? 5 : page == 1 ? 8 : 5);
    }
}

struct TickCase {
    const char* what;
    int page;
    int labelX, labelY;
    std::function<void(Instance&, RecordingHost&)> set;
    int ticked;
};

class OptionTicks : public EditorTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(OptionTicks, CheckBoxShowsTheField) {
    const TickCase& c = GetParam();
    plug->tab = 2;
    plug->processState->generalPage = c.page;
    c.set(*plug, host);
    const Op box = One(paint(), Rect{c.labelX - 15, c.labelY + 2, c.labelX - 5, c.labelY + 12});
    EXPECT_EQ(box.from.left, 375 + 10 * c.ticked);
}

INSTANTIATE_TEST_SUITE_P(Options, OptionTicks, ::testing::Values(
    TickCase{"banks on", 0, 136, 122, [](Instance& p, RecordingHost&) { p.articbanks = 1; }, 1},
    TickCase{"banks off", 0, 136, 122, [](Instance& p, RecordingHost&) { p.articbanks = 0; }, 0},
    TickCase{"parameters control CC is paramknob 0", 1, 26, 122, [](Instance& p, RecordingHost&) { p.paramknob = 0; }, 1},
    TickCase{"parameters are slots", 1, 26, 122, [](Instance& p, RecordingHost&) { p.paramknob = 1; }, 0},
    TickCase{"single editor off", 0, 136, 136, [](Instance& p, RecordingHost&) { p.processState->showsingle = 0; }, 0},
    TickCase{"single editor on an old host", 0, 136, 136,
             [](Instance& p, RecordingHost& h) { p.processState->showsingle = 0; h.HostVersion = 11000000; }, 1},
    TickCase{"http api", 2, 26, 122, [](Instance& p, RecordingHost&) { p.processState->httpApiEnabled = 1; }, 1},
    TickCase{"midi extend", 2, 26, 136, [](Instance& p, RecordingHost&) { p.midiextend = 1; }, 1}),
    CaseName());

TEST_F(EditorTest, GeneralPanelTextBlock) {
    plug->tab = 2;
    auto ops = paint();
    const Op title = One(ops, Rect{10, 10, 230, 90});
    EXPECT_EQ(title.text, "ZOLT Velmora v1.17");
    EXPECT_EQ(title.flags, kTextWordWrap);
    const Op stamp = One(ops, Rect{10, 26, 230, 90});
    EXPECT_EQ(stamp.colour, 0x807F7AU);
    EXPECT_NE(stamp.text, "DEBUG ENABLED");
    EXPECT_EQ(At(ops, Rect{10, 44, 230, 90}).size(), 1U);
    plug->debugLog = 1;
    EXPECT_EQ(One(paint(), Rect{10, 26, 230, 90}).text, "DEBUG ENABLED");
}

}  // namespace
}  // namespace velmora::test
