#pragma once
// A host's window tree, made on the test's own connection, and the platform's
// host-window service looking at it through the desktop's display:
//
//   main "HostMain" "Session - Velmora"        (40,30) 400x300
//     container "HostContainer" "container"    (10,20) 380x260
//       channels "HostForm" "Channel rack"     (200,10) 100x50
//       roll "HostForm" "Piano roll - Velmora"  (5,6) 300x200, border 2, on top
//         swatch "HostSwatch"                   (7,9) 20x10, painted kSwatchColour
//   other "HostMain" "Second session"          (600,30) 100x100, above main
//   popup "TQuickPopupMenuWindow"              (500,200) 120x164, override-redirect,
//     mark                                      (37,2) 10x1 kMarkColour: row 2 holds it
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "tests/support/x11_server.h"

namespace velmora::test {

inline HWND Handle(xcb_window_t id) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id)); }

class X11HostWindowsTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kMainColour = 0x202020;
    static constexpr std::uint32_t kContainerColour = 0x303030;
    static constexpr std::uint32_t kRollColour = 0x404040;
    static constexpr std::uint32_t kSwatchColour = 0x336699;
    static constexpr std::uint32_t kPopupColour = 0xF0F0F0;
    static constexpr std::uint32_t kMarkColour = 0x9ED1A5;
    static constexpr int kMarkX = 37;
    static constexpr int kMarkWidth = 10;
    static constexpr int kPopupHeight = 164;

    struct WindowPlan {
        xcb_window_t parent = XCB_NONE;
        int x = 0;
        int y = 0;
        int width = 1;
        int height = 1;
        std::uint32_t colour = 0;
        std::string_view className = {};  // empty: no WM_CLASS at all
        std::string_view title = {};      // empty: no WM_NAME
        int border = 0;
        bool overrideRedirect = false;
        bool mapped = true;
        std::uint32_t events = 0;
    };

    void SetUp() override {
        VELMORA_REQUIRE_X_SERVER(server);
        mainWindow = Make({.parent = server.root(), .x = 40, .y = 30, .width = 400, .height = 300, .colour = kMainColour,
                     .className = "HostMain", .title = "Session - Velmora"});
        container = Make({.parent = mainWindow, .x = 10, .y = 20, .width = 380, .height = 260, .colour = kContainerColour,
                          .className = "HostContainer", .title = "container"});
        channels = Make({.parent = container, .x = 200, .y = 10, .width = 100, .height = 50, .colour = kContainerColour,
                         .className = "HostForm", .title = "Channel rack"});
        roll = Make({.parent = container, .x = 5, .y = 6, .width = 300, .height = 200, .colour = kRollColour, .className = "HostForm",
                     .title = "Piano roll - Velmora", .border = 2,
                     .events = XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_BUTTON_PRESS |
                               XCB_EVENT_MASK_BUTTON_RELEASE});
        swatch = Make({.parent = roll, .x = 7, .y = 9, .width = 20, .height = 10, .colour = kSwatchColour, .className = "HostSwatch"});
        other = Make({.parent = server.root(), .x = 600, .y = 30, .width = 100, .height = 100, .colour = kMainColour,
                      .className = "HostMain", .title = "Second session"});
        popup = Make({.parent = server.root(), .x = 500, .y = 200, .width = 120, .height = kPopupHeight, .colour = kPopupColour,
                      .className = "TQuickPopupMenuWindow", .overrideRedirect = true});
        mark = Make({.parent = popup, .x = kMarkX, .y = 2, .width = kMarkWidth, .height = 1, .colour = kMarkColour});
        server.sync();

        std::string error;
        ASSERT_TRUE(platform.openDesktop(nullptr, error)) << error;
        windows = &platform.hostWindows();
    }

    // A window as `plan` says, with its labels; mapped unless told otherwise.
    xcb_window_t Make(const WindowPlan& plan) {
        xcb_connection_t* c = server.connection;
        const xcb_window_t id = xcb_generate_id(c);
        // Value order follows the mask bits: back pixel, override-redirect, event mask.
        const std::uint32_t values[] = {plan.colour, plan.overrideRedirect ? 1U : 0U, plan.events};
        xcb_create_window(c, XCB_COPY_FROM_PARENT, id, plan.parent, static_cast<std::int16_t>(plan.x), static_cast<std::int16_t>(plan.y),
                          static_cast<std::uint16_t>(plan.width), static_cast<std::uint16_t>(plan.height),
                          static_cast<std::uint16_t>(plan.border), XCB_WINDOW_CLASS_INPUT_OUTPUT, server.screen->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
        if (!plan.className.empty()) {
            SetClass(id, plan.className);
        }
        if (!plan.title.empty()) {
            SetProperty(id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, plan.title);
        }
        if (plan.mapped) {
            xcb_map_window(c, id);
        }
        server.sync();
        return id;
    }
    void SetClass(xcb_window_t id, std::string_view className) {
        std::string value = "velmora-host";
        value += '\0';
        value += className;
        value += '\0';
        SetProperty(id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, value);
    }
    void SetProperty(xcb_window_t id, xcb_atom_t property, xcb_atom_t type, std::string_view value) {
        xcb_change_property(server.connection, XCB_PROP_MODE_REPLACE, id, property, type, 8, static_cast<std::uint32_t>(value.size()),
                            value.data());
        server.sync();
    }
    xcb_atom_t Atom(std::string_view name) {
        XReply<xcb_intern_atom_reply_t> r(
            xcb_intern_atom_reply(server.connection,
                                  xcb_intern_atom(server.connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr),
            &std::free);
        return r ? r->atom : XCB_NONE;
    }

    // Everything the service sent so far has been carried out: a round trip
    // on its connection (the server orders requests within one only).
    void ServiceSync() { (void)windows->cursorPosition(); }

    X11Server server;
    platform::Platform platform;
    const platform::HostWindows* windows = nullptr;
    xcb_window_t mainWindow = XCB_NONE;
    xcb_window_t container = XCB_NONE;
    xcb_window_t channels = XCB_NONE;
    xcb_window_t roll = XCB_NONE;
    xcb_window_t swatch = XCB_NONE;
    xcb_window_t other = XCB_NONE;
    xcb_window_t popup = XCB_NONE;
    xcb_window_t mark = XCB_NONE;
};

}  // namespace velmora::test
