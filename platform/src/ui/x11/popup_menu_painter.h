#pragma once
// How a pop-up menu looks: a sans face of about 10 points set by pango, a
// bevelled edge, the highlighted row in amber and green ticks.
#include <cairo.h>
#include <pango/pango.h>

#include <string>
#include <vector>

#include "platform/popup_menus.h"
#include "platform/ui/geometry.h"
#include "popup_menu_colours.h"
#include "popup_menu_layout.h"

namespace platform::ui::x11 {

// The menu's face, measured and drawn through one pango context so that the
// widths the layout is made of are the widths drawn. One menu, one thread.
class MenuText {
public:
    MenuText();
    ~MenuText();
    MenuText(const MenuText&) = delete;
    MenuText& operator=(const MenuText&) = delete;

    int width(const std::string& text) const;
    int lineHeight() const { return lineHeight_; }
    // The text in `colour` with its top-left corner at (x, y), cut with an
    // ellipsis at maxWidth.
    void draw(cairo_t* cr, const std::string& text, int x, int y, int maxWidth, Colour colour) const;

private:
    PangoLayout* layoutFor(const std::string& text) const;

    PangoFontMap* map_ = nullptr;
    PangoContext* context_ = nullptr;
    PangoFontDescription* font_ = nullptr;
    int lineHeight_ = 0;
};

// The metrics for the face: rows sized to its line.
MenuMetrics MetricsFor(const MenuText& text);

// Paints the whole menu at (0, 0); `highlighted` is an entry's index or -1.
void PaintMenu(cairo_t* cr, const std::vector<MenuEntry>& entries, const MenuLayout& layout, const MenuMetrics& metrics,
               int highlighted, const MenuText& text);

}  // namespace platform::ui::x11
