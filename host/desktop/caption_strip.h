#pragma once
// The caption of a child window in the workspace (a plugin form, a piano
// roll): its title, a close box at the right end, and the strip the user
// drags the window by.
#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace velmora::host {

inline constexpr int kCaptionHeight = 22;

void PaintCaption(GtkWidget* caption, cairo_t* cr, const std::string& title, bool closeHovered);
// Whether a point of the caption (its own coordinates) is on the close box.
bool OnCloseBox(GtkWidget* caption, double x, double y);
// What a caption shows and does: its title, asked at each paint, and what
// a click on the close box asks for. Lives as long as the caption.
struct CaptionBehaviour {
    std::function<std::string()> title;
    std::function<void()> close;
    bool closeHovered = false;
};
// A new caption strip: paints the title and the close box, lights the box
// under the pointer and calls `close` on a click on it. Its press handler
// runs before any connected later (the workspace's drag), so the close box
// is not a place to drag from.
GtkWidget* NewCaption(CaptionBehaviour& behaviour);

// The border every workspace child draws around itself (one pixel), on the
// child's own window only.
void PaintChildBorder(GtkWidget* child, cairo_t* cr);

}  // namespace velmora::host
