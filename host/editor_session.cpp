#include "host/editor_session.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <cstring>

#include "host/piano_roll_click.h"
#include "host/valid_utf8.h"
#include "sdk/plug_constants.h"

namespace velmora::host {

namespace {

// One call as a JSON object: the call's name first, then its members.
class CallLine {
public:
    explicit CallLine(const char* call) : writer_(buffer_) {
        writer_.StartObject();
        writer_.Key("call");
        writer_.String(call);
    }
    CallLine& text(const char* key, const char* value) {
        const std::string valid = ValidUtf8(value);
        writer_.Key(key);
        writer_.String(valid.c_str(), static_cast<rapidjson::SizeType>(valid.size()));
        return *this;
    }
    CallLine& entries(const HeadlessMenuEntry* entries, int count) {
        writer_.Key("entries");
        writer_.StartArray();
        for (int i = 0; i < count; ++i) {
            const HeadlessMenuEntry& e = entries[i];
            const std::string valid = ValidUtf8(e.text);
            writer_.StartObject();
            writer_.Key("id");
            writer_.Int(e.id);
            writer_.Key("text");
            writer_.String(valid.c_str(), static_cast<rapidjson::SizeType>(valid.size()));
            writer_.Key("separator");
            writer_.Bool(e.separator != 0);
            writer_.Key("greyed");
            writer_.Bool(e.greyed != 0);
            writer_.Key("ticked");
            writer_.Bool(e.ticked != 0);
            writer_.EndObject();
        }
        writer_.EndArray();
        return *this;
    }
    CallLine& number(const char* key, std::int64_t value) {
        writer_.Key(key);
        writer_.Int64(value);
        return *this;
    }
    std::string finish() {
        writer_.EndObject();
        return std::string(buffer_.GetString(), buffer_.GetSize());
    }

private:
    rapidjson::StringBuffer buffer_;
    rapidjson::Writer<rapidjson::StringBuffer> writer_;
};

// Messages whose value is a text; the pointer itself says nothing.
bool CarriesText(std::intptr_t id) {
    return id == plug::FHD_SetInstanceName || id == plug::FHD_StatusText || id == plug::FHD_DebugLogMsg;
}

}  // namespace

EditorHost::EditorHost(LineWriter write) : write_(std::move(write)) {
    headless_.size = sizeof(HeadlessHost);
    headless_.context = this;
    headless_.windowResized = &EditorHost::WindowResized;
    headless_.keyHeld = &EditorHost::KeyHeld;
    headless_.menu = &EditorHost::Menu;
    headless_.fileDialog = &EditorHost::FileDialog;
}

void EditorHost::write(const std::string& line) const {
    if (recording_) {
        write_(line);
    }
}

std::optional<ScriptAnswer> EditorHost::answer(Question question) {
    const auto it = std::find_if(answers_.begin(), answers_.end(),
                                 [&](const ScriptAnswer& a) { return a.question == question; });
    if (it == answers_.end()) {
        return std::nullopt;
    }
    ScriptAnswer a = *it;
    answers_.erase(it);
    return a;
}

std::intptr_t EditorHost::answerDispatcher(TPluginTag sender, std::intptr_t id, std::intptr_t index, std::intptr_t value) {
    if (id == plug::FHD_GetMainWindow) {
        return kMainWindow;
    }
    return ReferenceHost::Dispatcher(sender, id, index, value);
}

std::intptr_t EditorHost::Dispatcher(TPluginTag sender, std::intptr_t id, std::intptr_t index, std::intptr_t value) {
    if (!recording_) {
        return answerDispatcher(sender, id, index, value);
    }
    if (id == plug::FHD_MessageBox) {
        const auto* text = reinterpret_cast<const char*>(index);
        write(CallLine("messagebox").text("text", text).number("style", value).finish());
        const std::optional<ScriptAnswer> a = answer(Question::MessageBox);
        return a ? a->result : DismissedMessageBoxResult(static_cast<int>(value));
    }
    CallLine line("dispatcher");
    line.number("id", id).number("index", index);
    if (CarriesText(id) && value != 0) {
        line.text("text", reinterpret_cast<const char*>(value));
    } else {
        line.number("value", value);
    }
    write(line.finish());
    return answerDispatcher(sender, id, index, value);
}

void EditorHost::OnParamChanged(TPluginTag sender, int index, int value) {
    write(CallLine("param").number("index", index).number("value", value).finish());
    ReferenceHost::OnParamChanged(sender, index, value);
}

void EditorHost::OnHint(TPluginTag sender, char* text) {
    write(CallLine("hint").text("text", text).finish());
    ReferenceHost::OnHint(sender, text);
}

void EditorHost::MIDIOut(TPluginTag sender, std::intptr_t msg) {
    const auto word = static_cast<std::uint32_t>(msg);
    write(CallLine("midi")
              .number("port", (word >> 24) & 0xFF)
              .number("status", word & 0xFF)
              .number("data1", (word >> 8) & 0xFF)
              .number("data2", (word >> 16) & 0xFF)
              .finish());
    ReferenceHost::MIDIOut(sender, msg);
}

BOOL EditorHost::PromptEdit(int, int, char* caption, char* text, int&) {
    write(CallLine("prompt").text("caption", caption).text("text", text).finish());
    const std::optional<ScriptAnswer> a = answer(Question::Prompt);
    if (!a || a->cancel || text == nullptr) {
        return 0;
    }
    const std::size_t length = std::min(a->text.size(), kPromptTextSize - 1);
    std::memcpy(text, a->text.data(), length);
    text[length] = '\0';
    return 1;
}

void EditorHost::WindowResized(void* context, int width, int height) {
    static_cast<EditorHost*>(context)->write(CallLine("resize").number("width", width).number("height", height).finish());
}

int EditorHost::Menu(void* context, const HeadlessMenuEntry* entries, int count) {
    auto& host = *static_cast<EditorHost*>(context);
    host.write(CallLine("menu").entries(entries, entries != nullptr ? count : 0).finish());
    const std::optional<ScriptAnswer> a = host.answer(Question::Menu);
    return a && !a->cancel ? a->id : 0;
}

int EditorHost::FileDialog(void* context, int save, const char* title, const char* filter, char* path, int pathSize) {
    auto& host = *static_cast<EditorHost*>(context);
    host.write(CallLine(save != 0 ? "save" : "open").text("title", title).text("filter", filter).finish());
    const std::optional<ScriptAnswer> a = host.answer(save != 0 ? Question::Save : Question::Open);
    if (!a || a->cancel || path == nullptr || pathSize <= 0 || a->text.size() >= static_cast<std::size_t>(pathSize)) {
        return 0;
    }
    std::memcpy(path, a->text.c_str(), a->text.size() + 1);
    return 1;
}

int EditorHost::KeyHeld(void* context, int virtualKey) {
    const std::vector<int>& held = static_cast<EditorHost*>(context)->held_;
    return std::find(held.begin(), held.end(), virtualKey) != held.end() ? 1 : 0;
}

bool HasEditorEntries(const HostExtension& extension, std::string& error) {
    if (extension.setHeadlessHost == nullptr || extension.editorEvent == nullptr || extension.editorSize == nullptr ||
        extension.editorSnapshot == nullptr) {
        error = "the plugin's host extension has no headless editor";
        return false;
    }
    return true;
}

EditorSession::EditorSession(EditorHost& host, TFruityPlug* plug, const HostExtension& extension)
    : host_(host), plug_(plug), extension_(extension) {
    if (extension_.setHeadlessHost(host_.headless()) == 0) {
        return;
    }
    shown_ = true;
    host_.setRecording(true);
    instances_ = {plug_};
    show(plug_);
}

void EditorSession::show(TFruityPlug* plug) {
    plug_ = plug;
    if (std::find(shown_editors_.begin(), shown_editors_.end(), plug) == shown_editors_.end()) {
        shown_editors_.push_back(plug);
    }
    // The editor needs a parent it can tell from "hide"; the host object will do.
    plug->Dispatcher(plug::FPD_ShowEditor, 0, reinterpret_cast<std::intptr_t>(&host_));
}

EditorSession::~EditorSession() {
    if (shown_) {
        for (TFruityPlug* plug : shown_editors_) {
            plug->Dispatcher(plug::FPD_ShowEditor, 0, 0);
        }
        host_.setRecording(false);
    }
    extension_.setHeadlessHost(nullptr);
}

bool EditorSession::snapshot(const std::string& pngPath) { return extension_.editorSnapshot(plug_, pngPath.c_str()) != 0; }

void EditorSession::getName(const ScriptStep& step) {
    // A first byte no name starts with tells "wrote nothing" from an empty name.
    char name[plug::kNameBufferSize] = {'\x01', '\0'};
    plug_->GetName(step.section, step.index, step.value, name);
    name[sizeof(name) - 1] = '\0';
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    w.StartObject();
    w.Key("name");
    if (name[0] == '\x01' && name[1] == '\0') {
        w.Null();
    } else {
        const std::string valid = ValidUtf8(name);
        w.String(valid.c_str(), static_cast<rapidjson::SizeType>(valid.size()));
    }
    w.EndObject();
    host_.report(std::string(buffer.GetString(), buffer.GetSize()));
}

bool EditorSession::run(const std::vector<ScriptStep>& steps, std::string& error) {
    for (const ScriptStep& step : steps) {
        switch (step.kind) {
            case ScriptStep::Kind::Events:
                for (const HeadlessEvent& e : step.events) {
                    extension_.editorEvent(plug_, &e);
                }
                break;
            case ScriptStep::Kind::Hold: host_.hold(step.heldKeys); break;
            case ScriptStep::Kind::Idle: {
                plug_->Idle_Public();
                HeadlessEvent paint{};
                paint.kind = kHeadlessPaint;
                extension_.editorEvent(plug_, &paint);
                break;
            }
            case ScriptStep::Kind::Snapshot:
                if (!snapshot(step.path)) {
                    error = "script line " + std::to_string(step.line) + ": the editor's picture could not be written to " +
                            step.path;
                    return false;
                }
                break;
            case ScriptStep::Kind::Answer: host_.queue(step.answer); break;
            case ScriptStep::Kind::Show:
                if (static_cast<std::size_t>(step.instance) > instances_.size()) {
                    error = "script line " + std::to_string(step.line) + ": the session has no instance " +
                            std::to_string(step.instance);
                    return false;
                }
                show(instances_[static_cast<std::size_t>(step.instance - 1)]);
                break;
            case ScriptStep::Kind::GetName: getName(step); break;
            case ScriptStep::Kind::Note:
                if (!PlayPianoRollClick(host_, plug_, extension_, step, error)) {
                    error = "script line " + std::to_string(step.line) + ": " + error;
                    return false;
                }
                break;
        }
    }
    return true;
}

}  // namespace velmora::host
