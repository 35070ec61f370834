// The desktop's pop-up menus on a real X server (Xvfb): a menu runs its modal
// loop on one connection while a second client plays the user through XTEST.
#include <X11/keysym.h>
#include <cairo-xcb.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/src/ui/x11/popup_menu_colours.h"
#include "platform/src/ui/x11/popup_menu_events.h"
#include "platform/src/ui/x11/popup_menu_layout.h"
#include "platform/src/ui/x11/popup_menus.h"
#include "platform/ui/bitmap.h"
#include "x11_input_driver.h"

namespace platform::ui::x11 {
namespace {

using namespace std::chrono_literals;
namespace colours = menu_colours;

constexpr auto kPatience = 5s;

MenuEntry Item(int id, std::string text, bool greyed = false, bool ticked = false) {
    MenuEntry e;
    e.id = id;
    e.text = std::move(text);
    e.greyed = greyed;
    e.ticked = ticked;
    return e;
}

MenuEntry Separator() {
    MenuEntry e;
    e.id = 90;
    e.separator = true;
    return e;
}

// A row's centre on the screen.
Point Centre(const ShownMenu& m, int row) {
    const Rect& r = m.rows[static_cast<std::size_t>(row)];
    return {m.onScreen.left + (r.left + r.right) / 2, m.onScreen.top + (r.top + r.bottom) / 2};
}

Point OffTheMenu(const ShownMenu& m) { return {m.onScreen.right + 40, m.onScreen.bottom + 40}; }

// Cairo keeps a device per xcb connection, found by its address; the next
// connection may get the same address, so the device goes before the
// connection does, as the desktop's own must.
void FinishCairo(const Connection& c) {
    if (c.visual == nullptr) {
        return;
    }
    cairo_surface_t* probe = cairo_xcb_surface_create(c.connection, c.screen->root, c.visual, 1, 1);
    cairo_device_finish(cairo_surface_get_device(probe));
    cairo_surface_destroy(probe);
}

using Play = std::function<void(X11InputDriver&, const ShownMenu&)>;

class X11PopupMenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!VELMORA_HAVE_XVFB_RUN) {
            GTEST_SKIP() << "xvfb-run is not installed: the pop-up menu tests need a server of their own";
        }
        ASSERT_TRUE(driver.error().empty()) << driver.error();
        int screenNumber = 0;
        menuSide.connection = xcb_connect(nullptr, &screenNumber);
        ASSERT_EQ(xcb_connection_has_error(menuSide.connection), 0);
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(menuSide.connection));
        for (int i = 0; i < screenNumber; ++i) {
            xcb_screen_next(&it);
        }
        menuSide.screen = it.data;
        for (auto d = xcb_screen_allowed_depths_iterator(menuSide.screen); d.rem > 0; xcb_depth_next(&d)) {
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v)) {
                if (v.data->visual_id == menuSide.screen->root_visual) {
                    menuSide.visual = v.data;
                }
            }
        }
        ASSERT_NE(menuSide.visual, nullptr);
    }

    void TearDown() override {
        for (xcb_generic_event_t* e : menuSide.deferred) {
            std::free(e);
        }
        menuSide.deferred.clear();
        if (menuSide.connection != nullptr) {
            FinishCairo(menuSide);
            xcb_disconnect(menuSide.connection);
        }
    }

    // Opens a menu with the pointer at `pointer` (and `held` held down as it
    // opens), plays `play` once the menu takes input and answers what track()
    // returned. After every menu its window must be gone and the pointer
    // free for other clients.
    int Run(const std::vector<MenuEntry>& entries, Point pointer, const Play& play, int held = 0) {
        driver.moveTo(pointer);
        if (held != 0) {
            driver.press(held);
        }
        driver.sync();
        X11PopupMenus menus(menuSide);
        std::promise<ShownMenu> shownPromise;
        std::future<ShownMenu> shown = shownPromise.get_future();
        menus.watchShown([&](const ShownMenu& m) { shownPromise.set_value(m); });
        std::future<int> chosen = std::async(std::launch::async, [&] { return menus.track(entries); });
        if (shown.wait_for(kPatience) != std::future_status::ready) {
            ADD_FAILURE() << "the menu did not show";
            return chosen.get();
        }
        shownMenu = shown.get();
        play(driver, shownMenu);
        driver.sync();
        if (chosen.wait_for(kPatience) != std::future_status::ready) {
            ADD_FAILURE() << "the menu is still open";
            driver.tap(XK_Escape);
            driver.sync();
        }
        const int id = chosen.get();
        EXPECT_TRUE(driver.overrideRedirectWindows().empty()) << "the menu's window outlived the menu";
        EXPECT_TRUE(driver.pointerFree()) << "the menu kept its grab";
        return id;
    }

    // A mapped window of the menu's own client at the screen's top-left, as
    // an editor would be, once it has had its first exposure.
    xcb_window_t EditorWindow(std::uint32_t eventMask) {
        xcb_connection_t* c = menuSide.connection;
        const xcb_window_t window = xcb_generate_id(c);
        const std::uint32_t values[] = {eventMask | XCB_EVENT_MASK_EXPOSURE};
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window, menuSide.screen->root, 0, 0, 700, 500, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, values);
        xcb_map_window(c, window);
        xcb_flush(c);
        while (xcb_generic_event_t* e = xcb_wait_for_event(c)) {
            const bool exposed = (e->response_type & 0x7F) == XCB_EXPOSE;
            std::free(e);
            if (exposed) {
                break;
            }
        }
        return window;
    }

    // What the menu's client has received and not handled: the deferred
    // events, then everything the server has sent so far.
    std::vector<xcb_generic_event_t*> Pending() {
        xcb_connection_t* c = menuSide.connection;
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            menuSide.deferred.push_back(e);
        }
        return {menuSide.deferred.begin(), menuSide.deferred.end()};
    }

    // Reads the open menu until `point` shows `colour` (the menu paints on
    // its own thread); the last image read.
    Bitmap WaitForColour(const ShownMenu& m, Point point, Colour colour) {
        const Rect area{0, 0, m.onScreen.width(), m.onScreen.height()};
        Bitmap image;
        for (auto until = std::chrono::steady_clock::now() + kPatience; std::chrono::steady_clock::now() < until;) {
            image = driver.image(m.window, area);
            if (!image.empty() && (image.at(point.x, point.y) & 0xFFFFFFu) == colour) {
                break;
            }
            std::this_thread::sleep_for(20ms);
        }
        return image;
    }

    X11InputDriver driver;
    Connection menuSide;
    ShownMenu shownMenu;
};

const Point kPointer{200, 150};

const std::vector<MenuEntry> kFour = {Item(11, "Cut"), Item(12, "Copy"), Item(13, "Paste"), Item(14, "Delete")};
// 0 Assign, 1 separator, 2 Rename (greyed), 3 Swap, 4 Lock.
const std::vector<MenuEntry> kMixed = {Item(21, "Assign"), Separator(), Item(22, "Rename", true), Item(23, "Swap"),
                                       Item(24, "Lock")};

struct RunCase {
    const char* name;
    const std::vector<MenuEntry>& entries;
    int held;
    Play play;
    int expected;
};

TEST_F(X11PopupMenusTest, InputChoosesOrDismisses) {
    using D = X11InputDriver;
    const std::vector<RunCase> cases = {
        {"a click on the third entry chooses it", kFour, 0, [](D& d, const ShownMenu& m) { d.click(Centre(m, 2)); },
         13},
        {"Escape dismisses", kFour, 0, [](D& d, const ShownMenu&) { d.tap(XK_Escape); }, 0},
        {"a click off the menu dismisses", kFour, 0, [](D& d, const ShownMenu& m) { d.click(OffTheMenu(m)); }, 0},
        {"Down Down Return skips the separator and the greyed entry", kMixed, 0,
         [](D& d, const ShownMenu&) {
             d.tap(XK_Down);
             d.tap(XK_Down);
             d.tap(XK_Return);
         },
         23},
        {"End and keypad Enter choose the last", kMixed, 0,
         [](D& d, const ShownMenu&) {
             d.tap(XK_End);
             d.tap(XK_KP_Enter);
         },
         24},
        {"Up from nothing then Home and space choose the first", kMixed, 0,
         [](D& d, const ShownMenu&) {
             d.tap(XK_Up);
             d.tap(XK_Home);
             d.tap(XK_space);
         },
         21},
        {"a click on a greyed entry keeps the menu, then Escape dismisses", kMixed, 0,
         [](D& d, const ShownMenu& m) {
             d.click(Centre(m, 2));
             d.tap(XK_Escape);
         },
         0},
        {"a click on a greyed entry keeps the menu for a click on an entry", kMixed, 0,
         [](D& d, const ShownMenu& m) {
             d.click(Centre(m, 2));
             d.click(Centre(m, 1));  // the separator
             d.click(Centre(m, 3));
         },
         23},
        {"the wheel off the menu keeps it", kFour, 0,
         [](D& d, const ShownMenu& m) {
             d.click(OffTheMenu(m), 4);
             d.click(Centre(m, 1));
         },
         12},
        {"pressed, dragged onto an entry and released, the entry is chosen", kFour, 3,
         [](D& d, const ShownMenu& m) {
             d.moveTo(Centre(m, 1));
             d.release(3);
         },
         12},
        {"the opening button released in place keeps the menu for a click", kFour, 3,
         [](D& d, const ShownMenu& m) {
             d.release(3);
             d.click(Centre(m, 3));
         },
         14},
        {"pressed, dragged off the menu and released, the menu is dismissed", kFour, 3,
         [](D& d, const ShownMenu& m) {
             d.moveTo(OffTheMenu(m));
             d.release(3);
         },
         0},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Run(c.entries, kPointer, c.play, c.held), c.expected);
    }
}

TEST_F(X11PopupMenusTest, AnEmptyMenuShowsNothing) {
    X11PopupMenus menus(menuSide);
    bool shown = false;
    menus.watchShown([&](const ShownMenu&) { shown = true; });
    EXPECT_EQ(menus.track({}), 0);
    EXPECT_FALSE(shown);
}

TEST_F(X11PopupMenusTest, TheMenuIsAnOverrideRedirectWindowAtThePointer) {
    const struct {
        const char* name;
        Point pointer;
    } cases[] = {{"room right and below", kPointer}, {"in the bottom-right corner", {1278, 1022}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rect seen;
        Run(kMixed, c.pointer, [&](X11InputDriver& d, const ShownMenu& m) {
            const std::vector<xcb_window_t> open = d.overrideRedirectWindows();
            ASSERT_EQ(open.size(), 1u);
            EXPECT_EQ(open[0], m.window);
            seen = d.geometry(m.window);
            d.tap(XK_Escape);
        });
        EXPECT_EQ(seen, shownMenu.onScreen);
        const Rect screen = driver.screenRect();
        EXPECT_GE(seen.left, screen.left);
        EXPECT_GE(seen.top, screen.top);
        EXPECT_LE(seen.right, screen.right);
        EXPECT_LE(seen.bottom, screen.bottom);
        // Its corner is at the pointer: the top-left, or flipped, the bottom-right.
        const bool flipped = c.pointer.x + seen.width() > screen.right;
        EXPECT_EQ((flipped ? Point{seen.right, seen.bottom} : Point{seen.left, seen.top}), c.pointer);
    }
}

// Pixels of `area` (menu coordinates) within `tolerance` of `colour` on every channel.
int CountNear(const Bitmap& image, const Rect& area, Colour colour, int tolerance) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const std::uint32_t p = image.at(x, y);
            bool near = true;
            for (int shift : {16, 8, 0}) {
                near = near && std::abs(static_cast<int>((p >> shift) & 0xFFu) -
                                        static_cast<int>((colour >> shift) & 0xFFu)) <= tolerance;
            }
            count += near ? 1 : 0;
        }
    }
    return count;
}

TEST_F(X11PopupMenusTest, TheHighlightedRowAndEachEntryHaveTheirColours) {
    // 0 Assign, 1 Swap (ticked, highlighted), 2 separator, 3 Rename (greyed), 4 Lock (ticked).
    const std::vector<MenuEntry> entries = {Item(31, "Assign"), Item(32, "Swap", false, true), Separator(),
                                            Item(33, "Rename", true), Item(34, "Lock", false, true)};
    Bitmap image;
    Run(entries, kPointer, [&](X11InputDriver& d, const ShownMenu& m) {
        d.moveTo(Centre(m, 1));
        d.sync();
        const Rect& lit = m.rows[1];
        image = WaitForColour(m, {lit.left + 1, lit.top + 1}, colours::kHighlight);
        d.tap(XK_Escape);
    });
    ASSERT_FALSE(image.empty());
    const std::vector<Rect>& rows = shownMenu.rows;
    const int w = image.width;
    const int h = image.height;
    const struct {
        const char* name;
        Point at;
        Colour colour;
    } pixels[] = {
        {"the highlighted row", {rows[1].left + 1, rows[1].top + 1}, colours::kHighlight},
        {"the highlighted row's far corner", {rows[1].right - 1, rows[1].bottom - 1}, colours::kHighlight},
        {"a row that is not highlighted", {rows[0].left + 1, rows[0].top + 1}, colours::kWindow},
        {"the separator's line", {rows[2].left + 10, rows[2].top + rows[2].height() / 2}, colours::kSeparator},
        {"above the separator's line", {rows[2].left + 10, rows[2].top + rows[2].height() / 2 - 1}, colours::kWindow},
        {"the top edge", {w / 2, 0}, colours::kEdgeLight},
        {"the left edge", {0, h / 2}, colours::kEdgeLight},
        {"the bottom edge", {w / 2, h - 1}, colours::kEdgeDark},
        {"the right edge", {w - 1, h / 2}, colours::kEdgeDark},
        {"inside the edge", {1, 1}, colours::kWindow},
    };
    for (const auto& p : pixels) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(image.at(p.at.x, p.at.y) & 0xFFFFFFu, p.colour);
    }
    // Text and ticks: their glyphs' cores reach the ink they are drawn in.
    const MenuMetrics metrics;
    const auto text = [&](int row) {
        return Rect{rows[row].left + metrics.tickColumn, rows[row].top, rows[row].right, rows[row].bottom};
    };
    const auto tick = [&](int row) {
        return Rect{rows[row].left, rows[row].top, rows[row].left + metrics.tickColumn, rows[row].bottom};
    };
    const struct {
        const char* name;
        Rect area;
        Colour ink;
        int tolerance;
        bool present;
    } inks[] = {
        {"an entry's text", text(0), colours::kText, 24, true},
        {"the highlighted entry's text is dark", text(1), colours::kHighlightText, 24, true},
        {"a greyed entry's text", text(3), colours::kGreyedText, 12, true},
        {"a greyed entry's text is not bright", text(3), colours::kText, 60, false},
        {"a tick", tick(4), colours::kTick, 24, true},
        {"the highlighted entry's tick is dark", tick(1), colours::kHighlightText, 24, true},
        {"no tick where none is set", tick(0), colours::kText, 60, false},
    };
    for (const auto& i : inks) {
        SCOPED_TRACE(i.name);
        const int count = CountNear(image, i.area, i.ink, i.tolerance);
        if (i.present) {
            EXPECT_GE(count, 5);
        } else {
            EXPECT_EQ(count, 0);
        }
    }
}

TEST_F(X11PopupMenusTest, EventsForOtherWindowsWaitInTheDeferredQueueInOrder) {
    const xcb_window_t editor = EditorWindow(0);
    Run(kFour, {100, 100}, [&](X11InputDriver& d, const ShownMenu&) {
        for (std::uint32_t n : {1u, 2u, 3u}) {
            xcb_client_message_event_t message{};
            message.response_type = XCB_CLIENT_MESSAGE;
            message.format = 32;
            message.window = editor;
            message.type = XCB_ATOM_STRING;
            message.data.data32[0] = n;
            xcb_send_event(d.connection(), 0, editor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
        }
        d.tap(XK_Escape);
    });
    std::vector<std::uint32_t> messages;
    bool exposedAfterwards = false;
    for (const xcb_generic_event_t* e : menuSide.deferred) {
        EXPECT_FALSE(IsForWindow(e, shownMenu.window)) << "an event of the menu's own, type " << int(e->response_type);
        switch (e->response_type & 0x7F) {
            case XCB_CLIENT_MESSAGE: {
                const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(e);
                EXPECT_EQ(m->window, editor);
                messages.push_back(m->data.data32[0]);
                break;
            }
            case XCB_EXPOSE:
                exposedAfterwards =
                    exposedAfterwards || reinterpret_cast<const xcb_expose_event_t*>(e)->window == editor;
                break;
            default: break;
        }
    }
    EXPECT_EQ(messages, (std::vector<std::uint32_t>{1, 2, 3}));
    // What the menu covered is the window's to repaint once the menu is gone.
    EXPECT_TRUE(exposedAfterwards);
}

TEST_F(X11PopupMenusTest, TheClickThatDismissesTheMenuReachesNoOtherWindow) {
    const xcb_window_t editor = EditorWindow(XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE);
    EXPECT_EQ(Run(kFour, {100, 100},
                  [&](X11InputDriver& d, const ShownMenu& m) {
                      // Off the menu, on the editor; a slow click, so a menu
                      // that went with the press would leave the release to the editor.
                      d.moveTo({m.onScreen.right + 20, m.onScreen.bottom + 20});
                      d.press(1);
                      d.sync();
                      std::this_thread::sleep_for(100ms);
                      d.release(1);
                  }),
              0);
    for (const xcb_generic_event_t* e : Pending()) {
        const std::uint8_t type = e->response_type & 0x7F;
        if (type == XCB_BUTTON_PRESS || type == XCB_BUTTON_RELEASE) {
            EXPECT_NE(reinterpret_cast<const xcb_button_press_event_t*>(e)->event, editor)
                << "button event " << int(type);
        }
    }
}

TEST_F(X11PopupMenusTest, ASnapshotOfAnOpenMenu) {
    const std::vector<MenuEntry> entries = {Item(1, "Reassign controller"),
                                            Item(2, "Unassign controller"),
                                            Item(3, "Rename controller", true),
                                            Item(4, "Swap controller type"),
                                            Item(5, "Lock controller value", false, true),
                                            Separator(),
                                            Item(6, "Copy controller"),
                                            Item(7, "Paste controller", true),
                                            Item(8, "Set as default")};
    Bitmap image;
    Run(entries, kPointer, [&](X11InputDriver& d, const ShownMenu& m) {
        d.moveTo(Centre(m, 6));
        d.sync();
        const Rect& lit = m.rows[6];
        image = WaitForColour(m, {lit.left + 1, lit.top + 1}, colours::kHighlight);
        d.tap(XK_Escape);
    });
    ASSERT_FALSE(image.empty());
    const std::string path = std::string(VELMORA_SNAPSHOT_DIR) + "/popup_menu.png";
    EXPECT_TRUE(WritePng(image, path)) << path;
}

}  // namespace
}  // namespace platform::ui::x11
