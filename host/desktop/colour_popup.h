#pragma once
// The piano roll's colour pop-up: a top-level window without decorations
// (override-redirect, class "TQuickPopupMenuWindow"), 164 pixels high, with a
// header line in the host's accent green on pixel row 2 and the sixteen note
// colours below it, arranged as the colour selector arranges them. It takes
// the pointer and the keyboard while it is open: a click on a colour chooses
// it, a click elsewhere or Escape closes it, the keys move the highlight.
#include <gtk/gtk.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "host/desktop/colour_selector.h"

namespace velmora::host {

inline constexpr char kColourPopupClass[] = "TQuickPopupMenuWindow";
inline constexpr int kColourPopupHeight = 164;
inline constexpr int kColourPopupWidth = 226;
inline constexpr std::uint32_t kColourPopupAccent = 0x9ED1A5;

class ColourPopup {
public:
    struct Handlers {
        std::function<void(SelectorKey key)> key;   // a key the pop-up took
        std::function<void(int colour)> clicked;    // a click on a colour
        std::function<void(int colour)> hovered;    // the pointer over a colour
        std::function<void()> dismissed;            // a click outside
    };
    // At `screen` (its top-left corner), for the roll's `selector`; `names`
    // are the plugin's names of the colours. Shown at once.
    ColourPopup(GtkWindow* owner, GdkPoint screen, const ColourSelector& selector, const std::array<std::string, 16>& names,
                Handlers handlers);
    ~ColourPopup();
    ColourPopup(const ColourPopup&) = delete;
    ColourPopup& operator=(const ColourPopup&) = delete;

    unsigned long windowId() const;
    // The selector's highlight has moved.
    void refresh();

private:
    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean OnPress(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnRelease(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
    std::optional<int> colourAt(double x, double y) const;
    GdkRectangle cellRect(int colour) const;

    const ColourSelector& selector_;
    std::array<std::string, 16> names_;
    Handlers handlers_;
    GtkWidget* window_ = nullptr;
    std::optional<int> pressed_;  // the colour a press inside went to
    bool grabbed_ = false;
};

// The selector's key for a key of the keyboard; nullopt for any other.
std::optional<SelectorKey> SelectorKeyOf(guint keyval);

}  // namespace velmora::host
