// The note names an instance shows in the piano roll, and reading typed ones.
#include "core/note_names.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "core/instance.h"
#include "shared/note_name.h"

namespace velmora {

namespace {

int ClampToInt(std::int64_t v) {
    constexpr std::int64_t kLow = std::numeric_limits<int>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<int>::max();
    return static_cast<int>(v < kLow ? kLow : (v > kHigh ? kHigh : v));
}

// Semitone above C of a note letter, -1 for any other character.
int Semitone(char letter) {
    switch (letter) {
        case 'C': case 'c': return 0;
        case 'D': case 'd': return 2;
        case 'E': case 'e': return 4;
        case 'F': case 'f': return 5;
        case 'G': case 'g': return 7;
        case 'A': case 'a': return 9;
        case 'B': case 'b': return 11;
        default: return -1;
    }
}

}  // namespace

void Instance::BuildNoteNames() {
    for (int n = 0; n < kMidiNotes; ++n) {
        const std::string name = NoteName(n, altmiddlec != 0);
        std::strncpy(noteNames[n].data(), name.c_str(), kNoteNameLength - 1);
        noteNames[n][kNoteNameLength - 1] = '\0';
    }
}

int ReadTypedInteger(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Stops growing once past every int, so no digit count overflows.
    constexpr std::int64_t kPastInt = std::int64_t{std::numeric_limits<int>::max()} + 2;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kPastInt) {
            value = value * 10 + (text[i] - '0');
        }
    }
    return ClampToInt(negative ? -value : value);
}

int ParseNoteName(std::string_view text, bool altMiddleC) {
    const int semitone = text.empty() ? -1 : Semitone(text[0]);
    if (semitone < 0) {
        return ReadTypedInteger(text);
    }
    int accidental = 0;
    std::size_t octaveFrom = 1;
    if (text.size() >= 2 && (text[1] == '#' || text[1] == 'b')) {
        accidental = text[1] == '#' ? 1 : -1;
        octaveFrom = 2;
    }
    const std::int64_t octave = ReadTypedInteger(text.substr(octaveFrom));
    return ClampToInt(semitone + accidental + 12 * (octave + 2 - (altMiddleC ? 1 : 0)));
}

}  // namespace velmora
