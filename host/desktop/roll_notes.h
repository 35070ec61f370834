#pragma once
// The notes of one instance in a session's score, as the piano roll edits
// them: found under the pointer, added on the grid, moved, lengthened,
// recoloured and removed. They stay in the session's event list, so the
// transport plays what the roll shows and saving writes it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "host/session.h"

namespace velmora::host {

inline constexpr int kLowestKey = 0;
inline constexpr int kHighestKey = 127;

// The roll's time grid: a quarter of a beat.
struct RollGrid {
    int ppq = 96;
    std::int64_t step() const { return ppq >= 4 ? ppq / 4 : 1; }
    // Down to the grid line at or before `tick`, never before 0.
    std::int64_t snap(std::int64_t tick) const;
};

// The note of `instance` that covers `tick` at `key` and is drawn on top (the
// last in the list); nullopt when there is none.
std::optional<std::size_t> NoteAt(const std::vector<ScoreEvent>& events, int instance, std::int64_t tick, int key);

// A note of `instance` at the grid line at or before `tick`, as long as
// `length` (at least a tick), added at the end of the list; its index. A
// note's velocity and release are those a session file's note has without them.
std::size_t AddNote(std::vector<ScoreEvent>& events, int instance, const RollGrid& grid, std::int64_t tick, int key,
                    std::int64_t length, int colour);
// To a start and key, kept on the score (tick 0 on) and the keyboard.
void MoveNote(std::vector<ScoreEvent>& events, std::size_t index, std::int64_t tick, int key);
void ResizeNote(std::vector<ScoreEvent>& events, std::size_t index, std::int64_t length);
void RecolourNote(std::vector<ScoreEvent>& events, std::size_t index, int colour);
void RemoveNote(std::vector<ScoreEvent>& events, std::size_t index);

// One drag of a note with the mouse. Moving keeps the note where it was
// grabbed under the pointer, its start on the grid; stretching puts its end on
// the grid line nearest the pointer, at least one step after its start.
class NoteDrag {
public:
    enum class Kind { Move, Stretch };
    NoteDrag(const std::vector<ScoreEvent>& events, std::size_t index, Kind kind, std::int64_t pointerTick);
    std::size_t index() const { return index_; }
    Kind kind() const { return kind_; }
    // Applies the pointer's place; whether the note changed.
    bool follow(std::vector<ScoreEvent>& events, const RollGrid& grid, std::int64_t pointerTick, int pointerKey) const;

private:
    std::size_t index_;
    Kind kind_;
    std::int64_t grabOffset_;  // pointer tick minus the note's start at the press
};

// The tick after the last note of `instance` ends (0 without notes).
std::int64_t NotesEnd(const std::vector<ScoreEvent>& events, int instance);

}  // namespace velmora::host
