#pragma once
// What the reference host may ask of an instance beyond the SDK interface: a
// table of C functions that the plugin hands out for a private Dispatcher id.
// The host checks version and size before it uses a single entry, so a plugin
// built with another layout is refused instead of called wrongly. Interface
// thread only.
#include <cstddef>
#include <cstdint>

#include "shared/headless_editor.h"

class TFruityPlug;

namespace velmora {

// Dispatcher(kDispatcherHostExtension, 0, 0) answers the table's address, or 0
// from a plugin that has none.
inline constexpr std::intptr_t kDispatcherHostExtension = 0x5A564D58;  // private: no host message uses it
inline constexpr std::uint32_t kHostExtensionVersion = 5;

// Receives text in pieces; the pieces are valid only during the call.
using HostExtensionWriter = void (*)(void* context, const char* text, std::size_t length);

extern "C" {

struct HostExtension {
    std::uint32_t version;  // kHostExtensionVersion of the plugin's build
    std::uint32_t size;     // sizeof(HostExtension) of the plugin's build

    // Every entry takes an instance created by the same plugin library and
    // answers 1 on success, 0 on failure; none throws.

    // Port and channel as a session sets them at creation; a negative value
    // leaves that one as it is.
    int (*setPortChannel)(TFruityPlug* plug, int port, int channel);
    // An option by its JSON API key; 0 for a key the plugin does not know.
    int (*setOption)(TFruityPlug* plug, const char* apiKey, int on);
    // Replaces the articulations with an articulation set file's; 1 once the
    // import ran (the plugin tells the user itself what it found).
    int (*importArticulations)(TFruityPlug* plug, const char* path);
    int (*exportArticulations)(TFruityPlug* plug, const char* path);
    // Replaces the articulations with an instrument's, through the importer
    // library; keyswitch 1 asks for keyswitch numbering. Answers how many
    // articulations the library delivered (0 for none).
    int (*importInstrument)(TFruityPlug* plug, const char* path, int keyswitch);
    // The articulation set file's text of the instance's articulations.
    int (*articulationSetText)(TFruityPlug* plug, HostExtensionWriter write, void* context);
    // The JSON listing of the instances, as the HTTP API lists them.
    int (*listInstances)(TFruityPlug* const* plugs, int count, HostExtensionWriter write, void* context);

    // A host without a window system. It hands the plugin its services once
    // (process-wide; null takes them back), shows an editor with the SDK's
    // show-editor message and any non-null parent handle of its own, then
    // sends that editor window its events.
    int (*setHeadlessHost)(const HeadlessHost* host);
    // Delivers one event to the instance's editor window, then paints what the
    // event marked for painting (as a message loop does once its queue is
    // empty). kHeadlessPaint only paints. Answers whether the editor took it.
    int (*editorEvent)(TFruityPlug* plug, const HeadlessEvent* event);
    // The editor window's size in pixels.
    int (*editorSize)(TFruityPlug* plug, int* width, int* height);
    // Paints what is pending and writes the editor window's picture as PNG.
    int (*editorSnapshot)(TFruityPlug* plug, const char* pngPath);

    // A host with a window system (X11). The plugin opens its own connection
    // to the display (null: $DISPLAY; process-wide, once) and writes the
    // connection's file descriptor; from then on its editors are X11 windows,
    // children of the window id the show-editor message carries, the hidden
    // editors of instances that already exist included. Call it before any
    // playback starts. Answers 0 when the display cannot be opened.
    int (*openDesktop)(const char* display, int* fileDescriptor);
    // Handles every event pending on that descriptor and paints what is marked
    // for painting. The host calls it whenever the descriptor is readable and
    // after each idle call. Answers 0 once the connection is gone.
    int (*desktopDispatch)();

    // A host without a window system describes its own windows (main window,
    // containers, piano rolls, colour window and pop-up, plugin forms), the
    // pointer and the keys held, as a JSON window tree (the format of
    // platform/scripted_host_windows.h); the piano-roll integration finds and
    // drives those instead of a desktop's. Null takes the tree back. Answers
    // 0 for a description that cannot be read.
    int (*setHostWindowTree)(const char* json);
    // What the plugin did to that tree since the last call: one JSON array of
    // the synthetic inputs (pointer moves, button and key presses, window
    // moves) and the debug output lines, in order, written through `write`.
    int (*hostWindowLog)(HostExtensionWriter write, void* context);

    // A host that runs the HTTP API may sleep on this descriptor between idle
    // calls instead of calling them at a fixed pace: it turns readable
    // whenever the next idle call has a connection to accept, a request to
    // read or a response to send. The idle call itself never waits. Writes -1
    // and answers 0 while no server runs; the descriptor changes when the
    // server is started again, so ask before each wait.
    int (*serverDescriptor)(int* fileDescriptor);
};

}  // extern "C"

}  // namespace velmora
