// The piano roll's mouse: editing the notes in the notes area, playing the
// keys of the keyboard column, scrolling, and resizing by the corner grip.
#include <algorithm>

#include "host/desktop/piano_roll.h"
#include "host/desktop/workspace.h"

namespace velmora::host {

namespace {

constexpr int kStretchZone = 5;   // pixels at a note's end that stretch it
constexpr double kWheelKeys = 3;  // keys per wheel step

}  // namespace

void PianoRoll::edited() {
    updateRanges();
    gtk_widget_queue_draw(body_);
    gtk_widget_queue_draw(strip_);
    if (handlers_.scoreChanged) {
        handlers_.scoreChanged();
    }
}

void PianoRoll::setCursor(const char* name) {
    if (name == cursor_) {
        return;
    }
    cursor_ = name;
    GdkWindow* window = gtk_widget_get_window(body_);
    GdkCursor* cursor = name != nullptr ? gdk_cursor_new_from_name(gdk_window_get_display(window), name) : nullptr;
    gdk_window_set_cursor(window, cursor);
    if (cursor != nullptr) {
        g_object_unref(cursor);
    }
}

void PianoRoll::pressGrid(GdkEventButton* event, const RollView& v) {
    const std::int64_t tick = v.tickAt(event->x);
    const int key = v.keyAt(event->y);
    const std::optional<std::size_t> hit = NoteAt(events_, setup_.instance, tick, key);
    const guint modifiers = event->state & gtk_accelerator_get_default_mod_mask();
    if (event->button == GDK_BUTTON_SECONDARY) {
        if (hit) {
            RemoveNote(events_, *hit);
            edited();
        }
        return;
    }
    if (event->button != GDK_BUTTON_PRIMARY) {
        return;
    }
    if ((modifiers & GDK_CONTROL_MASK) != 0) {
        if (hit && events_[*hit].colour != selector_.chosen()) {
            RecolourNote(events_, *hit, selector_.chosen());
            edited();
        }
        return;
    }
    if (hit) {
        const ScoreEvent& note = events_[*hit];
        const bool atEnd = v.xOfTick(note.tick + note.length) - event->x <= kStretchZone;
        lastLength_ = note.length;
        drag_.emplace(events_, *hit, atEnd ? NoteDrag::Kind::Stretch : NoteDrag::Kind::Move, tick);
        dragChanged_ = false;
        gtk_widget_queue_draw(body_);
        return;
    }
    const std::size_t added = AddNote(events_, setup_.instance, grid_, tick, key, lastLength_, selector_.chosen());
    drag_.emplace(events_, added, NoteDrag::Kind::Move, tick);
    dragChanged_ = true;
    gtk_widget_queue_draw(body_);
}

gboolean PianoRoll::OnBodyPress(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto& roll = *static_cast<PianoRoll*>(self);
    if (event->type != GDK_BUTTON_PRESS || roll.drag_ || roll.heldKey_) {
        return TRUE;
    }
    const RollView v = roll.view();
    if (event->y < RollView::kRulerHeight) {
        return TRUE;
    }
    if (event->x < RollView::kKeyboardWidth) {
        if (event->button == GDK_BUTTON_PRIMARY) {
            roll.heldKey_ = v.keyAt(event->y);
            gtk_widget_queue_draw(roll.body_);
            if (roll.handlers_.keyDown) {
                roll.handlers_.keyDown(*roll.heldKey_);
            }
        }
        return TRUE;
    }
    roll.pressGrid(event, v);
    return TRUE;
}

gboolean PianoRoll::OnBodyMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
    auto& roll = *static_cast<PianoRoll*>(self);
    const RollView v = roll.view();
    if (roll.drag_) {
        if (roll.drag_->follow(roll.events_, roll.grid_, v.tickAt(event->x), v.keyAt(event->y))) {
            roll.dragChanged_ = true;
            gtk_widget_queue_draw(roll.body_);
        }
        return TRUE;
    }
    const char* cursor = nullptr;
    if (event->x >= RollView::kKeyboardWidth && event->y >= RollView::kRulerHeight) {
        if (const auto hit = NoteAt(roll.events_, roll.setup_.instance, v.tickAt(event->x), v.keyAt(event->y))) {
            const ScoreEvent& note = roll.events_[*hit];
            cursor = v.xOfTick(note.tick + note.length) - event->x <= kStretchZone ? "ew-resize" : "move";
        }
    }
    roll.setCursor(cursor);
    return TRUE;
}

gboolean PianoRoll::OnBodyRelease(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto& roll = *static_cast<PianoRoll*>(self);
    if (event->button != GDK_BUTTON_PRIMARY) {
        return TRUE;
    }
    if (roll.heldKey_) {
        roll.heldKey_.reset();
        gtk_widget_queue_draw(roll.body_);
        if (roll.handlers_.keyUp) {
            roll.handlers_.keyUp();
        }
    }
    if (roll.drag_) {
        roll.lastLength_ = roll.events_[roll.drag_->index()].length;
        roll.drag_.reset();
        if (roll.dragChanged_) {
            roll.edited();
        }
        gtk_widget_queue_draw(roll.body_);
    }
    return TRUE;
}

gboolean PianoRoll::OnBodyScroll(GtkWidget*, GdkEventScroll* event, gpointer self) {
    auto& roll = *static_cast<PianoRoll*>(self);
    double dx = 0.0;
    double dy = 0.0;
    switch (event->direction) {
        case GDK_SCROLL_UP: dy = -1; break;
        case GDK_SCROLL_DOWN: dy = 1; break;
        case GDK_SCROLL_LEFT: dx = -1; break;
        case GDK_SCROLL_RIGHT: dx = 1; break;
        case GDK_SCROLL_SMOOTH: gdk_event_get_scroll_deltas(reinterpret_cast<GdkEvent*>(event), &dx, &dy); break;
    }
    if ((event->state & GDK_SHIFT_MASK) != 0) {
        std::swap(dx, dy);
    }
    const auto scroll = [](GtkAdjustment* a, double by) {
        const double upper = gtk_adjustment_get_upper(a) - gtk_adjustment_get_page_size(a);
        gtk_adjustment_set_value(a, std::clamp(gtk_adjustment_get_value(a) + by, 0.0, std::max(0.0, upper)));
    };
    scroll(roll.vertical_, dy * kWheelKeys * RollView::kKeyHeight);
    scroll(roll.horizontal_, dx * RollView::kPixelsPerBeat);
    return TRUE;
}

gboolean PianoRoll::OnGripDraw(GtkWidget* grip, cairo_t* cr, gpointer) {
    const int s = gtk_widget_get_allocated_width(grip);
    cairo_set_source_rgb(cr, 0.165, 0.180, 0.196);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.45, 0.48, 0.51);
    cairo_set_line_width(cr, 1);
    for (int i = 4; i <= 10; i += 3) {
        cairo_move_to(cr, s - i + 0.5, s - 1.5);
        cairo_line_to(cr, s - 1.5, s - i + 0.5);
    }
    cairo_stroke(cr);
    return TRUE;
}

gboolean PianoRoll::OnGripPress(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto& roll = *static_cast<PianoRoll*>(self);
    roll.gripX_ = event->x_root;
    roll.gripY_ = event->y_root;
    roll.startWidth_ = gtk_widget_get_allocated_width(roll.frame_);
    roll.startHeight_ = gtk_widget_get_allocated_height(roll.frame_);
    return TRUE;
}

gboolean PianoRoll::OnGripMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
    auto& roll = *static_cast<PianoRoll*>(self);
    const GdkPoint at = roll.workspace_.position(roll.frame_);
    const int width = std::clamp(roll.startWidth_ + static_cast<int>(event->x_root - roll.gripX_), kMinimumWidth,
                                 std::max(kMinimumWidth, roll.workspace_.width() - at.x));
    const int height = std::clamp(roll.startHeight_ + static_cast<int>(event->y_root - roll.gripY_), kMinimumHeight,
                                  std::max(kMinimumHeight, roll.workspace_.height() - at.y));
    gtk_widget_set_size_request(roll.frame_, width, height);
    return TRUE;
}

}  // namespace velmora::host
