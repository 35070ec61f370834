#pragma once
// How a host without a window system drives an editor: it gives the plugin a
// table of its own services (where a desktop host has a display), and sends
// the editor window the events a window system would. Plain C layouts so the
// host needs none of the plugin's classes. Interface thread only.
#include <cstdint>

namespace velmora {

extern "C" {

// One window-system message for an editor window; positions in window pixels.
struct HeadlessEvent {
    std::int32_t kind;    // HeadlessEventKind
    std::int32_t x;
    std::int32_t y;
    std::int32_t button;  // 1 left, 2 right, 3 middle
    std::int32_t delta;   // wheel: multiples of 120
    std::int32_t key;     // key down: virtual key code
    std::int32_t active;  // activate: 1 or 0
    std::int32_t width;   // size: the window's new size
    std::int32_t height;
};

enum HeadlessEventKind : std::int32_t {
    kHeadlessMouseMove = 1,
    kHeadlessButtonDown = 2,
    kHeadlessButtonUp = 3,
    kHeadlessWheel = 4,
    kHeadlessKeyDown = 5,
    kHeadlessActivate = 6,
    kHeadlessSize = 7,
    kHeadlessPaint = 8,  // no message: paints what is marked for painting
};

// One entry of a pop-up menu; text is UTF-8 (null for a separator).
struct HeadlessMenuEntry {
    std::int32_t id;
    const char* text;
    std::int32_t separator;
    std::int32_t greyed;
    std::int32_t ticked;
};

// The host's side: what the plugin's windows tell it and ask of it. Entries
// may be null; `size` says which entries a host built with an older layout has.
struct HeadlessHost {
    std::uint32_t size;  // sizeof(HeadlessHost) of the host's build
    void* context;
    // An editor window changed its own size (window pixels).
    void (*windowResized)(void* context, int width, int height);
    // Whether a key is held down now, by virtual key code (the modifier keys:
    // 0x10 shift, 0x11 control, 0x12 alt and their left/right codes 0xA0-0xA5).
    int (*keyHeld)(void* context, int virtualKey);
    // A pop-up menu at the cursor: the chosen entry's id, 0 when dismissed.
    int (*menu)(void* context, const HeadlessMenuEntry* entries, int count);
    // An open (save 0) or save (save 1) dialog: the chosen path is written,
    // terminated, into path (pathSize bytes) and 1 answered; 0 when cancelled.
    int (*fileDialog)(void* context, int save, const char* title, const char* filter, char* path, int pathSize);
};

}  // extern "C"

}  // namespace velmora
