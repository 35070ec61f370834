#include "host/desktop/transport.h"

#include <algorithm>
#include <cmath>

#include "sdk/plug_constants.h"

namespace velmora::host {

namespace {

// Often enough that a tick (5.2 ms at 120 BPM and 96 ppq) is rarely late.
constexpr guint kTimerMs = 5;

void SendTransport(ReferenceHost& host, std::intptr_t playing) {
    for (std::size_t i = 0; i < host.instanceCount(); ++i) {
        host.instance(static_cast<int>(i))->Dispatcher(plug::FPD_Transport, 0, playing);
        host.honourKillRequests();
    }
}

bool StartsItsOwnTransport(const Session& session) {
    return std::any_of(session.events.begin(), session.events.end(),
                       [](const ScoreEvent& e) { return e.kind == EventKind::Transport && e.tick == 0; });
}

}  // namespace

Transport::~Transport() {
    if (timer_ != 0) {
        g_source_remove(timer_);
    }
}

bool Transport::play(ReferenceHost& host, const Session& session, std::string& error) {
    stop();
    player_ = ScorePlayer::Create(host, session, error);
    if (!player_) {
        return false;
    }
    host_ = &host;
    session_ = &session;
    scoreChanged_ = false;
    ticksPerSecond_ = session.bpm * session.ppq / 60.0;
    startUs_ = g_get_monotonic_time();
    heldAtUs_ = startUs_;
    // Pressing Play starts the plugin's transport, unless the score starts it itself.
    if (!StartsItsOwnTransport(session)) {
        SendTransport(host, 1);
    }
    timer_ = g_timeout_add(kTimerMs, &Transport::OnTimer, this);
    if (holds_ == 0) {
        advance();
    }
    return true;
}

void Transport::stop() {
    if (!player_) {
        return;
    }
    g_source_remove(timer_);
    timer_ = 0;
    player_->releaseHeldNotes();
    SendTransport(*host_, 0);
    host_->killAllVoices();
    player_.reset();
    host_ = nullptr;
    session_ = nullptr;
    scoreChanged_ = false;
}

void Transport::hold() {
    if (holds_++ == 0) {
        heldAtUs_ = g_get_monotonic_time();
    }
}

void Transport::release() {
    if (holds_ > 0 && --holds_ == 0) {
        startUs_ += g_get_monotonic_time() - heldAtUs_;
    }
}

std::int64_t Transport::position() const { return player_ ? std::max<std::int64_t>(0, player_->nextTick() - 1) : 0; }

std::string Transport::BarBeatTick(std::int64_t tick, int ppq) {
    const std::int64_t beat = tick / ppq;
    char text[64];
    std::snprintf(text, sizeof(text), "%lld.%lld.%03lld", static_cast<long long>(beat / 4 + 1),
                  static_cast<long long>(beat % 4 + 1), static_cast<long long>(tick % ppq));
    return text;
}

void Transport::advance() {
    const double elapsed = static_cast<double>(g_get_monotonic_time() - startUs_) / 1e6;
    player_->playThrough(static_cast<std::int64_t>(std::floor(elapsed * ticksPerSecond_)));
    if (!player_->finished()) {
        return;
    }
    if (loop_) {
        // The next round starts where this one's length ends, so a late timer loses no time.
        startUs_ += static_cast<gint64>(std::llround(static_cast<double>(player_->lastTick() + 1) / ticksPerSecond_ * 1e6));
        player_->rewind();
        if (scoreChanged_) {
            std::string error;
            if (std::optional<ScorePlayer> edited = ScorePlayer::Create(*host_, *session_, error)) {
                player_ = std::move(edited);
            }
            scoreChanged_ = false;
        }
        return;
    }
    stop();
    if (stopped_) {
        stopped_();
    }
}

gboolean Transport::OnTimer(gpointer self) {
    auto& transport = *static_cast<Transport*>(self);
    if (transport.holds_ == 0 && transport.player_) {
        transport.advance();
    }
    return transport.timer_ != 0 ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

}  // namespace velmora::host
