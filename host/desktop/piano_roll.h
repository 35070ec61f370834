#pragma once
// A piano roll: one instance's notes of the score over a time grid, in a
// child window of the workspace titled "Piano roll -". At its top, the colour
// strip (a window of its own, class "TWPControl") holds the colour selector;
// below it, the keyboard column shows the plugin's names of the keys for the
// selected colour, and the notes area edits the score: a click adds a note of
// the selected colour on the grid, a drag moves it (or, from its end,
// stretches it), a right click deletes it, a Control-click recolours it. A
// click on a key plays it through the plugin until the button is released.
// The selector opens the colour pop-up on a click and, while it has the
// focus, takes Home, End, the arrows and Enter.
#include <gtk/gtk.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/desktop/caption_strip.h"
#include "host/desktop/colour_selector.h"
#include "host/desktop/roll_notes.h"
#include "host/desktop/roll_view.h"

namespace velmora::host {

class ColourPopup;
class Workspace;

inline constexpr char kPianoRollTitle[] = "Piano roll -";
inline constexpr char kColourWindowClass[] = "TWPControl";

class PianoRoll {
public:
    struct Handlers {
        std::function<void()> closeRequested;                  // the close box, or Ctrl+W
        std::function<void(int colour)> colourChosen;          // Enter, or a click in the pop-up
        std::function<void(int key)> keyDown;                  // a key of the keyboard pressed...
        std::function<void()> keyUp;                           // ...and released
        std::function<void()> scoreChanged;                    // after each edit
        std::function<void(int first, int last)> keysShown;    // keys came into view without names
        std::function<void(unsigned long window)> popupOpened;
        std::function<void()> placed;                          // on the screen, moved or resized
    };
    struct Setup {
        int instance = 0;
        int ppq = 96;
        int hostVersion = 0;
        std::string name;      // the instance's display name, shown in the caption
        GdkPoint position{};   // in the workspace
        int width = 0;
        int height = 0;
    };
    // `events` is the session's score; it outlives the roll.
    PianoRoll(Workspace& workspace, std::vector<ScoreEvent>& events, const Setup& setup, Handlers handlers);
    ~PianoRoll();
    PianoRoll(const PianoRoll&) = delete;
    PianoRoll& operator=(const PianoRoll&) = delete;

    void show();
    void hide();
    bool shown() const { return shown_; }
    void present();
    void setName(const std::string& name);

    int colour() const { return selector_.chosen(); }
    // The keys in view, lowest and highest.
    std::pair<int, int> visibleKeys() const;
    // Names the plugin gave for keys first.. of `colour`; names of another
    // colour are dropped.
    void setKeyNames(int colour, int first, const std::vector<std::string>& names);
    void forgetKeyNames();
    const std::string& keyName(int key) const { return keyNames_.at(static_cast<std::size_t>(key)); }
    void setColourNames(const std::array<std::string, 16>& names);
    void setPlayhead(std::optional<std::int64_t> tick);
    // The score changed under the roll (another session, another roll).
    void scoreReplaced();

    GtkWidget* widget() const { return frame_; }
    unsigned long windowId() const;
    unsigned long colourWindowId() const;
    GdkPoint screenOrigin() const;

private:
    static constexpr int kMinimumWidth = 420;
    static constexpr int kMinimumHeight = 260;

    void build();
    void updateRanges();
    RollView view() const;
    void checkNames();
    void openPopup();
    void closePopup();
    void selectorKey(SelectorKey key);
    void choose(int colour);
    void edited();
    void pressGrid(GdkEventButton* event, const RollView& v);
    void setCursor(const char* name);

    static gboolean OnStripDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean OnStripPress(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnStripKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean OnBodyDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean OnBodyPress(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnBodyMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
    static gboolean OnBodyRelease(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnBodyScroll(GtkWidget*, GdkEventScroll* event, gpointer self);
    static gboolean OnGripDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean OnGripPress(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnGripMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
    static gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer self);
    static void OnFrameAllocated(GtkWidget*, GdkRectangle*, gpointer self);
    static gboolean OnPlaced(gpointer self);

    Workspace& workspace_;
    std::vector<ScoreEvent>& events_;
    Setup setup_;
    Handlers handlers_;
    RollGrid grid_;
    ColourSelector selector_;
    GtkWidget* frame_ = nullptr;
    CaptionBehaviour captionBehaviour_;
    GtkWidget* caption_ = nullptr;
    GtkWidget* strip_ = nullptr;
    GtkWidget* body_ = nullptr;
    GtkWidget* grip_ = nullptr;
    GtkAdjustment* horizontal_ = nullptr;
    GtkAdjustment* vertical_ = nullptr;
    std::array<std::string, 128> keyNames_{};
    std::array<bool, 128> keyNamed_{};  // asked for the current colour
    int namesColour_ = -1;
    std::array<std::string, 16> colourNames_{};
    std::unique_ptr<ColourPopup> popup_;
    std::optional<NoteDrag> drag_;
    bool dragChanged_ = false;
    std::optional<int> heldKey_;
    std::optional<std::int64_t> playhead_;
    std::int64_t lastLength_ = 0;
    const char* cursor_ = nullptr;
    bool shown_ = false;
    bool scrolledToNotes_ = false;
    guint placedSource_ = 0;  // a placed notice due once the layout is done
    // The grip's drag: where it began, and the roll's size then.
    double gripX_ = 0.0;
    double gripY_ = 0.0;
    int startWidth_ = 0;
    int startHeight_ = 0;
};

}  // namespace velmora::host
