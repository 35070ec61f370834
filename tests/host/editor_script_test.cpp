// Editor scripts: each good line becomes the events and answers it names, and
// the first bad line stops the whole script with its number and reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/editor_script.h"

namespace velmora::host {
namespace {

std::string Describe(const HeadlessEvent& e) {
    const std::string at = " " + std::to_string(e.x) + " " + std::to_string(e.y);
    switch (e.kind) {
        case kHeadlessMouseMove: return "move" + at;
        case kHeadlessButtonDown: return "down " + std::to_string(e.button) + at;
        case kHeadlessButtonUp: return "up " + std::to_string(e.button) + at;
        case kHeadlessWheel: return "wheel " + std::to_string(e.delta) + at;
        case kHeadlessKeyDown: return "key " + std::to_string(e.key);
        case kHeadlessActivate: return "activate " + std::to_string(e.active);
        case kHeadlessSize: return "size " + std::to_string(e.width) + " " + std::to_string(e.height);
        default: return "kind " + std::to_string(e.kind);
    }
}

std::string Describe(const ScriptStep& s) {
    std::string out;
    switch (s.kind) {
        case ScriptStep::Kind::Events:
            for (const HeadlessEvent& e : s.events) {
                out += (out.empty() ? "" : ", ") + Describe(e);
            }
            return out;
        case ScriptStep::Kind::Hold:
            out = "hold";
            for (const int k : s.heldKeys) {
                out += " " + std::to_string(k);
            }
            return out;
        case ScriptStep::Kind::Idle: return "idle";
        case ScriptStep::Kind::Show: return "show " + std::to_string(s.instance);
        case ScriptStep::Kind::Snapshot: return "snapshot " + s.path;
        case ScriptStep::Kind::GetName:
            return "getname " + std::to_string(s.section) + " " + std::to_string(s.index) + " " + std::to_string(s.value);
        case ScriptStep::Kind::Note:
            return "note " + std::to_string(s.key) + " " + std::to_string(s.colour) + (s.shift ? " shift" : "");
        case ScriptStep::Kind::Answer: {
            const ScriptAnswer& a = s.answer;
            const char* names[] = {"prompt", "menu", "open", "save", "messagebox"};
            out = names[static_cast<int>(a.question)];
            if (a.cancel) {
                return out + " cancel";
            }
            switch (a.question) {
                case Question::Menu: return out + " " + std::to_string(a.id);
                case Question::MessageBox: return out + " " + std::to_string(a.result);
                default: return out + " " + a.text;
            }
        }
    }
    return out;
}

TEST(EditorScript, EachLineBecomesItsStep) {
    const struct {
        const char* line;
        const char* step;
    } cases[] = {
        {R"({"do":"move","x":3,"y":4})", "move 3 4"},
        {R"({"do":"press","button":"left","x":3,"y":-4})", "down 1 3 -4"},
        {R"({"do":"release","button":"middle","x":3,"y":4})", "up 3 3 4"},
        // A click is the two button events at the point, without a move there.
        {R"({"do":"click","button":"right","x":28,"y":207})", "down 2 28 207, up 2 28 207"},
        {R"({"do":"wheel","delta":-120,"x":5,"y":6})", "wheel -120 5 6"},
        {R"({"do":"key","key":"Left"})", "key 37"},
        {R"({"do":"key","key":"Up"})", "key 38"},
        {R"({"do":"key","key":"PageDown"})", "key 34"},
        {R"({"do":"key","key":"Insert"})", "key 45"},
        {R"({"do":"key","key":"Backspace"})", "key 8"},
        {R"({"do":"key","key":"A"})", "key 65"},
        {R"({"do":"key","key":"Z"})", "key 90"},
        // A modifier is held under its generic code and both side codes.
        {R"({"do":"hold","keys":["ctrl","alt"]})", "hold 17 162 163 18 164 165"},
        {R"({"do":"hold","keys":["shift"]})", "hold 16 160 161"},
        {R"({"do":"hold","keys":[]})", "hold"},
        {R"({"do":"activate","active":false})", "activate 0"},
        {R"({"do":"resize","width":640,"height":480})", "size 640 480"},
        {R"( {"do":"idle"} )", "idle"},
        {R"({"do":"show","instance":2})", "show 2"},
        {R"({"do":"snapshot","out":"panel 1.png"})", "snapshot panel 1.png"},
        {R"({"do":"getname","section":2,"index":60,"value":-3})", "getname 2 60 -3"},
        {R"({"do":"note","key":60,"colour":3,"shift":true})", "note 60 3 shift"},
        {R"({"do":"note","key":127,"colour":15,"shift":false})", "note 127 15"},
        {R"({"do":"note","key":0,"colour":0})", "note 0 0"},
        {R"({"answer":"prompt","text":"Spiccato \"soft\""})", "prompt Spiccato \"soft\""},
        {R"({"answer":"prompt","text":""})", "prompt "},
        {R"({"answer":"prompt","cancel":true})", "prompt cancel"},
        {R"({"answer":"menu","id":7})", "menu 7"},
        {R"({"answer":"menu","cancel":true})", "menu cancel"},
        {R"({"answer":"open","path":"/tmp/set.zoltartic"})", "open /tmp/set.zoltartic"},
        {R"({"answer":"save","cancel":true})", "save cancel"},
        {R"({"answer":"messagebox","result":"yes"})", "messagebox 6"},
        {R"({"answer":"messagebox","result":2})", "messagebox 2"},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto steps = ParseEditorScript(c.line, error);
        ASSERT_TRUE(steps) << c.line << ": " << error;
        ASSERT_EQ(steps->size(), 1U) << c.line;
        EXPECT_EQ(Describe(steps->front()), c.step) << c.line;
        EXPECT_EQ(steps->front().line, 1) << c.line;
    }
}

TEST(EditorScript, StepsKeepTheirLineNumbersAcrossBlankLines) {
    std::string error;
    const auto steps = ParseEditorScript("\n{\"do\":\"idle\"}\r\n  \t\n{\"do\":\"move\",\"x\":1,\"y\":2}", error);
    ASSERT_TRUE(steps) << error;
    ASSERT_EQ(steps->size(), 2U);
    EXPECT_EQ(steps->at(0).line, 2);
    EXPECT_EQ(steps->at(1).line, 4);
    EXPECT_EQ(Describe(steps->at(1)), "move 1 2");
    EXPECT_TRUE(ParseEditorScript("", error)->empty());
}

TEST(EditorScript, TheFirstBadLineStopsWithItsNumberAndReason) {
    const struct {
        const char* line;
        const char* reason;
    } cases[] = {
        {"move 1 2", "not JSON: Invalid value. (at column 1)"},
        {R"({"do":"idle"} {"do":"idle"})", "not JSON: The document root must not be followed by other values. (at column 15)"},
        {"[1]", "not a JSON object"},
        {"{}", "a line has either \"do\" or \"answer\""},
        {R"({"do":"idle","answer":"prompt"})", "a line has either \"do\" or \"answer\""},
        {R"({"do":7})", "\"do\" must be a string"},
        {R"({"do":"jump"})", "unknown \"do\": \"jump\""},
        {R"({"answer":"colour"})", "unknown \"answer\": \"colour\""},
        {R"({"do":"move","x":1})", "\"y\" is missing"},
        {R"({"do":"move","x":"1","y":2})", "\"x\" must be an integer"},
        {R"({"do":"move","x":1.5,"y":2})", "\"x\" must be an integer"},
        {R"({"do":"move","x":1,"y":2,"z":3})", "unknown member \"z\""},
        {R"({"do":"click","x":1,"y":2})", "\"button\" is missing"},
        {R"({"do":"click","button":"Left","x":1,"y":2})", "unknown button \"Left\""},
        {R"({"do":"wheel","x":1,"y":2})", "\"delta\" is missing"},
        {R"({"do":"key","key":"F1"})", "unknown key \"F1\""},
        {R"({"do":"key","key":"a"})", "unknown key \"a\""},
        {R"({"do":"key","key":"AB"})", "unknown key \"AB\""},
        {R"({"do":"hold","keys":"ctrl"})", "\"keys\" must be an array"},
        {R"({"do":"hold","keys":["ctrl","meta"]})", "unknown key \"meta\" to hold"},
        {R"({"do":"hold","keys":[1]})", "\"keys\" holds names: ctrl, shift, alt"},
        {R"({"do":"activate","active":1})", "\"active\" must be true or false"},
        {R"({"do":"resize","width":0,"height":480})", "\"width\" must be positive"},
        {R"({"do":"snapshot","out":""})", "\"out\" must name a file"},
        {R"({"do":"snapshot"})", "\"out\" is missing"},
        {R"({"do":"idle","x":1})", "unknown member \"x\""},
        {R"({"do":"show","instance":0})", "\"instance\" counts from 1"},
        {R"({"do":"show"})", "\"instance\" is missing"},
        {R"({"do":"getname","section":2,"index":60})", "\"value\" is missing"},
        {R"({"do":"note","key":128,"colour":0})", "\"key\" is a note number from 0 to 127"},
        {R"({"do":"note","key":60,"colour":16})", "\"colour\" is a note colour from 0 to 15"},
        {R"({"do":"note","key":60,"colour":1,"shift":1})", "\"shift\" must be true or false"},
        {R"({"do":"note","key":60,"colour":1,"alt":true})", "unknown member \"alt\""},
        {R"({"answer":"prompt"})", "\"text\" is missing"},
        {R"({"answer":"prompt","text":"a","cancel":true})", "give either \"text\" or \"cancel\""},
        {R"({"answer":"prompt","cancel":false})", "\"cancel\" must be true"},
        {R"({"answer":"menu","id":"7"})", "\"id\" must be an integer"},
        {R"({"answer":"open"})", "\"path\" is missing"},
        {R"({"answer":"messagebox"})", "\"result\" is missing"},
        {R"({"answer":"messagebox","result":"maybe"})",
         "unknown message box result \"maybe\"; use ok, cancel, abort, retry, ignore, yes or no"},
        {R"({"answer":"messagebox","result":true})", "\"result\" must be a button name or an integer"},
    };
    for (const auto& c : cases) {
        // A good line and a blank one before it, a good one after.
        const std::string script = std::string("{\"do\":\"idle\"}\n\n") + c.line + "\n{\"do\":\"idle\"}\n";
        std::string error;
        EXPECT_FALSE(ParseEditorScript(script, error)) << c.line;
        EXPECT_EQ(error, std::string("script line 3: ") + c.reason) << c.line;
    }
}

TEST(EditorScript, AnUnansweredMessageBoxIsClosedAsAUserWould) {
    const struct {
        int style;
        int result;
    } cases[] = {
        {0, 1},   // OK
        {16, 1},  // OK with an error icon
        {1, 2},   // OK, Cancel
        {2, 3},   // Abort, Retry, Ignore
        {3, 2},   // Yes, No, Cancel
        {52, 7},  // Yes, No with a warning icon
        {5, 2},   // Retry, Cancel
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DismissedMessageBoxResult(c.style), c.result) << c.style;
    }
}

}  // namespace
}  // namespace velmora::host
