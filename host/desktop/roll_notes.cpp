#include "host/desktop/roll_notes.h"

#include <algorithm>

namespace velmora::host {

namespace {

// What a session file's note is without "velocity" and "release".
constexpr int kDefaultVelocity = 100;
constexpr int kDefaultRelease = 0;

bool IsNoteOf(const ScoreEvent& e, int instance) { return e.kind == EventKind::Note && e.instance == instance; }

}  // namespace

std::int64_t RollGrid::snap(std::int64_t tick) const { return tick <= 0 ? 0 : tick - tick % step(); }

std::optional<std::size_t> NoteAt(const std::vector<ScoreEvent>& events, int instance, std::int64_t tick, int key) {
    for (std::size_t i = events.size(); i-- > 0;) {
        const ScoreEvent& e = events[i];
        if (IsNoteOf(e, instance) && e.key == key && tick >= e.tick && tick < e.tick + e.length) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t AddNote(std::vector<ScoreEvent>& events, int instance, const RollGrid& grid, std::int64_t tick, int key,
                    std::int64_t length, int colour) {
    ScoreEvent e;
    e.kind = EventKind::Note;
    e.instance = instance;
    e.tick = grid.snap(tick);
    e.key = std::clamp(key, kLowestKey, kHighestKey);
    e.length = std::max<std::int64_t>(1, length);
    e.colour = colour;
    e.level = LevelForVelocity(kDefaultVelocity);
    e.release = ReleaseForVelocity(kDefaultRelease);
    events.push_back(e);
    return events.size() - 1;
}

void MoveNote(std::vector<ScoreEvent>& events, std::size_t index, std::int64_t tick, int key) {
    ScoreEvent& e = events.at(index);
    e.tick = std::max<std::int64_t>(0, tick);
    e.key = std::clamp(key, kLowestKey, kHighestKey);
}

void ResizeNote(std::vector<ScoreEvent>& events, std::size_t index, std::int64_t length) {
    events.at(index).length = std::max<std::int64_t>(1, length);
}

void RecolourNote(std::vector<ScoreEvent>& events, std::size_t index, int colour) { events.at(index).colour = colour; }

void RemoveNote(std::vector<ScoreEvent>& events, std::size_t index) {
    events.erase(events.begin() + static_cast<std::ptrdiff_t>(index));
}

NoteDrag::NoteDrag(const std::vector<ScoreEvent>& events, std::size_t index, Kind kind, std::int64_t pointerTick)
    : index_(index), kind_(kind), grabOffset_(pointerTick - events.at(index).tick) {}

bool NoteDrag::follow(std::vector<ScoreEvent>& events, const RollGrid& grid, std::int64_t pointerTick, int pointerKey) const {
    ScoreEvent& e = events.at(index_);
    const ScoreEvent before = e;
    if (kind_ == Kind::Move) {
        // Rounded to the nearest line, so a note follows the pointer both ways alike.
        const std::int64_t start = grid.snap(pointerTick - grabOffset_ + grid.step() / 2);
        MoveNote(events, index_, start, pointerKey);
    } else {
        const std::int64_t end = grid.snap(pointerTick + grid.step() / 2);
        ResizeNote(events, index_, std::max(end - e.tick, grid.step()));
    }
    return e.tick != before.tick || e.key != before.key || e.length != before.length;
}

std::int64_t NotesEnd(const std::vector<ScoreEvent>& events, int instance) {
    std::int64_t end = 0;
    for (const ScoreEvent& e : events) {
        if (IsNoteOf(e, instance)) {
            end = std::max(end, e.tick + e.length);
        }
    }
    return end;
}

}  // namespace velmora::host
