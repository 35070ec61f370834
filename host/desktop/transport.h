#pragma once
// The desktop's transport: plays the session's score in real time from a
// GTK timer on the main thread, advancing by the ticks the elapsed time
// covers; Stop releases what sounds and stops the plugin's transport; Loop
// starts over at the end.
#include <glib.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "host/player.h"

namespace velmora::host {

class Transport {
public:
    // stopped: the transport stopped by itself at the score's end.
    explicit Transport(std::function<void()> stopped) : stopped_(std::move(stopped)) {}
    ~Transport();
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    // Plays `session` through `host`'s instances from tick 0; false and the
    // reason for a score that cannot be played. Both must outlive the play.
    bool play(ReferenceHost& host, const Session& session, std::string& error);
    void stop();
    bool playing() const { return player_.has_value(); }
    void setLoop(bool on) { loop_ = on; }
    // The score was edited while it plays: a loop's next round plays it as it
    // is then (this round goes on as it began).
    void scoreChanged() { scoreChanged_ = player_.has_value(); }
    bool loop() const { return loop_; }

    // Nested holds while a dialog runs inside a call of the plugin: no tick
    // is played, and the time held does not count.
    void hold();
    void release();

    // The tick the score has reached (the last one played).
    std::int64_t position() const;
    // "bar.beat.tick" at four beats to the bar.
    static std::string BarBeatTick(std::int64_t tick, int ppq);

private:
    static gboolean OnTimer(gpointer self);
    void advance();

    std::function<void()> stopped_;
    std::optional<ScorePlayer> player_;
    ReferenceHost* host_ = nullptr;
    const Session* session_ = nullptr;
    double ticksPerSecond_ = 0.0;
    gint64 startUs_ = 0;   // when tick 0 was, by the monotonic clock
    gint64 heldAtUs_ = 0;
    int holds_ = 0;
    guint timer_ = 0;
    bool loop_ = false;
    bool scoreChanged_ = false;
};

}  // namespace velmora::host
