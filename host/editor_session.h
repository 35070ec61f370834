#pragma once
// An instance's editor driven without a display: the host hands the plugin its
// headless services, shows the editor, sends it a script's events and writes
// every call the plugin makes on the host meanwhile as one JSON line.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "host/editor_script.h"
#include "host/reference_host.h"
#include "shared/headless_editor.h"
#include "shared/host_extension.h"

namespace velmora::host {

// The reference host as an editor's user meets it: questions are answered
// from the script's queue, and while recording every call is written out.
class EditorHost final : public ReferenceHost {
public:
    using LineWriter = std::function<void(const std::string& line)>;
    explicit EditorHost(LineWriter write);

    // The handle the host gives its main window (Dispatcher message 46, asked
    // when the first instance starts), the one its window trees use.
    static constexpr std::intptr_t kMainWindow = 1;

    void setRecording(bool on) { recording_ = on; }
    void queue(const ScriptAnswer& answer) { answers_.push_back(answer); }
    void hold(std::vector<int> virtualKeys) { held_ = std::move(virtualKeys); }
    // The services handed to the plugin; lives as long as this host.
    const HeadlessHost* headless() const { return &headless_; }
    // A line of the host's own among the recorded calls.
    void report(const std::string& line) const { write(line); }

    std::intptr_t Dispatcher(TPluginTag Sender, std::intptr_t ID, std::intptr_t Index, std::intptr_t Value) override;
    void OnParamChanged(TPluginTag Sender, int Index, int Value) override;
    void OnHint(TPluginTag Sender, char* Text) override;
    void MIDIOut(TPluginTag Sender, std::intptr_t Msg) override;
    BOOL PromptEdit(int x, int y, char* Caption, char* Text, int& Colour) override;

private:
    static void WindowResized(void* context, int width, int height);
    static int KeyHeld(void* context, int virtualKey);
    static int Menu(void* context, const HeadlessMenuEntry* entries, int count);
    static int FileDialog(void* context, int save, const char* title, const char* filter, char* path, int pathSize);
    // The first queued answer to this kind of question, taken off the queue.
    std::optional<ScriptAnswer> answer(Question question);
    void write(const std::string& line) const;
    std::intptr_t answerDispatcher(TPluginTag sender, std::intptr_t id, std::intptr_t index, std::intptr_t value);

    LineWriter write_;
    bool recording_ = false;
    std::deque<ScriptAnswer> answers_;
    std::vector<int> held_;
    HeadlessHost headless_{};
};

// The length of the text buffer a prompt hands the host, terminator included.
inline constexpr std::size_t kPromptTextSize = 256;

// Whether the table has what driving an editor needs; a one-line reason if not.
bool HasEditorEntries(const HostExtension& extension, std::string& error);

// Editors from show to hide: the constructor hands the plugin the host's
// services and shows the first instance's editor; a script's show step shows
// another, which takes the events from then on. The destructor hides every
// editor shown and takes the services back. The host records the calls in
// between.
class EditorSession {
public:
    EditorSession(EditorHost& host, TFruityPlug* plug, const HostExtension& extension);
    // The instances a show step may name, 1-based; by default the first plug only.
    void setInstances(std::vector<TFruityPlug*> instances) { instances_ = std::move(instances); }
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // False when the plugin refused the host's services; nothing was shown.
    bool ok() const { return shown_; }

    // Runs the steps in order; stops at a snapshot that cannot be written and
    // says so in error.
    bool run(const std::vector<ScriptStep>& steps, std::string& error);
    bool snapshot(const std::string& pngPath);

private:
    void show(TFruityPlug* plug);
    void getName(const ScriptStep& step);

    EditorHost& host_;
    TFruityPlug* plug_;  // the editor that takes the events
    std::vector<TFruityPlug*> instances_;
    std::vector<TFruityPlug*> shown_editors_;
    const HostExtension& extension_;
    bool shown_ = false;
};

}  // namespace velmora::host
