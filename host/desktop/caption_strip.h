#pragma once
// The caption of a child window in the workspace (a plugin form, a piano
// roll): its title, a close box at the right end, and the strip the user
// drags the window by.
#include <gtk/gtk.h>

#include <string>

namespace velmora::host {

inline constexpr int kCaptionHeight = 22;

void PaintCaption(GtkWidget* caption, cairo_t* cr, const std::string& title, bool closeHovered);
// Whether a point of the caption (its own coordinates) is on the close box.
bool OnCloseBox(GtkWidget* caption, double x, double y);
// The border every workspace child draws around itself (one pixel), on the
// child's own window only.
void PaintChildBorder(GtkWidget* child, cairo_t* cr);

}  // namespace velmora::host
