#pragma once
// Hands a cycle's messages to the output ports, after those still waiting
// from earlier cycles. Once a port's buffer is full, everything after it
// waits too (at the first frame of the next cycle), so no port's messages
// change their order; only a full queue drops. Fixed memory, process thread only.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "host/live/live_host.h"

namespace velmora::host::live {

enum class Written { Sent, NoRoom, NoPort };

struct OutputCounts {
    std::uint64_t sent = 0;
    std::uint64_t dropped = 0;  // no port for it, or no room left to wait
    std::uint64_t late = 0;     // put off to a later cycle
};

class OutputQueue {
public:
    explicit OutputQueue(std::size_t capacity) : capacity_(capacity), waiting_(std::make_unique<LiveMessage[]>(capacity)) {}

    // `write(message)` answers what became of one message.
    template <typename Write>
    OutputCounts flush(const LiveMessage* messages, std::size_t count, Write write) {
        OutputCounts c;
        bool full = false;
        while (count_ > 0 && !full) {
            LiveMessage m = waiting_[head_];
            m.frame = 0;
            const Written w = write(m);
            full = w == Written::NoRoom;
            if (!full) {
                tally(w, c);
                head_ = (head_ + 1) % capacity_;
                --count_;
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            const Written w = full ? Written::NoRoom : write(messages[i]);
            if (w != Written::NoRoom) {
                tally(w, c);
                continue;
            }
            full = true;
            if (count_ == capacity_) {
                ++c.dropped;
                continue;
            }
            waiting_[(head_ + count_) % capacity_] = messages[i];
            ++count_;
            ++c.late;
        }
        return c;
    }

    std::size_t waiting() const { return count_; }

private:
    static void tally(Written w, OutputCounts& c) {
        c.sent += w == Written::Sent ? 1 : 0;
        c.dropped += w == Written::NoPort ? 1 : 0;
    }

    std::size_t capacity_;
    std::unique_ptr<LiveMessage[]> waiting_;
    std::size_t head_ = 0;
    std::size_t count_ = 0;
};

}  // namespace velmora::host::live
