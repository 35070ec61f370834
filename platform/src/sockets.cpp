#include "platform/sockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>

namespace platform::net {

namespace {
bool SetNonBlocking(Socket s) {
    const int flags = ::fcntl(s, F_GETFL, 0);
    return flags >= 0 && ::fcntl(s, F_SETFL, flags | O_NONBLOCK) == 0;
}

// A peer that goes away must not kill the process with SIGPIPE.
void IgnoreBrokenPipes() {
    static const bool done = [] {
        std::signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)done;
}
}  // namespace

Socket Listen(const std::string& port, int backlog) {
    IgnoreBrokenPipes();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    addrinfo* found = nullptr;
    if (::getaddrinfo(nullptr, port.c_str(), &hints, &found) != 0 || found == nullptr) {
        return kInvalidSocket;
    }
    Socket s = ::socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol);
    const int yes = 1;
    const bool ok = s >= 0 && SetNonBlocking(s) && ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes)) == 0 &&
                    ::bind(s, found->ai_addr, found->ai_addrlen) == 0 && ::listen(s, backlog) == 0;
    ::freeaddrinfo(found);
    if (!ok) {
        if (s >= 0) {
            ::close(s);
        }
        return kInvalidSocket;
    }
    return s;
}

int LocalPort(Socket s) {
    sockaddr_in a{};
    socklen_t len = sizeof(a);
    if (::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        return 0;
    }
    return ntohs(a.sin_port);
}

Socket Accept(Socket listener, std::string& peerAddress) {
    sockaddr_storage peer{};
    socklen_t len = sizeof(peer);
    const Socket s = ::accept4(listener, reinterpret_cast<sockaddr*>(&peer), &len, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (s < 0) {
        return kInvalidSocket;
    }
    char text[INET6_ADDRSTRLEN] = "";
    peerAddress.clear();
    if (peer.ss_family == AF_INET) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(&peer);
        if (::inet_ntop(AF_INET, &in->sin_addr, text, sizeof(text)) != nullptr) {
            peerAddress = text;
        }
    }
    return s;
}

Socket ConnectLoopback(int port) {
    IgnoreBrokenPipes();
    const Socket s = ::socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0) {
        return kInvalidSocket;
    }
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof(a)) != 0) {
        ::close(s);
        return kInvalidSocket;
    }
    return s;
}

IoResult Receive(Socket s, void* buffer, std::size_t capacity, std::size_t& received) {
    received = 0;
    const ssize_t n = ::recv(s, buffer, capacity, 0);
    if (n > 0) {
        received = static_cast<std::size_t>(n);
        return IoResult::Done;
    }
    if (n == 0) {
        return IoResult::Closed;
    }
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? IoResult::WouldBlock : IoResult::Failed;
}

IoResult Send(Socket s, const void* buffer, std::size_t length, std::size_t& sent, bool more) {
    sent = 0;
    const ssize_t n = ::send(s, buffer, length, MSG_NOSIGNAL | (more ? MSG_MORE : 0));
    if (n >= 0) {
        sent = static_cast<std::size_t>(n);
        return IoResult::Done;
    }
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? IoResult::WouldBlock : IoResult::Failed;
}

IoResult SendFile(Socket s, const RegularFile& file, std::uint64_t& offset, std::size_t length, std::size_t& sent) {
    sent = 0;
    off_t at = static_cast<off_t>(offset);
    const ssize_t n = ::sendfile(s, file.descriptor(), &at, length);
    if (n >= 0) {
        sent = static_cast<std::size_t>(n);
        offset = static_cast<std::uint64_t>(at);
        return IoResult::Done;
    }
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? IoResult::WouldBlock : IoResult::Failed;
}

void Close(Socket s) {
    if (s >= 0) {
        ::close(s);
    }
}

bool WaitReadable(int descriptor, int timeoutMs) {
    pollfd entry{descriptor, POLLIN, 0};
    return ::poll(&entry, 1, timeoutMs) > 0 && (entry.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

double NowSeconds() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

bool RaiseDescriptorLimit(std::size_t n) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return false;
    }
    if (limit.rlim_cur >= n) {
        return true;
    }
    limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, n);
    return ::setrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur >= n;
}

}  // namespace platform::net
