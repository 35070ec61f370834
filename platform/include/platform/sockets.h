#pragma once
// Non-blocking TCP sockets, as the HTTP server needs them; readiness_set.h
// watches many of them at once.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/regular_file.h"

namespace platform::net {

using Socket = int;
inline constexpr Socket kInvalidSocket = -1;

// A listening IPv4 socket on all local addresses for the port text (a number
// or a service name), non-blocking, address reuse on; kInvalidSocket on failure.
Socket Listen(const std::string& port, int backlog);
// The port a socket is bound to (0 when unknown).
int LocalPort(Socket s);
// Accepts one pending connection, non-blocking and closed on exec, with the
// peer's numeric address; kInvalidSocket when none is pending or on failure.
Socket Accept(Socket listener, std::string& peerAddress);
// Connects to 127.0.0.1:port (blocking), for tests and tools.
Socket ConnectLoopback(int port);

enum class IoResult { Done, WouldBlock, Closed, Failed };
IoResult Receive(Socket s, void* buffer, std::size_t capacity, std::size_t& received);
// `more`: further bytes follow at once, so a short piece need not leave as a
// packet of its own.
IoResult Send(Socket s, const void* buffer, std::size_t length, std::size_t& sent, bool more = false);
// Sends up to `length` bytes of the file from `offset` without copying them
// through this process, and moves `offset` on by what went. Done with nothing
// sent means the file ended early.
IoResult SendFile(Socket s, const RegularFile& file, std::uint64_t& offset, std::size_t length, std::size_t& sent);
void Close(Socket s);

// Waits until the descriptor is readable or timeoutMs passes; true when it is
// readable (or in error, so that reading it tells).
bool WaitReadable(int descriptor, int timeoutMs);

// Wall-clock seconds.
double NowSeconds();
// Raises this process's open-descriptor limit to at least n (as far as allowed).
bool RaiseDescriptorLimit(std::size_t n);

}  // namespace platform::net
