#include "host/desktop/colour_selector.h"

#include <algorithm>

namespace velmora::host {

int ColourSelector::step(SelectorKey key) const {
    const int rowStep = listed_ ? 1 : columns();
    const int columnStep = listed_ ? rows() : 1;
    switch (key) {
        case SelectorKey::Down: return rowStep;
        case SelectorKey::Up: return -rowStep;
        case SelectorKey::Right: return columnStep;
        case SelectorKey::Left: return -columnStep;
        default: return 0;
    }
}

std::optional<int> ColourSelector::press(SelectorKey key) {
    switch (key) {
        case SelectorKey::Home: highlighted_ = 0; return std::nullopt;
        case SelectorKey::End: highlighted_ = kNoteColourCount - 1; return std::nullopt;
        case SelectorKey::Enter: chosen_ = highlighted_; return chosen_;
        case SelectorKey::Escape: highlighted_ = chosen_; return std::nullopt;
        default: {
            // A move past the first or the last colour goes nowhere, as at a list's ends.
            const int to = highlighted_ + step(key);
            if (to >= 0 && to < kNoteColourCount) {
                highlighted_ = to;
            }
            return std::nullopt;
        }
    }
}

void ColourSelector::choose(int colour) {
    chosen_ = std::clamp(colour, 0, kNoteColourCount - 1);
    highlighted_ = chosen_;
}

void ColourSelector::highlight(int colour) { highlighted_ = std::clamp(colour, 0, kNoteColourCount - 1); }

SelectorCell ColourSelector::cellOf(int colour) const {
    return listed_ ? SelectorCell{colour / rows(), colour % rows()} : SelectorCell{colour % columns(), colour / columns()};
}

std::optional<int> ColourSelector::colourAt(SelectorCell cell) const {
    if (cell.column < 0 || cell.column >= columns() || cell.row < 0 || cell.row >= rows()) {
        return std::nullopt;
    }
    return listed_ ? cell.column * rows() + cell.row : cell.row * columns() + cell.column;
}

}  // namespace velmora::host
