#pragma once
// The embedded HTTP/1.1 server: one listening socket, one request per
// connection, polled without blocking from the host's interface thread. It
// knows nothing of the plugin: the plugin gives it a handler and a context.
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "platform/readiness_set.h"
#include "platform/regular_file.h"
#include "platform/sockets.h"

namespace velmora::http {

enum ConnectionState : int {
    kReadingHeader = 0,
    kReadingBody = 1,
    kRequestComplete = 2,
    kStatusWritten = 3,
    kHeaderEnded = 4,
    kBodyFromFile = 5,  // the rest of the body comes from a file: nothing more is written
    kClosing = 6,
};

// How the server's readiness set watches a connection's socket.
enum class Watch { None, Read, Write };

enum class EventType { Connect = 0, Close = 1, Request = 2 };

struct Server;

struct Connection {
    int state = kReadingHeader;
    Server* server = nullptr;
    std::string peerAddress;
    double created = 0.0;
    double lastActivity = 0.0;
    std::size_t expectedLength = 0;  // header + Content-Length, once the header is in
    std::size_t headerLength = 0;    // where the body starts in the receive buffer
    platform::net::Socket socket = platform::net::kInvalidSocket;
    std::vector<char> receiveBuffer;  // zero-terminated once the request is complete
    std::string sendBuffer;           // status line, headers and the body written so far
    std::size_t sendOffset = 0;       // how much of sendBuffer is out
    platform::RegularFile file;       // with kBodyFromFile: the body after sendBuffer
    std::uint64_t fileOffset = 0;     // how much of the file is out
    Watch watch = Watch::None;
};

struct Event {
    EventType type = EventType::Connect;
    void* context = nullptr;
    Server* server = nullptr;
    Connection* connection = nullptr;
    const char* peerAddress = "";
    const char* method = "";  // requests only
    const char* path = "";    // requests only: decoded
};

// 0 goes on, 1 closes the connection, negative is an error the poll returns.
using Handler = int (*)(Event& event);

// Refuses requests above this size: one client must not make the host hold
// unbounded memory. Any articulation set fits many times over.
inline constexpr std::size_t kRequestSizeLimit = 4u << 20;
inline constexpr int kIdleTimeoutMs = 30000;
// A client gets this long from being accepted to deliver its whole request.
// The idle timer alone restarts with every byte, so a trickle of one byte a
// second would hold a descriptor for ever.
inline constexpr int kRequestDeadlineMs = 10000;

struct Server {
    std::list<std::unique_ptr<Connection>> connections;  // newest first
    Handler handler = nullptr;
    platform::net::Socket listener = platform::net::kInvalidSocket;
    // The listener, and every connection that waits for its client.
    platform::net::ReadinessSet ready;
    // Send buffers of closed connections, capacity kept: a large listing
    // then reuses memory instead of mapping fresh pages for every request.
    std::vector<std::string> spareSendBuffers;
    void* context = nullptr;
    double now = 0.0;
    int idleTimeoutMs = kIdleTimeoutMs;
    int requestDeadlineMs = kRequestDeadlineMs;  // while reading the request only; 0 = none
    int lifetimeLimitMs = 0;  // 0 = none
    std::size_t requestSizeLimit = kRequestSizeLimit;

    ~Server();
};

// A listening server on the port text, or nullptr when it cannot listen.
std::unique_ptr<Server> CreateServer(const std::string& port, Handler handler, void* context);
// One round of accepting, reading and writing; waits at most timeoutMs.
int PollServer(Server& server, int timeoutMs);
// Readable whenever PollServer has something to do: whoever drives the server
// may sleep on it between polls instead of polling at a fixed pace.
int WaitDescriptor(const Server& server);
// Takes bytes a connection received: completes and hands on the request once
// it is whole. The socket loop uses it; tests and the fuzzer feed it directly.
int ReceiveBytes(Server& server, Connection& c, const char* bytes, std::size_t n);
// The port actually listened on.
int ServerPort(const Server& server);

// Response operations; each refuses with -1 when the connection is past the
// state it needs.
int SendStatus(Connection& c, int code, const char* reason);
int SendHeader(Connection& c, const char* name, const char* value);
int EndHeaders(Connection& c);
int Write(Connection& c, const void* bytes, std::size_t length);
// The buffer to append the body to, the header section ended first if it is
// still open; nullptr when the connection takes no more body. Spares a large
// body the copy Write makes.
std::string* ResponseBody(Connection& c);
// Ends the header section if it is open and takes the file as the rest of the
// body: a small one read into the send buffer at once, a larger one sent
// straight from the file as the client takes it. Nothing can be written after.
int SendFileBody(Connection& c, platform::RegularFile file);
// Part of the response is still to go out.
bool ResponsePending(const Connection& c);
// printf-like: %s (null written as "(null)"), %d %i %u %x %X %c (32-bit),
// %f %g (double), %p; flags, width and precision pass to the C formatter;
// any other letter after "%" is written as itself.
int WriteFormatted(Connection& c, const char* format, ...);

}  // namespace velmora::http
