#include "host/editor_script.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace velmora::host {

namespace {

using rapidjson::Value;

struct NamedCode {
    const char* name;
    int code;
};

constexpr NamedCode kKeys[] = {
    {"Left", 0x25},   {"Right", 0x27},    {"Up", 0x26},     {"Down", 0x28},      {"PageUp", 0x21},
    {"PageDown", 0x22}, {"Insert", 0x2D}, {"Delete", 0x2E}, {"Backspace", 0x08},
};

constexpr NamedCode kButtons[] = {{"left", 1}, {"right", 2}, {"middle", 3}};

// Message box buttons as a user presses them.
constexpr NamedCode kResults[] = {{"ok", 1},    {"cancel", 2}, {"abort", 3}, {"retry", 4},
                                  {"ignore", 5}, {"yes", 6},    {"no", 7}};

// A modifier is held on both sides, as a window system reports it: the
// generic code and the left and right ones.
struct Modifier {
    const char* name;
    int codes[3];
};
constexpr Modifier kModifiers[] = {
    {"ctrl", {0x11, 0xA2, 0xA3}},
    {"shift", {0x10, 0xA0, 0xA1}},
    {"alt", {0x12, 0xA4, 0xA5}},
};

template <std::size_t N>
std::optional<int> CodeOf(const NamedCode (&table)[N], std::string_view name) {
    for (const NamedCode& entry : table) {
        if (name == entry.name) {
            return entry.code;
        }
    }
    return std::nullopt;
}

std::optional<int> KeyCode(std::string_view name) {
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') {
        return name[0];  // letters are their own virtual key codes
    }
    return CodeOf(kKeys, name);
}

// Reads the members of one line's object; the first problem is kept.
class Fields {
public:
    explicit Fields(const Value& object) : object_(object) {}

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    void fail(std::string reason) {
        if (error_.empty()) {
            error_ = std::move(reason);
        }
    }

    bool has(const char* name) const { return object_.HasMember(name); }

    // Every member must be one the line's form knows: a misspelt one would
    // otherwise be dropped without a word.
    void allowOnly(std::initializer_list<const char*> names) {
        for (const auto& m : object_.GetObject()) {
            const std::string_view member(m.name.GetString(), m.name.GetStringLength());
            if (std::none_of(names.begin(), names.end(), [&](const char* n) { return member == n; })) {
                fail("unknown member \"" + std::string(member) + "\"");
                return;
            }
        }
    }

    int integer(const char* name) {
        const Value* v = find(name);
        if (v != nullptr && !v->IsInt()) {
            fail(std::string("\"") + name + "\" must be an integer");
        }
        return v != nullptr && v->IsInt() ? v->GetInt() : 0;
    }

    int positive(const char* name) {
        const int n = integer(name);
        if (ok() && n <= 0) {
            fail(std::string("\"") + name + "\" must be positive");
        }
        return n;
    }

    std::string text(const char* name) {
        const Value* v = find(name);
        if (v != nullptr && !v->IsString()) {
            fail(std::string("\"") + name + "\" must be a string");
        }
        return v != nullptr && v->IsString() ? std::string(v->GetString(), v->GetStringLength()) : std::string();
    }

    bool boolean(const char* name) {
        const Value* v = find(name);
        if (v != nullptr && !v->IsBool()) {
            fail(std::string("\"") + name + "\" must be true or false");
        }
        return v != nullptr && v->IsBool() && v->GetBool();
    }

    const Value* array(const char* name) {
        const Value* v = find(name);
        if (v != nullptr && !v->IsArray()) {
            fail(std::string("\"") + name + "\" must be an array");
            return nullptr;
        }
        return v;
    }

    // An answer is either its value or "cancel": true, never both.
    bool cancelled(const char* valueName) {
        if (!has("cancel")) {
            return false;
        }
        if (!boolean("cancel") && ok()) {
            fail("\"cancel\" must be true");
        }
        if (has(valueName)) {
            fail(std::string("give either \"") + valueName + "\" or \"cancel\"");
        }
        return true;
    }

    // The member itself, for one that may take more than one type.
    const Value* value(const char* name) { return find(name); }

private:
    const Value* find(const char* name) {
        const auto it = object_.FindMember(name);
        if (it == object_.MemberEnd()) {
            fail(std::string("\"") + name + "\" is missing");
            return nullptr;
        }
        return &it->value;
    }

    const Value& object_;
    std::string error_;
};

HeadlessEvent Event(std::int32_t kind) {
    HeadlessEvent e{};
    e.kind = kind;
    return e;
}

HeadlessEvent Pointer(std::int32_t kind, Fields& f) {
    HeadlessEvent e = Event(kind);
    e.x = f.integer("x");
    e.y = f.integer("y");
    return e;
}

void ReadAction(const std::string& action, Fields& f, ScriptStep& step) {
    step.kind = ScriptStep::Kind::Events;
    if (action == "move") {
        f.allowOnly({"do", "x", "y"});
        step.events.push_back(Pointer(kHeadlessMouseMove, f));
    } else if (action == "press" || action == "release" || action == "click") {
        f.allowOnly({"do", "button", "x", "y"});
        const std::string name = f.text("button");
        const std::optional<int> button = CodeOf(kButtons, name);
        if (f.ok() && !button) {
            f.fail("unknown button \"" + name + "\"");
        }
        HeadlessEvent down = Pointer(kHeadlessButtonDown, f);
        down.button = button.value_or(0);
        HeadlessEvent up = down;
        up.kind = kHeadlessButtonUp;
        if (action != "release") {
            step.events.push_back(down);
        }
        if (action != "press") {
            step.events.push_back(up);
        }
    } else if (action == "wheel") {
        f.allowOnly({"do", "delta", "x", "y"});
        HeadlessEvent e = Pointer(kHeadlessWheel, f);
        e.delta = f.integer("delta");
        step.events.push_back(e);
    } else if (action == "key") {
        f.allowOnly({"do", "key"});
        const std::string name = f.text("key");
        const std::optional<int> code = KeyCode(name);
        if (f.ok() && !code) {
            f.fail("unknown key \"" + name + "\"");
        }
        HeadlessEvent e = Event(kHeadlessKeyDown);
        e.key = code.value_or(0);
        step.events.push_back(e);
    } else if (action == "activate") {
        f.allowOnly({"do", "active"});
        HeadlessEvent e = Event(kHeadlessActivate);
        e.active = f.boolean("active") ? 1 : 0;
        step.events.push_back(e);
    } else if (action == "resize") {
        f.allowOnly({"do", "width", "height"});
        HeadlessEvent e = Event(kHeadlessSize);
        e.width = f.positive("width");
        e.height = f.positive("height");
        step.events.push_back(e);
    } else if (action == "hold") {
        f.allowOnly({"do", "keys"});
        step.kind = ScriptStep::Kind::Hold;
        if (const Value* keys = f.array("keys")) {
            for (const Value& k : keys->GetArray()) {
                const auto* modifier = std::find_if(std::begin(kModifiers), std::end(kModifiers), [&](const Modifier& m) {
                    return k.IsString() && std::string_view(k.GetString(), k.GetStringLength()) == m.name;
                });
                if (modifier == std::end(kModifiers)) {
                    f.fail(k.IsString() ? "unknown key \"" + std::string(k.GetString()) + "\" to hold"
                                        : std::string("\"keys\" holds names: ctrl, shift, alt"));
                    break;
                }
                step.heldKeys.insert(step.heldKeys.end(), std::begin(modifier->codes), std::end(modifier->codes));
            }
        }
    } else if (action == "show") {
        f.allowOnly({"do", "instance"});
        step.kind = ScriptStep::Kind::Show;
        step.instance = f.integer("instance");
        if (f.ok() && step.instance < 1) {
            f.fail("\"instance\" counts from 1");
        }
    } else if (action == "getname") {
        f.allowOnly({"do", "section", "index", "value"});
        step.kind = ScriptStep::Kind::GetName;
        step.section = f.integer("section");
        step.index = f.integer("index");
        step.value = f.integer("value");
    } else if (action == "note") {
        f.allowOnly({"do", "key", "colour", "shift"});
        step.kind = ScriptStep::Kind::Note;
        step.key = f.integer("key");
        step.colour = f.integer("colour");
        step.shift = f.has("shift") && f.boolean("shift");
        if (f.ok() && (step.key < 0 || step.key > 127)) {
            f.fail("\"key\" is a note number from 0 to 127");
        } else if (f.ok() && (step.colour < 0 || step.colour > 15)) {
            f.fail("\"colour\" is a note colour from 0 to 15");
        }
    } else if (action == "idle") {
        f.allowOnly({"do"});
        step.kind = ScriptStep::Kind::Idle;
    } else if (action == "snapshot") {
        f.allowOnly({"do", "out"});
        step.kind = ScriptStep::Kind::Snapshot;
        step.path = f.text("out");
        if (f.ok() && step.path.empty()) {
            f.fail("\"out\" must name a file");
        }
    } else {
        f.fail("unknown \"do\": \"" + action + "\"");
    }
}

void ReadAnswer(const std::string& kind, Fields& f, ScriptStep& step) {
    step.kind = ScriptStep::Kind::Answer;
    ScriptAnswer& a = step.answer;
    if (kind == "prompt") {
        f.allowOnly({"answer", "text", "cancel"});
        a.question = Question::Prompt;
        a.cancel = f.cancelled("text");
        if (!a.cancel) {
            a.text = f.text("text");
        }
    } else if (kind == "menu") {
        f.allowOnly({"answer", "id", "cancel"});
        a.question = Question::Menu;
        a.cancel = f.cancelled("id");
        if (!a.cancel) {
            a.id = f.integer("id");
        }
    } else if (kind == "open" || kind == "save") {
        f.allowOnly({"answer", "path", "cancel"});
        a.question = kind == "open" ? Question::Open : Question::Save;
        a.cancel = f.cancelled("path");
        if (!a.cancel) {
            a.text = f.text("path");
        }
    } else if (kind == "messagebox") {
        f.allowOnly({"answer", "result"});
        a.question = Question::MessageBox;
        // A button by name, or the number a message box answers.
        if (const Value* v = f.value("result"); v != nullptr && v->IsInt()) {
            a.result = v->GetInt();
        } else if (v != nullptr && v->IsString()) {
            const std::optional<int> code = CodeOf(kResults, v->GetString());
            if (!code) {
                f.fail("unknown message box result \"" + std::string(v->GetString()) +
                       "\"; use ok, cancel, abort, retry, ignore, yes or no");
            }
            a.result = code.value_or(0);
        } else if (v != nullptr) {
            f.fail("\"result\" must be a button name or an integer");
        }
    } else {
        f.fail("unknown \"answer\": \"" + kind + "\"");
    }
}

std::optional<ScriptStep> ParseLine(std::string_view line, int number, std::string& reason) {
    rapidjson::Document doc;
    doc.Parse(line.data(), line.size());
    if (doc.HasParseError()) {
        reason = std::string("not JSON: ") + rapidjson::GetParseError_En(doc.GetParseError()) + " (at column " +
                 std::to_string(doc.GetErrorOffset() + 1) + ")";
        return std::nullopt;
    }
    if (!doc.IsObject()) {
        reason = "not a JSON object";
        return std::nullopt;
    }
    Fields f(doc);
    ScriptStep step;
    step.line = number;
    const bool action = f.has("do");
    if (action == f.has("answer")) {
        reason = "a line has either \"do\" or \"answer\"";
        return std::nullopt;
    }
    const std::string what = f.text(action ? "do" : "answer");
    if (f.ok()) {
        if (action) {
            ReadAction(what, f, step);
        } else {
            ReadAnswer(what, f, step);
        }
    }
    if (!f.ok()) {
        reason = f.error();
        return std::nullopt;
    }
    return step;
}

}  // namespace

std::optional<std::vector<ScriptStep>> ParseEditorScript(std::string_view text, std::string& error) {
    std::vector<ScriptStep> steps;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.find_first_not_of(" \t\r") == std::string_view::npos) {
            continue;
        }
        std::string reason;
        std::optional<ScriptStep> step = ParseLine(line, number, reason);
        if (!step) {
            error = "script line " + std::to_string(number) + ": " + reason;
            return std::nullopt;
        }
        steps.push_back(std::move(*step));
    }
    return steps;
}

int DismissedMessageBoxResult(int style) {
    switch (style & 0xF) {
        case 1:          // OK, Cancel
        case 3:          // Yes, No, Cancel
        case 5: return 2;  // Retry, Cancel
        case 2: return 3;  // Abort, Retry, Ignore
        case 4: return 7;  // Yes, No
        default: return 1;  // OK alone
    }
}

}  // namespace velmora::host
