#pragma once
// The option switches of the General panel: where each is drawn and clicked,
// and which field it shows.
#include <cstdint>
#include <span>

#include "core/options.h"
#include "editor/layout.h"

namespace velmora {
class Instance;
}

namespace velmora::editor {

struct GeneralOption {
    int page;          // generalPage
    int labelX;        // left-top corner of the label
    int labelY;
    const char* label;
    Rect clickArea;    // bounds inclusive
    std::int32_t Options::*field;  // nullptr: a process-wide switch (below)
    enum class Shared { None, HttpApi, SingleEditor } shared;
    bool inverted;     // drawn ticked when the field is 0
};

std::span<const GeneralOption> GeneralOptions();

// The state the check box shows: 0 or 1.
int OptionTicked(const GeneralOption& option, const Instance& plug);

}  // namespace velmora::editor
