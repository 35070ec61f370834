#include "platform/readiness_set.h"

#include <sys/epoll.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace platform::net {

namespace {
epoll_event EventFor(Interest interest, void* tag) {
    epoll_event e{};
    e.events = interest == Interest::Read ? EPOLLIN : EPOLLOUT;
    e.data.ptr = tag;
    return e;
}
}  // namespace

ReadinessSet::ReadinessSet() : descriptor_(::epoll_create1(EPOLL_CLOEXEC)) {}

ReadinessSet::~ReadinessSet() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

bool ReadinessSet::add(Socket s, Interest interest, void* tag) {
    epoll_event e = EventFor(interest, tag);
    return ::epoll_ctl(descriptor_, EPOLL_CTL_ADD, s, &e) == 0;
}

bool ReadinessSet::change(Socket s, Interest interest, void* tag) {
    epoll_event e = EventFor(interest, tag);
    return ::epoll_ctl(descriptor_, EPOLL_CTL_MOD, s, &e) == 0;
}

void ReadinessSet::remove(Socket s) noexcept {
    epoll_event unused{};
    ::epoll_ctl(descriptor_, EPOLL_CTL_DEL, s, &unused);
}

int ReadinessSet::wait(std::span<Readiness> out, int timeoutMs) {
    if (out.empty()) {
        return 0;
    }
    thread_local std::vector<epoll_event> events;
    events.resize(out.size());
    const int n = ::epoll_wait(descriptor_, events.data(), static_cast<int>(events.size()), timeoutMs);
    if (n < 0) {
        return errno == EINTR ? 0 : -1;
    }
    for (int i = 0; i < n; ++i) {
        const std::uint32_t r = events[i].events;
        const bool trouble = (r & (EPOLLHUP | EPOLLERR)) != 0;
        out[i].tag = events[i].data.ptr;
        out[i].readable = trouble || (r & EPOLLIN) != 0;
        out[i].writable = trouble || (r & EPOLLOUT) != 0;
    }
    return n;
}

}  // namespace platform::net
