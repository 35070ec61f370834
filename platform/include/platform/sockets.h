#pragma once
// Non-blocking TCP sockets and readiness polling, as the HTTP server needs
// them. poll() has no ceiling on descriptor numbers.
#include <cstddef>
#include <span>
#include <string>

namespace platform::net {

using Socket = int;
inline constexpr Socket kInvalidSocket = -1;

// A listening IPv4 socket on all local addresses for the port text (a number
// or a service name), non-blocking, address reuse on; kInvalidSocket on failure.
Socket Listen(const std::string& port, int backlog);
// The port a socket is bound to (0 when unknown).
int LocalPort(Socket s);
// Accepts one pending connection, non-blocking, with the peer's numeric
// address; kInvalidSocket when none is pending or on failure.
Socket Accept(Socket listener, std::string& peerAddress);
// Connects to 127.0.0.1:port (blocking), for tests and tools.
Socket ConnectLoopback(int port);

enum class IoResult { Done, WouldBlock, Closed, Failed };
IoResult Receive(Socket s, void* buffer, std::size_t capacity, std::size_t& received);
IoResult Send(Socket s, const void* buffer, std::size_t length, std::size_t& sent);
void Close(Socket s);

struct PollEntry {
    Socket socket = kInvalidSocket;
    bool wantRead = false;
    bool wantWrite = false;
    bool readable = false;
    bool writable = false;
};
// Waits at most timeoutMs (0: not at all); marks readiness; -1 on failure.
int Poll(std::span<PollEntry> entries, int timeoutMs);

// Wall-clock seconds.
double NowSeconds();
// Raises this process's open-descriptor limit to at least n (as far as allowed).
bool RaiseDescriptorLimit(std::size_t n);

}  // namespace platform::net
