#pragma once
// The piano roll's colour selector and its pop-up, without the toolkit: the
// colour the roll draws with, the one highlighted while the user picks with
// the keys, and how the keys move the highlight. Hosts before version
// 12000000 lay the sixteen colours out four to a row, so Down moves by four
// and Right by one; later hosts list them, Down moving by one (shown in two
// columns of eight, Right moving to the next column).
#include <optional>

#include "shared/note_colours.h"

namespace velmora::host {

inline constexpr int kColourListHostVersion = 12000000;

enum class SelectorKey { Home, End, Up, Down, Left, Right, Enter, Escape };

struct SelectorCell {
    int column = 0;
    int row = 0;
};

class ColourSelector {
public:
    explicit ColourSelector(int hostVersion) : listed_(hostVersion >= kColourListHostVersion) {}

    int chosen() const { return chosen_; }
    int highlighted() const { return highlighted_; }
    // Whether a key pick is under way (the highlight is not the chosen colour).
    bool picking() const { return highlighted_ != chosen_; }

    // A key while the selector or its pop-up has the focus. Enter answers the
    // colour chosen (the highlighted one, chosen again if it already was);
    // every other key answers nullopt. Escape puts the highlight back; a move
    // past the first or the last colour does nothing.
    std::optional<int> press(SelectorKey key);
    // A click on a colour of the pop-up: chosen at once.
    void choose(int colour);
    // The highlight on a colour (the pointer over it in the pop-up).
    void highlight(int colour);

    // The pop-up's arrangement.
    int columns() const { return listed_ ? 2 : 4; }
    int rows() const { return kNoteColourCount / columns(); }
    SelectorCell cellOf(int colour) const;
    // The colour in a cell; nullopt outside the arrangement.
    std::optional<int> colourAt(SelectorCell cell) const;

private:
    int step(SelectorKey key) const;

    bool listed_;
    int chosen_ = 0;
    int highlighted_ = 0;
};

}  // namespace velmora::host
