// Right clicks on the fields: the prompt each asks and how the typed text is
// read, limited and stored.
#include <string>

#include "editor/typed_entry.h"
#include "tests/editor/click_fixture.h"

namespace velmora::test {
namespace {

constexpr int kEdited = 3;
constexpr unsigned kShift = 1, kAlt = 2;

using Setup = void (*)(Instance&);
using Read = int (*)(const Instance&);

int Icon(const Instance& p) { return p.articulations.icon[kEdited]; }
int Note(const Instance& p) { return p.articulations.note[kEdited]; }
int NoteVelocity(const Instance& p) { return p.articulations.notev[kEdited]; }
int ModValue(const Instance& p) { return p.articulations.modw[kEdited]; }
int ModCC(const Instance& p) { return p.articulations.modc[kEdited]; }
int Program(const Instance& p) { return p.articulations.prog[kEdited]; }
int Port(const Instance& p) { return p.port; }
int Channel(const Instance& p) { return p.channel; }

void C3(Instance& p) { p.articulations.note[kEdited] = 60; }
void AltMiddleC(Instance& p) { p.altmiddlec = 1; p.BuildNoteNames(); }
void SecondKeyswitch(Instance& p) { p.articulations.modc[kEdited] = kModSecondKeyswitch; p.articulations.modw[kEdited] = 62; }
void PlayVelocity(Instance& p) { p.articulations.modc[kEdited] = kModPlayVelocity; p.articulations.modw[kEdited] = 90; }
void CC7(Instance& p) { p.articulations.modc[kEdited] = 7; p.articulations.modw[kEdited] = 10; }
void Program4(Instance& p) { p.articulations.prog[kEdited] = 4; }
void Port3General(Instance& p) { p.port = 3; p.tab = 2; }
void Channel2(Instance& p) { p.channel = 2; }
void Channel2Extended(Instance& p) { p.channel = 2; p.midiextend = 1; }
void PerColourPicker(Instance& p) { p.channel = kChannelPerColour; p.tab = 3; }

struct FieldCase {
    const char* what;
    Setup setup;
    unsigned keys;
    int x, y;
    const char* caption;
    const char* prefill;
    const char* typed;
    Read field;
    int stored;
};

class TypedEntry : public ClickTest, public ::testing::WithParamInterface<FieldCase> {
protected:
    void SetUp() override {
        ClickTest::SetUp();
        const FieldCase& c = GetParam();
        plug->editing = kEdited;
        if (c.setup != nullptr) c.setup(*plug);
        if (c.keys & kShift) keysPlatform.keys.held.insert(kLeftShiftKey);
        if (c.keys & kAlt) keysPlatform.keys.held.insert(kLeftAltKey);
        before = c.field(*plug);
        repaints = WholeRepaints(*plug);
    }

    // One prompt, asked as the row says.
    void expectPrompt() {
        const FieldCase& c = GetParam();
        ASSERT_EQ(host.prompts.size(), 1U);
        const PromptCall& p = host.prompts[0];
        EXPECT_EQ(p.caption, c.caption);
        EXPECT_EQ(p.text, c.prefill);
        EXPECT_EQ(p.x, -1);
        EXPECT_EQ(p.y, -1);
        EXPECT_EQ(p.colour, -1);
        EXPECT_EQ(WholeRepaints(*plug) - repaints, 1);
    }

    int before = 0;
    int repaints = 0;
};

TEST_P(TypedEntry, AcceptedTextIsReadAndLimited) {
    const FieldCase& c = GetParam();
    host.promptAnswers = {c.typed};
    rightClick(c.x, c.y);
    expectPrompt();
    EXPECT_EQ(c.field(*plug), c.stored);
    EXPECT_EQ(stateChanges(), 1U);
}

TEST_P(TypedEntry, CancelledPromptChangesNothing) {
    const FieldCase& c = GetParam();
    rightClick(c.x, c.y);
    expectPrompt();
    EXPECT_EQ(c.field(*plug), before);
    EXPECT_EQ(stateChanges(), 0U);
}

INSTANTIATE_TEST_SUITE_P(Table, TypedEntry, ::testing::Values(
    FieldCase{"keyswitch sharp", C3, 0, 60, 130, "Keyswitch", "60", "D#3", Note, 63},
    FieldCase{"keyswitch flat", nullptr, 0, 102, 160, "Keyswitch", "-1", "Eb3", Note, 63},
    FieldCase{"keyswitch limited from 139", nullptr, 0, 80, 140, "Keyswitch", "-1", "G9", Note, 127},
    FieldCase{"keyswitch not a number", C3, 0, 80, 140, "Keyswitch", "60", "xyz", Note, 0},
    FieldCase{"keyswitch lower case flat", nullptr, 0, 80, 140, "Keyswitch", "-1", "ab2", Note, 56},
    FieldCase{"keyswitch below C-2", C3, 0, 80, 140, "Keyswitch", "60", "-7", Note, 0},
    FieldCase{"keyswitch alternative middle C", AltMiddleC, 0, 80, 140, "Keyswitch", "-1", "C4", Note, 60},
    FieldCase{"keyswitch velocity unlimited", C3, kAlt, 80, 140, "Keyswitch velocity", "127", "300", NoteVelocity, 300},
    FieldCase{"icon id unlimited", nullptr, kShift, 15, 130, "Icon ID", "55", "-3", Icon, -3},
    FieldCase{"icon id large", nullptr, kShift | kAlt, 45, 160, "Icon ID", "55", "5000", Icon, 5000},
    FieldCase{"second keyswitch", SecondKeyswitch, 0, 128, 130, "Second keyswitch", "62", "C3", ModValue, 60},
    FieldCase{"second keyswitch limited", SecondKeyswitch, 0, 166, 160, "Second keyswitch", "62", "G9", ModValue, 127},
    FieldCase{"play velocity limited", PlayVelocity, 0, 140, 140, "Velocity", "90", "200", ModValue, 127},
    FieldCase{"play velocity note name is a number", PlayVelocity, 0, 140, 140, "Velocity", "90", "C3", ModValue, 0},
    FieldCase{"cc value limited", CC7, 0, 180, 160, "CC value", "10", "130", ModValue, 127},
    FieldCase{"cc value", CC7, 0, 149, 130, "CC value", "10", "64abc", ModValue, 64},
    FieldCase{"cc number not a number", CC7, 0, 116, 130, "CC #", "7", "xyz", ModCC, 0},
    FieldCase{"cc number from none", nullptr, 0, 146, 160, "CC #", "-1", "74", ModCC, 74},
    FieldCase{"cc number negative", CC7, 0, 120, 140, "CC #", "7", "-4", ModCC, 0},
    FieldCase{"program from 1", Program4, 0, 194, 130, "Program change", "5", "10", Program, 9},
    FieldCase{"program none", nullptr, 0, 226, 160, "Program change", "0", "xyz", Program, -1},
    FieldCase{"program unlimited", Program4, 0, 200, 140, "Program change", "5", "-10", Program, -11},
    FieldCase{"port any panel", Port3General, 0, 156, 190, "Port", "3", "12", Port, 12},
    FieldCase{"port above 255", nullptr, 0, 190, 215, "Port", "0", "300", Port, 255},
    FieldCase{"port negative", nullptr, 0, 170, 200, "Port", "0", "-1", Port, 255},
    FieldCase{"port 255", nullptr, 0, 170, 200, "Port", "0", "255", Port, 255},
    FieldCase{"channel from 1", Channel2, 0, 198, 190, "Channel", "3", "1", Channel, 0},
    FieldCase{"channel 16", Channel2, 0, 224, 215, "Channel", "3", "16", Channel, 15},
    FieldCase{"channel above the top", Channel2, 0, 210, 200, "Channel", "3", "17", Channel, 15},
    FieldCase{"channel 0 is the top", Channel2, 0, 210, 200, "Channel", "3", "0", Channel, 15},
    FieldCase{"channel negative is the top", Channel2, 0, 210, 200, "Channel", "3", "-5", Channel, 15},
    FieldCase{"channel per colour", Channel2, 0, 210, 200, "Channel", "3", "---", Channel, 256},
    FieldCase{"channel almost per colour", Channel2, 0, 210, 200, "Channel", "3", "--- ", Channel, 15},
    FieldCase{"extended channel 0 is the top", Channel2Extended, 0, 210, 200, "Channel", "3", "0", Channel, 63},
    FieldCase{"extended channel 64", Channel2Extended, 0, 210, 200, "Channel", "3", "64", Channel, 63},
    FieldCase{"extended channel above the top", Channel2Extended, 0, 210, 200, "Channel", "3", "65", Channel, 63},
    FieldCase{"channel from per colour in the picker", PerColourPicker, 0, 210, 200, "Channel", "---", "5", Channel, 4}),
    CaseName());

TEST_F(ClickTest, IconWithoutShiftOpensThePicker) {
    plug->tab = 0;
    const int repaints = WholeRepaints(*plug);
    rightClick(30, 140);
    EXPECT_TRUE(host.prompts.empty());
    EXPECT_EQ(plug->tab, 3);
    EXPECT_EQ(stateChanges(), 0U);
    EXPECT_EQ(WholeRepaints(*plug) - repaints, 1);
}

TEST_F(ClickTest, NewPortOrChannelForgetsWhatWasSent) {
    struct { int x, y; const char* typed; bool forgotten; } cases[] = {
        {170, 200, "7", true}, {210, 200, "4", true}, {170, 200, nullptr, false}, {210, 200, nullptr, false},
    };
    for (const auto& c : cases) {
        plug->currentArticulation = 5;
        plug->currentBank = 2;
        plug->lastKs1Note = plug->lastKs1Velocity = plug->lastProgram = plug->lastModifier = 10;
        host.promptAnswers.clear();
        if (c.typed != nullptr) host.promptAnswers.push_back(c.typed);
        rightClick(c.x, c.y);
        const int sent = c.forgotten ? kNothingSent : 10;
        EXPECT_EQ(plug->currentArticulation, c.forgotten ? 0 : 5) << c.x;
        EXPECT_EQ(plug->currentBank, c.forgotten ? 0 : 2);
        EXPECT_EQ(plug->lastKs1Note, sent);
        EXPECT_EQ(plug->lastKs1Velocity, sent);
        EXPECT_EQ(plug->lastProgram, sent);
        EXPECT_EQ(plug->lastModifier, sent);
    }
}

// Places next to fields, and fields the articulation does not show.
TEST_F(ClickTest, NoPromptBesideTheFields) {
    struct { const char* what; int modc; int x, y; } cases[] = {
        {"right of the channel", -1, 225, 200},
        {"below the channel", -1, 210, 216},
        {"right of the name", -1, 104, 110},
        {"cc number with a second keyswitch", kModSecondKeyswitch, 120, 140},
        {"cc value box right of a play velocity", kModPlayVelocity, 170, 140},
        {"between the keyswitch and the cc number", -1, 110, 140},
    };
    for (const auto& c : cases) {
        plug->articulations.modc[0] = c.modc;
        rightClick(c.x, c.y);
        EXPECT_TRUE(host.prompts.empty()) << c.what;
    }
}

TEST_F(ClickTest, EditedArticulationOutOfRangeIsNotTouched) {
    // A state may carry any `editing`; its fields are not there to type into.
    plug->editing = kArticulations;
    host.promptAnswers = {"60"};
    rightClick(80, 140);
    rightClick(50, 110);
    EXPECT_TRUE(host.prompts.empty());
}

// --- The name, and the icon it brings from the template ---

struct NameCase {
    const char* what;
    int icon;
    const char* typed;
    int iconAfter;
};

class NameEntry : public ClickTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameEntry, TemplateIconForTheDefaultIcon) {
    const NameCase& c = GetParam();
    plug->processState->iconNames = {"Legato", "Pizzicato", "LEGATO"};
    plug->processState->iconNumbers = {10, 20, 12};
    plug->editing = kEdited;
    plug->articulations.name[kEdited] = "Old";
    plug->articulations.icon[kEdited] = c.icon;
    host.promptAnswers = {c.typed};
    rightClick(6, 102);
    ASSERT_EQ(host.prompts.size(), 1U);
    EXPECT_EQ(host.prompts[0].caption, "Articulation name");
    EXPECT_EQ(host.prompts[0].text, "Old");
    EXPECT_EQ(plug->articulations.name[kEdited], c.typed);
    EXPECT_EQ(plug->articulations.icon[kEdited], c.iconAfter);
    EXPECT_EQ(stateChanges(), 1U);
}

INSTANTIATE_TEST_SUITE_P(Table, NameEntry, ::testing::Values(
    NameCase{"last entry ignoring case", kDefaultIcon, "legato", 12},
    NameCase{"single entry", kDefaultIcon, "pizzicato", 20},
    NameCase{"chosen icon stays", 7, "legato", 7},
    NameCase{"no entry of that name", kDefaultIcon, "Spiccato", kDefaultIcon},
    NameCase{"no partial match", kDefaultIcon, "Legat", kDefaultIcon}), CaseName());

TEST_F(ClickTest, LongNameIsCutInThePromptOnly) {
    const std::string longName(300, 'n');
    plug->articulations.name[0] = longName;
    rightClick(50, 110);
    ASSERT_EQ(host.prompts.size(), 1U);
    EXPECT_EQ(host.prompts[0].text, std::string(255, 'n'));
    EXPECT_EQ(plug->articulations.name[0], longName);
}

}  // namespace
}  // namespace velmora::test
