#include "host/desktop/piano_roll.h"

#include <algorithm>
#include <cmath>

#include "host/desktop/caption_strip.h"
#include "host/desktop/colour_popup.h"
#include "host/desktop/native_window.h"
#include "host/desktop/roll_painting.h"
#include "host/desktop/workspace.h"

namespace velmora::host {

namespace {

constexpr int kGripSize = 14;
constexpr int kBarsPast = 4;      // bars the grid runs past the last note
constexpr int kLeastBars = 16;

}  // namespace

PianoRoll::PianoRoll(Workspace& workspace, std::vector<ScoreEvent>& events, const Setup& setup, Handlers handlers)
    : workspace_(workspace),
      events_(events),
      setup_(setup),
      handlers_(std::move(handlers)),
      grid_{setup.ppq},
      selector_(setup.hostVersion),
      lastLength_(setup.ppq) {
    build();
}

PianoRoll::~PianoRoll() {
    if (placedSource_ != 0) {
        g_source_remove(placedSource_);
    }
    popup_.reset();
    g_object_unref(horizontal_);
    g_object_unref(vertical_);
    workspace_.remove(frame_);
}

void PianoRoll::build() {
    frame_ = gtk_event_box_new();
    gtk_style_context_add_class(gtk_widget_get_style_context(frame_), "piano-roll");
    gtk_widget_set_size_request(frame_, std::max(setup_.width, kMinimumWidth), std::max(setup_.height, kMinimumHeight));
    g_signal_connect(frame_, "draw", G_CALLBACK(+[](GtkWidget* frame, cairo_t* cr, gpointer) {
                         PaintChildBorder(frame, cr);
                         return FALSE;
                     }),
                     nullptr);
    gtk_widget_add_events(frame_, GDK_STRUCTURE_MASK);
    g_signal_connect(frame_, "map-event", G_CALLBACK(OnMapped), this);
    g_signal_connect(frame_, "size-allocate", G_CALLBACK(OnFrameAllocated), this);
    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    g_object_set(column, "margin", 1, nullptr);
    gtk_container_add(GTK_CONTAINER(frame_), column);

    captionBehaviour_.title = [this] { return std::string(kPianoRollTitle) + " " + setup_.name; };
    captionBehaviour_.close = [this] {
        if (handlers_.closeRequested) {
            handlers_.closeRequested();
        }
    };
    caption_ = NewCaption(captionBehaviour_);
    gtk_box_pack_start(GTK_BOX(column), caption_, FALSE, FALSE, 0);

    strip_ = gtk_drawing_area_new();
    gtk_widget_set_size_request(strip_, -1, kColourStripHeight);
    gtk_widget_set_can_focus(strip_, TRUE);
    gtk_widget_add_events(strip_, GDK_BUTTON_PRESS_MASK | GDK_KEY_PRESS_MASK | GDK_FOCUS_CHANGE_MASK);
    g_signal_connect(strip_, "draw", G_CALLBACK(OnStripDraw), this);
    g_signal_connect(strip_, "button-press-event", G_CALLBACK(OnStripPress), this);
    g_signal_connect(strip_, "key-press-event", G_CALLBACK(OnStripKey), this);
    g_signal_connect_swapped(strip_, "focus-in-event", G_CALLBACK(gtk_widget_queue_draw), strip_);
    g_signal_connect_swapped(strip_, "focus-out-event", G_CALLBACK(gtk_widget_queue_draw), strip_);
    gtk_box_pack_start(GTK_BOX(column), strip_, FALSE, FALSE, 0);

    GtkWidget* grid = gtk_grid_new();
    gtk_box_pack_start(GTK_BOX(column), grid, TRUE, TRUE, 0);
    body_ = gtk_drawing_area_new();
    gtk_widget_set_hexpand(body_, TRUE);
    gtk_widget_set_vexpand(body_, TRUE);
    gtk_widget_add_events(body_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK |
                                     GDK_SMOOTH_SCROLL_MASK);
    g_signal_connect(body_, "draw", G_CALLBACK(OnBodyDraw), this);
    g_signal_connect(body_, "button-press-event", G_CALLBACK(OnBodyPress), this);
    g_signal_connect(body_, "motion-notify-event", G_CALLBACK(OnBodyMotion), this);
    g_signal_connect(body_, "button-release-event", G_CALLBACK(OnBodyRelease), this);
    g_signal_connect(body_, "scroll-event", G_CALLBACK(OnBodyScroll), this);
    g_signal_connect_swapped(body_, "size-allocate", G_CALLBACK(+[](PianoRoll* roll) { roll->updateRanges(); }), this);
    gtk_grid_attach(GTK_GRID(grid), body_, 0, 0, 1, 1);

    horizontal_ = GTK_ADJUSTMENT(g_object_ref_sink(gtk_adjustment_new(0, 0, 1, 16, 256, 1)));
    vertical_ = GTK_ADJUSTMENT(g_object_ref_sink(gtk_adjustment_new(0, 0, 1, RollView::kKeyHeight, 12 * RollView::kKeyHeight, 1)));
    for (GtkAdjustment* a : {horizontal_, vertical_}) {
        g_signal_connect_swapped(a, "value-changed", G_CALLBACK(+[](PianoRoll* roll) {
                                     gtk_widget_queue_draw(roll->body_);
                                     roll->checkNames();
                                 }),
                                 this);
    }
    gtk_grid_attach(GTK_GRID(grid), gtk_scrollbar_new(GTK_ORIENTATION_VERTICAL, vertical_), 1, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), gtk_scrollbar_new(GTK_ORIENTATION_HORIZONTAL, horizontal_), 0, 1, 1, 1);
    grip_ = gtk_drawing_area_new();
    gtk_widget_set_size_request(grip_, kGripSize, kGripSize);
    gtk_widget_add_events(grip_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON1_MOTION_MASK);
    g_signal_connect(grip_, "draw", G_CALLBACK(OnGripDraw), this);
    g_signal_connect(grip_, "button-press-event", G_CALLBACK(OnGripPress), this);
    g_signal_connect(grip_, "motion-notify-event", G_CALLBACK(OnGripMotion), this);
    gtk_grid_attach(GTK_GRID(grid), grip_, 1, 1, 1, 1);
    gtk_widget_show_all(column);

    workspace_.add(frame_, caption_, setup_.position.x, setup_.position.y);
    SetWindowTitle(frame_, kPianoRollTitle);
    MakeNative(strip_);
    SetWindowClass(strip_, kColourWindowClass);
}

void PianoRoll::show() {
    gtk_widget_show(frame_);
    workspace_.raise(frame_);
    gtk_widget_queue_draw(workspace_.widget());
    shown_ = true;
}

void PianoRoll::hide() {
    if (!shown_) {
        return;
    }
    closePopup();
    gtk_widget_hide(frame_);
    workspace_.lower(frame_);
    gtk_widget_queue_draw(workspace_.widget());
    shown_ = false;
}

void PianoRoll::present() { workspace_.raise(frame_); }

void PianoRoll::setName(const std::string& name) {
    setup_.name = name;
    gtk_widget_queue_draw(caption_);
}

unsigned long PianoRoll::windowId() const { return NativeId(frame_); }
unsigned long PianoRoll::colourWindowId() const { return NativeId(strip_); }
GdkPoint PianoRoll::screenOrigin() const { return ScreenOrigin(frame_); }

RollView PianoRoll::view() const {
    RollView v;
    v.width = gtk_widget_get_allocated_width(body_);
    v.height = gtk_widget_get_allocated_height(body_);
    v.scrollX = gtk_adjustment_get_value(horizontal_);
    v.scrollY = gtk_adjustment_get_value(vertical_);
    v.ppq = setup_.ppq;
    return v;
}

std::pair<int, int> PianoRoll::visibleKeys() const {
    const RollView v = view();
    if (v.height <= RollView::kRulerHeight) {
        return {60, 60};
    }
    return {v.lowestVisibleKey(), v.highestVisibleKey()};
}

void PianoRoll::updateRanges() {
    const RollView v = view();
    const std::int64_t bar = 4LL * setup_.ppq;
    const std::int64_t ticks = std::max<std::int64_t>(kLeastBars * bar, (NotesEnd(events_, setup_.instance) / bar + kBarsPast) * bar);
    const double gridWidth = std::max(1, v.width - RollView::kKeyboardWidth);
    const double gridHeight = std::max(1, v.height - RollView::kRulerHeight);
    gtk_adjustment_configure(horizontal_, gtk_adjustment_get_value(horizontal_), 0, static_cast<double>(ticks) * v.pixelsPerTick(),
                             v.pixelsPerTick() * static_cast<double>(grid_.step()), gridWidth * 0.9, gridWidth);
    gtk_adjustment_configure(vertical_, gtk_adjustment_get_value(vertical_), 0, RollView::KeysHeight(), RollView::kKeyHeight,
                             gridHeight * 0.9, gridHeight);
    if (!scrolledToNotes_ && v.height > RollView::kRulerHeight) {
        // The first view is on the instance's notes, or on middle C without any.
        scrolledToNotes_ = true;
        int low = 128;
        int high = -1;
        for (const ScoreEvent& e : events_) {
            if (e.kind == EventKind::Note && e.instance == setup_.instance) {
                low = std::min(low, e.key);
                high = std::max(high, e.key);
            }
        }
        const int middle = high >= 0 ? (low + high) / 2 : 60;
        gtk_adjustment_set_value(vertical_, (127 - middle) * RollView::kKeyHeight - gridHeight / 2);
    }
    checkNames();
}

void PianoRoll::checkNames() {
    if (!shown_ || namesColour_ != selector_.chosen()) {
        return;  // the next full ask covers the view
    }
    const auto [low, high] = visibleKeys();
    int first = -1;
    int last = -1;
    for (int key = low; key <= high; ++key) {
        if (!keyNamed_[static_cast<std::size_t>(key)]) {
            first = first < 0 ? key : first;
            last = key;
        }
    }
    if (first >= 0 && handlers_.keysShown) {
        handlers_.keysShown(first, last);
    }
}

void PianoRoll::setKeyNames(int colour, int first, const std::vector<std::string>& names) {
    if (colour != namesColour_) {
        forgetKeyNames();
        namesColour_ = colour;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int key = first + static_cast<int>(i);
        if (key >= 0 && key <= 127) {
            keyNames_[static_cast<std::size_t>(key)] = names[i];
            keyNamed_[static_cast<std::size_t>(key)] = true;
        }
    }
    gtk_widget_queue_draw(body_);
}

void PianoRoll::forgetKeyNames() {
    keyNames_.fill(std::string());
    keyNamed_.fill(false);
    namesColour_ = -1;
    gtk_widget_queue_draw(body_);
}

void PianoRoll::setColourNames(const std::array<std::string, 16>& names) {
    colourNames_ = names;
    gtk_widget_queue_draw(strip_);
}

void PianoRoll::setPlayhead(std::optional<std::int64_t> tick) {
    if (tick == playhead_) {
        return;
    }
    playhead_ = tick;
    if (tick && shown_) {
        // The view pages along with the playhead.
        const RollView v = view();
        const double x = v.xOfTick(*tick);
        if (x < RollView::kKeyboardWidth || x > v.width - 8) {
            gtk_adjustment_set_value(horizontal_, static_cast<double>(*tick) * v.pixelsPerTick() - 16);
        }
    }
    gtk_widget_queue_draw(body_);
}

void PianoRoll::scoreReplaced() {
    drag_.reset();
    updateRanges();
    gtk_widget_queue_draw(body_);
    gtk_widget_queue_draw(strip_);
}

// --- the colour selector ------------------------------------------------------

void PianoRoll::openPopup() {
    if (popup_) {
        return;
    }
    const GdkPoint origin = screenOrigin();
    int x = 0;
    int y = 0;
    gtk_widget_translate_coordinates(strip_, frame_, kSelectorBox.x, kSelectorBox.y + kSelectorBox.height + 2, &x, &y);
    ColourPopup::Handlers handlers;
    handlers.key = [this](SelectorKey key) { selectorKey(key); };
    handlers.clicked = [this](int colour) {
        selector_.choose(colour);
        choose(colour);
    };
    handlers.hovered = [this](int colour) {
        selector_.highlight(colour);
        popup_->refresh();
        gtk_widget_queue_draw(strip_);
    };
    handlers.dismissed = [this] {
        selector_.press(SelectorKey::Escape);
        closePopup();
    };
    auto* toplevel = GTK_WINDOW(gtk_widget_get_toplevel(frame_));
    popup_ = std::make_unique<ColourPopup>(toplevel, GdkPoint{origin.x + x, origin.y + y}, selector_, colourNames_, std::move(handlers));
    gtk_widget_queue_draw(strip_);
    if (handlers_.popupOpened) {
        handlers_.popupOpened(popup_->windowId());
    }
}

void PianoRoll::closePopup() {
    if (popup_) {
        popup_.reset();
        gtk_widget_queue_draw(strip_);
    }
}

void PianoRoll::selectorKey(SelectorKey key) {
    const std::optional<int> chosen = selector_.press(key);
    if (chosen) {
        choose(*chosen);
        return;
    }
    if (key == SelectorKey::Escape) {
        closePopup();
    } else if (popup_) {
        popup_->refresh();
    }
    gtk_widget_queue_draw(strip_);
}

void PianoRoll::choose(int colour) {
    // The plugin is asked for the names first, while the pop-up is still open.
    if (handlers_.colourChosen) {
        handlers_.colourChosen(colour);
    }
    closePopup();
    gtk_widget_queue_draw(strip_);
    gtk_widget_queue_draw(body_);
}

// --- events -------------------------------------------------------------------

gboolean PianoRoll::OnMapped(GtkWidget* frame, GdkEvent*, gpointer self) {
    OnFrameAllocated(frame, nullptr, self);
    static_cast<PianoRoll*>(self)->checkNames();
    return FALSE;
}

void PianoRoll::OnFrameAllocated(GtkWidget* frame, GdkRectangle*, gpointer self) {
    auto& roll = *static_cast<PianoRoll*>(self);
    // Told once the layout has settled, after the window is on the screen.
    if (gtk_widget_get_mapped(frame) != FALSE && roll.placedSource_ == 0) {
        roll.placedSource_ = g_idle_add_full(G_PRIORITY_LOW, &PianoRoll::OnPlaced, self, nullptr);
    }
}

gboolean PianoRoll::OnPlaced(gpointer self) {
    auto& roll = *static_cast<PianoRoll*>(self);
    roll.placedSource_ = 0;
    // Not before the layout has put the roll where the workspace holds it.
    GtkAllocation a;
    gtk_widget_get_allocation(roll.frame_, &a);
    const GdkPoint at = roll.workspace_.position(roll.frame_);
    if (roll.shown_ && a.x == at.x && a.y == at.y && roll.handlers_.placed) {
        roll.handlers_.placed();
    }
    return G_SOURCE_REMOVE;
}

gboolean PianoRoll::OnStripDraw(GtkWidget* strip, cairo_t* cr, gpointer self) {
    const auto& roll = *static_cast<PianoRoll*>(self);
    ColourStripLook look;
    const bool picking = roll.popup_ != nullptr || roll.selector_.picking();
    look.colour = picking ? roll.selector_.highlighted() : roll.selector_.chosen();
    look.colourName = roll.colourNames_[static_cast<std::size_t>(look.colour)];
    look.focused = gtk_widget_has_focus(strip) != FALSE;
    look.picking = picking && roll.selector_.picking();
    look.ppq = roll.setup_.ppq;
    look.notes = static_cast<std::size_t>(std::count_if(roll.events_.begin(), roll.events_.end(), [&](const ScoreEvent& e) {
        return e.kind == EventKind::Note && e.instance == roll.setup_.instance;
    }));
    PaintColourStrip(strip, cr, look);
    return TRUE;
}

gboolean PianoRoll::OnStripPress(GtkWidget* strip, GdkEventButton* event, gpointer self) {
    auto& roll = *static_cast<PianoRoll*>(self);
    const GdkRectangle& box = kSelectorBox;
    const bool onSelector = event->x >= box.x && event->x < box.x + box.width && event->y >= box.y && event->y < box.y + box.height;
    if (event->button != GDK_BUTTON_PRIMARY || event->type != GDK_BUTTON_PRESS || !onSelector) {
        return TRUE;
    }
    gtk_widget_grab_focus(strip);
    if (roll.popup_) {
        roll.selectorKey(SelectorKey::Escape);
    } else {
        roll.openPopup();
    }
    return TRUE;
}

gboolean PianoRoll::OnStripKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto& roll = *static_cast<PianoRoll*>(self);
    // Control and Shift may be held: the plugin presses these keys for the
    // user's Control-click on its grid, while the user still holds Control.
    const guint modifiers = event->state & gtk_accelerator_get_default_mod_mask();
    const std::optional<SelectorKey> key = SelectorKeyOf(event->keyval);
    if (!key || (modifiers & ~static_cast<guint>(GDK_CONTROL_MASK | GDK_SHIFT_MASK)) != 0) {
        return FALSE;
    }
    roll.selectorKey(*key);
    return TRUE;
}

gboolean PianoRoll::OnBodyDraw(GtkWidget* body, cairo_t* cr, gpointer self) {
    const auto& roll = *static_cast<PianoRoll*>(self);
    RollBodyLook look;
    look.events = &roll.events_;
    look.instance = roll.setup_.instance;
    look.grid = roll.grid_;
    look.view = roll.view();
    look.keyNames = roll.namesColour_ == roll.selector_.chosen() ? &roll.keyNames_ : nullptr;
    look.colour = roll.selector_.chosen();
    look.heldKey = roll.heldKey_;
    if (roll.drag_) {
        look.activeNote = roll.drag_->index();
    }
    look.playhead = roll.playhead_;
    PaintRollBody(body, cr, look);
    return TRUE;
}

}  // namespace velmora::host
