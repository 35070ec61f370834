#pragma once
// The sockets a server watches, kept by the kernel between waits: a socket is
// registered once rather than handed over on every wait, and a wait costs by
// what is ready, not by how many sockets are watched. The set has a
// descriptor of its own that turns readable whenever a wait would report
// something, so whoever drives the server can sleep on that one descriptor.
#include <span>

#include "platform/sockets.h"

namespace platform::net {

enum class Interest { Read, Write };

struct Readiness {
    void* tag = nullptr;  // as registered
    // Errors and hang-ups count as both, so the next receive or send sees them.
    bool readable = false;
    bool writable = false;
};

class ReadinessSet {
public:
    ReadinessSet();
    ~ReadinessSet();
    ReadinessSet(const ReadinessSet&) = delete;
    ReadinessSet& operator=(const ReadinessSet&) = delete;

    bool ok() const { return descriptor_ >= 0; }
    // Watches the socket for one kind of readiness; `tag` comes back with it.
    bool add(Socket s, Interest interest, void* tag);
    bool change(Socket s, Interest interest, void* tag);
    // Call before closing the socket: a copy of the descriptor held elsewhere
    // (a child process between fork and exec) would keep it reported.
    void remove(Socket s) noexcept;
    // Waits at most timeoutMs (0: not at all) and writes at most out.size()
    // entries; what does not fit is reported by the next wait. Answers how
    // many were written (0 when interrupted), or -1 on failure.
    int wait(std::span<Readiness> out, int timeoutMs);
    // Readable whenever wait would report something.
    int descriptor() const { return descriptor_; }

private:
    int descriptor_ = -1;
};

}  // namespace platform::net
