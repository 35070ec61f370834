#pragma once
// The host object of the desktop: every call the plugin makes on its host
// reaches the desktop through a listener, on the interface thread (the GTK
// main thread). Knows no toolkit, so its routing is plain C++.
#include <cstdint>
#include <optional>
#include <string>

#include "host/reference_host.h"

namespace velmora::host {

// What the desktop does with the plugin's calls; instances by index (0-based).
class DesktopListener {
public:
    virtual ~DesktopListener() = default;
    virtual void renamed(int instance, const std::string& name) = 0;        // message 10
    virtual void editorResized(int instance) = 0;                          // message 2
    virtual void closeEditor(int instance) = 0;                            // message 53
    virtual void namesChanged(int instance, std::intptr_t what) = 0;       // message 3
    virtual void statusText(int instance, const std::string& text) = 0;    // message 22
    virtual void stateChanged(int instance) = 0;                           // message 48
    // The user chose an entry of the host's parameter menu, and the host ran it.
    virtual void paramMenuRan(int instance, int parameter, const std::string& entry) = 0;
    virtual void hint(int instance, const std::string& text) = 0;
    virtual void midiOut(int instance, std::uint32_t word) = 0;
    // The text entered, or nullopt when cancelled.
    virtual std::optional<std::string> prompt(const std::string& caption, const std::string& text) = 0;
    // The button chosen, as the SDK numbers them (1 OK ... 7 No).
    virtual int messageBox(int instance, const std::string& text, int style) = 0;
};

class DesktopHost final : public ReferenceHost {
public:
    explicit DesktopHost(DesktopListener& listener) : listener_(listener) { echoMessages = false; }

    // The answer to the plugin's question for the host's main window.
    void setMainWindow(std::intptr_t window) { mainWindow_ = window; }

    std::intptr_t Dispatcher(TPluginTag Sender, std::intptr_t ID, std::intptr_t Index, std::intptr_t Value) override;
    void OnHint(TPluginTag Sender, char* Text) override;
    void MIDIOut(TPluginTag Sender, std::intptr_t Msg) override;
    BOOL PromptEdit(int x, int y, char* Caption, char* Text, int& Colour) override;

private:
    // The instance index a tag names, or -1.
    int indexOf(TPluginTag tag) const;

    DesktopListener& listener_;
    std::intptr_t mainWindow_ = 0;
};

}  // namespace velmora::host
