#include "host/piano_roll_click.h"

#include <cstdio>

#include "host/editor_session.h"
#include "sdk/plug_constants.h"

namespace velmora::host {

namespace {

// Where the click lands: inside the colour window's columns, below it.
constexpr int kPointerX = 150;
constexpr int kPointerY = 300;
constexpr int kLeftButton = 0x01;
constexpr int kLeftShift = 0xA0;
constexpr int kMiddleC = 60;
constexpr float kCentsPerKey = 100.0f;

void Append(void* context, const char* text, std::size_t length) { static_cast<std::string*>(context)->append(text, length); }

int IndexOf(const EditorHost& host, const TFruityPlug* plug) {
    for (std::size_t i = 0; i < host.instanceCount(); ++i) {
        if (host.instance(static_cast<int>(i)) == plug) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

std::string PianoRollClickTree(bool shift) {
    char tree[1024];
    std::snprintf(tree, sizeof(tree),
                  R"({"windows": [{"id": %ld, "class": "TFruityLoopsMainForm", "rect": [0, 0, 1600, 1000], "client": [8, 30], )"
                  R"("children": [{"class": "TWPControl", "rect": [100, 100, 1100, 700], )"
                  R"("children": [{"class": "TPianoRollForm", "title": "Piano roll -", "rect": [100, 100, 1100, 700], "client": [4, 22], )"
                  R"("children": [{"class": "TWPControl", "rect": [110, 150, 200, 190]}]}]}]}], )"
                  R"("cursor": [%d, %d], "keys": [%d%s]})",
                  static_cast<long>(EditorHost::kMainWindow), kPointerX, kPointerY, kLeftButton, shift ? ", 160" : "");
    static_assert(kLeftShift == 160, "the tree above spells left Shift as 160");
    return tree;
}

bool PlayPianoRollClick(EditorHost& host, TFruityPlug* plug, const HostExtension& extension, const ScriptStep& step,
                        std::string& error) {
    if (extension.setHostWindowTree == nullptr || extension.hostWindowLog == nullptr) {
        error = "the plugin's host extension takes no window tree";
        return false;
    }
    const int instance = IndexOf(host, plug);
    if (instance < 0 || extension.setHostWindowTree(PianoRollClickTree(step.shift).c_str()) == 0) {
        error = "the plugin refused the host's window tree";
        return false;
    }
    const std::intptr_t tag = host.newVoiceTag();
    host.addVoice(tag, {instance, 0, step.colour, 0.0f});
    TVoiceParams params{};
    params.InitLevels = {0.0f, 1.0f, static_cast<float>(step.key - kMiddleC) * kCentsPerKey, 0.0f, 0.0f};
    params.FinalLevels = params.InitLevels;
    const TVoiceHandle handle = plug->TriggerVoice(&params, tag);
    if (handle == 0) {
        host.removeVoice(tag);
    } else {
        // The button comes up: the note ends as the host ends it.
        host.voice(tag).handle = handle;
        plug->Voice_Release(handle);
        host.honourKillRequests();
        if (host.hasVoice(tag)) {
            host.removeVoice(tag);
            plug->Voice_Kill(handle);
        }
    }
    plug->Idle_Public();
    HeadlessEvent paint{};
    paint.kind = kHeadlessPaint;
    extension.editorEvent(plug, &paint);

    std::string log;
    extension.hostWindowLog(&Append, &log);
    host.report(R"({"call":"hostwindows","log":)" + log + "}");
    extension.setHostWindowTree(nullptr);
    return true;
}

}  // namespace velmora::host
