#include "http/server.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "http/request_line.h"

namespace velmora::http {

namespace net = platform::net;

namespace {

constexpr int kBacklog = 1023;
constexpr std::size_t kReadChunk = 4095;
// Readiness reports taken per wait; more wait for the next round.
constexpr std::size_t kReadyPerRound = 256;
constexpr std::size_t kSpareSendBuffers = 4;
constexpr std::size_t kSpareCapacityLimit = 1u << 20;
// Files up to this size are read into the send buffer; larger ones go
// straight from the file.
constexpr std::uint64_t kFileReadLimit = 64u << 10;
constexpr std::string_view kHeaderEnd = "\r\n\r\n";

void Emit(Server& server, EventType type, Connection* c, const char* method = "", const char* path = "") {
    Event e;
    e.type = type;
    e.context = server.context;
    e.server = &server;
    e.connection = c;
    e.peerAddress = c != nullptr ? c->peerAddress.c_str() : "";
    e.method = method;
    e.path = path;
    server.handler(e);
}

// The request is in: read its line, decode the path, hand it on.
int CompleteRequest(Server& server, Connection& c) {
    c.state = kRequestComplete;
    c.receiveBuffer.push_back('\0');
    const std::string_view request(c.receiveBuffer.data(), c.receiveBuffer.size() - 1);
    const auto line = ParseRequestLine(request);
    if (!line) {
        c.state = kClosing;  // not a request we answer
        return 0;
    }
    const std::string path = DecodePath(request.substr(line->targetOffset));
    Event e;
    e.type = EventType::Request;
    e.context = server.context;
    e.server = &server;
    e.connection = &c;
    e.peerAddress = c.peerAddress.c_str();
    e.method = line->method.c_str();
    e.path = path.c_str();
    const int result = server.handler(e);
    if (result == 1) {
        c.state = kClosing;
    }
    return result < 0 ? result : 0;
}

// Takes the bytes of one read; returns true once the request is complete.
// The buffer keeps the request and nothing after it: bytes past its end are
// dropped, as later requests on the connection are not answered.
bool Take(Server& server, Connection& c, const char* bytes, std::size_t n) {
    std::vector<char>& buffer = c.receiveBuffer;
    const std::size_t before = buffer.size();
    buffer.insert(buffer.end(), bytes, bytes + n);
    if (c.state == kReadingHeader) {
        // The end may straddle the previous read: look back three bytes.
        const std::string_view text(buffer.data(), buffer.size());
        const std::size_t at = text.find(kHeaderEnd, before >= 3 ? before - 3 : 0);
        if (at == std::string_view::npos) {
            return false;
        }
        const std::size_t header = at + kHeaderEnd.size();
        c.state = kReadingBody;
        c.headerLength = header;
        const auto length = FindContentLength(text.substr(0, header));
        if (!length || *length > server.requestSizeLimit || header + *length > server.requestSizeLimit) {
            buffer.resize(header);
            if (length) {
                c.state = kClosing;  // refused at once: too large to take
                return false;
            }
            return true;
        }
        c.expectedLength = header + *length;
    }
    if (c.state == kReadingBody && buffer.size() >= c.expectedLength) {
        buffer.resize(c.expectedLength);
        return true;
    }
    return false;
}

int Receive(Server& server, Connection& c) {
    char chunk[kReadChunk];
    for (;;) {
        std::size_t got = 0;
        const net::IoResult r = net::Receive(c.socket, chunk, sizeof(chunk), got);
        if (r == net::IoResult::WouldBlock) {
            return 0;
        }
        if (r != net::IoResult::Done) {
            c.state = kClosing;
            return 0;
        }
        c.lastActivity = server.now;
        const int result = ReceiveBytes(server, c, chunk, got);
        if (result < 0 || c.state >= kRequestComplete) {
            return result;  // later bytes of the connection are not read
        }
    }
}

bool Sending(const Connection& c) { return c.state >= kRequestComplete && c.state != kClosing; }

std::uint64_t FileLeft(const Connection& c) {
    return c.state == kBodyFromFile && c.file.isOpen() && c.fileOffset < c.file.size() ? c.file.size() - c.fileOffset
                                                                                        : 0;
}

// Sends until the socket takes no more or the response is out; the
// connection closes once it is.
void SendPending(Server& server, Connection& c) {
    for (;;) {
        std::size_t sent = 0;
        net::IoResult r = net::IoResult::Done;
        const std::uint64_t fileLeft = FileLeft(c);
        if (c.sendOffset < c.sendBuffer.size()) {
            // Always "more to come": after the last piece the close follows at
            // once and sends it, with the end of the connection in its packet.
            r = net::Send(c.socket, c.sendBuffer.data() + c.sendOffset, c.sendBuffer.size() - c.sendOffset, sent, true);
            c.sendOffset += sent;
        } else if (fileLeft > 0) {
            const std::size_t piece = fileLeft < (1u << 30) ? static_cast<std::size_t>(fileLeft) : std::size_t{1} << 30;
            r = net::SendFile(c.socket, c.file, c.fileOffset, piece, sent);
            if (r == net::IoResult::Done && sent == 0) {
                c.state = kClosing;  // the file got shorter: what it had is out
                return;
            }
        } else {
            c.state = kClosing;  // the whole response is out
            return;
        }
        if (r == net::IoResult::Failed || r == net::IoResult::Closed) {
            c.state = kClosing;
            return;
        }
        if (r == net::IoResult::WouldBlock || sent == 0) {
            return;
        }
        c.lastActivity = server.now;
    }
}

// Watches the connection for what it waits for next: the request, or room to
// send. One that cannot be watched could never go on, so it closes.
void WatchNext(Server& server, Connection& c) {
    const Watch wanted = c.state < kRequestComplete ? Watch::Read : Sending(c) ? Watch::Write : Watch::None;
    if (wanted == c.watch || wanted == Watch::None) {
        return;  // a closing connection is taken out as it is removed
    }
    const net::Interest interest = wanted == Watch::Read ? net::Interest::Read : net::Interest::Write;
    const bool ok = c.watch == Watch::None ? server.ready.add(c.socket, interest, &c)
                                           : server.ready.change(c.socket, interest, &c);
    if (!ok) {
        c.state = kClosing;
        return;
    }
    c.watch = wanted;
}

// Reads what arrived and sends what the socket takes.
int Serve(Server& server, Connection& c, bool readable, bool writable) {
    const bool reading = c.state < kRequestComplete;
    if (readable && reading) {
        const int r = Receive(server, c);
        if (r < 0) {
            return r;
        }
    }
    // A fresh response usually fits the socket at once: no need to wait a
    // round for it to show as writable.
    if (Sending(c) && (writable || reading)) {
        SendPending(server, c);
    }
    WatchNext(server, c);
    return 0;
}

bool Expired(const Server& s, const Connection& c) {
    if (s.idleTimeoutMs > 0 && s.now - c.lastActivity > s.idleTimeoutMs / 1000.0) {
        return true;
    }
    if (s.lifetimeLimitMs > 0 && s.now - c.created > s.lifetimeLimitMs / 1000.0) {
        return true;
    }
    // Once the request is in, the response may take as long as the client
    // needs to read it: only the idle timer watches that.
    if (c.state < kRequestComplete && s.requestDeadlineMs > 0 && s.now - c.created > s.requestDeadlineMs / 1000.0) {
        return true;
    }
    // The size limit bounds what a client may make the server hold while it
    // reads; a request that came in under it keeps its whole response.
    return c.state < kRequestComplete && s.requestSizeLimit > 0 && c.receiveBuffer.size() >= s.requestSizeLimit;
}

void Remove(Server& server, std::list<std::unique_ptr<Connection>>::iterator it) {
    Connection& c = **it;
    Emit(server, EventType::Close, &c);
    if (c.watch != Watch::None) {
        server.ready.remove(c.socket);
    }
    net::Close(c.socket);
    // Reserved up front, so keeping the buffer never allocates here.
    if (server.spareSendBuffers.size() < server.spareSendBuffers.capacity() &&
        c.sendBuffer.capacity() <= kSpareCapacityLimit) {
        c.sendBuffer.clear();
        server.spareSendBuffers.push_back(std::move(c.sendBuffer));
    }
    server.connections.erase(it);
}

void Accept(Server& server) {
    for (;;) {
        std::string peer;
        const net::Socket s = net::Accept(server.listener, peer);
        if (s == net::kInvalidSocket) {
            return;
        }
        try {
            server.connections.push_front(std::make_unique<Connection>());
        } catch (...) {
            net::Close(s);  // not held by any connection yet
            throw;
        }
        const auto place = server.connections.begin();
        Connection& c = **place;
        c.server = &server;
        c.socket = s;
        c.peerAddress = peer;
        c.created = c.lastActivity = server.now;
        if (!server.spareSendBuffers.empty()) {
            c.sendBuffer = std::move(server.spareSendBuffers.back());
            server.spareSendBuffers.pop_back();
        }
        Emit(server, EventType::Connect, &c);
        // The request often arrives with the connection: take it now, and
        // watch the connection only if it has to wait for something.
        if (Serve(server, c, true, false) < 0) {
            return;
        }
        // Answered at once: closed at once, so the next one gets its buffer.
        if (c.state == kClosing) {
            Remove(server, place);
        }
    }
}

}  // namespace

int ReceiveBytes(Server& server, Connection& c, const char* bytes, std::size_t n) {
    if (c.state >= kRequestComplete) {
        return 0;
    }
    if (Take(server, c, bytes, n)) {
        return CompleteRequest(server, c);
    }
    return 0;
}

Server::~Server() {
    while (!connections.empty()) {
        Remove(*this, connections.begin());
    }
    net::Close(listener);
}

std::unique_ptr<Server> CreateServer(const std::string& port, Handler handler, void* context) {
    const net::Socket s = net::Listen(port, kBacklog);
    if (s == net::kInvalidSocket) {
        return nullptr;
    }
    auto server = std::make_unique<Server>();
    server->listener = s;
    if (!server->ready.ok() || !server->ready.add(s, net::Interest::Read, nullptr)) {
        return nullptr;  // the server closes the listener
    }
    server->handler = handler;
    server->context = context;
    server->now = net::NowSeconds();
    server->spareSendBuffers.reserve(kSpareSendBuffers);
    return server;
}

int ServerPort(const Server& server) { return net::LocalPort(server.listener); }

int WaitDescriptor(const Server& server) { return server.ready.descriptor(); }

int PollServer(Server& server, int timeoutMs) {
    thread_local std::vector<net::Readiness> ready(kReadyPerRound);
    const int n = server.ready.wait(ready, timeoutMs);
    if (n < 0) {
        return -1;
    }
    server.now = net::NowSeconds();

    // Connections leave only after this loop, so every reported tag is still
    // a living connection here.
    bool pending = false;
    for (int i = 0; i < n; ++i) {
        if (ready[i].tag == nullptr) {
            pending = true;  // the listener
            continue;
        }
        const int r = Serve(server, *static_cast<Connection*>(ready[i].tag), ready[i].readable, ready[i].writable);
        if (r < 0) {
            return r;
        }
    }
    // A finished connection closes in the round that finished it: the client
    // knows the response is whole only by the close.
    for (auto it = server.connections.begin(); it != server.connections.end();) {
        auto current = it++;
        if ((*current)->state == kClosing || Expired(server, **current)) {
            Remove(server, current);
        }
    }
    if (pending) {
        Accept(server);
    }
    return 0;
}

int SendStatus(Connection& c, int code, const char* reason) {
    if (c.state != kRequestComplete) {
        return -1;
    }
    char line[128];
    const int n = std::snprintf(line, sizeof(line), "HTTP/1.1 %d %s\r\n", code, reason != nullptr ? reason : "");
    c.sendBuffer.append(line, static_cast<std::size_t>(n) < sizeof(line) ? static_cast<std::size_t>(n) : sizeof(line) - 1);
    c.state = kStatusWritten;
    return 0;
}

int SendHeader(Connection& c, const char* name, const char* value) {
    if (c.state == kRequestComplete) {
        SendStatus(c, 200, "OK");
    }
    if (c.state != kStatusWritten) {
        return -1;
    }
    c.sendBuffer.append(name).append(": ").append(value).append("\r\n");
    return 0;
}

int EndHeaders(Connection& c) {
    if (c.state == kRequestComplete) {
        SendStatus(c, 200, "OK");
    }
    if (c.state != kStatusWritten) {
        return -1;
    }
    c.sendBuffer.append("\r\n");
    c.state = kHeaderEnded;
    return 0;
}

std::string* ResponseBody(Connection& c) {
    if (c.state < kRequestComplete || c.state > kHeaderEnded) {
        return nullptr;
    }
    if (c.state < kHeaderEnded && EndHeaders(c) < 0) {
        return nullptr;
    }
    return &c.sendBuffer;
}

int Write(Connection& c, const void* bytes, std::size_t length) {
    std::string* body = ResponseBody(c);
    if (body == nullptr) {
        return -1;
    }
    body->append(static_cast<const char*>(bytes), length);
    return 0;
}

int SendFileBody(Connection& c, platform::RegularFile file) {
    std::string* body = ResponseBody(c);
    if (body == nullptr) {
        return -1;
    }
    c.state = kBodyFromFile;
    if (file.size() > kFileReadLimit) {
        c.file = std::move(file);
        c.fileOffset = 0;
        return 0;
    }
    // A small file is read whole: its bytes then leave with the header in one
    // send, and the close puts the end of the connection in the same packet.
    const std::size_t at = body->size();
    body->resize(at + static_cast<std::size_t>(file.size()));
    const std::int64_t n = file.readAt(0, body->data() + at, static_cast<std::size_t>(file.size()));
    body->resize(at + static_cast<std::size_t>(n > 0 ? n : 0));
    return 0;
}

bool ResponsePending(const Connection& c) {
    return Sending(c) && (c.sendOffset < c.sendBuffer.size() || FileLeft(c) > 0);
}

int WriteFormatted(Connection& c, const char* format, ...) {
    std::string out;
    va_list args;
    va_start(args, format);
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        const char* start = p++;
        while (*p != '\0' && std::strchr("-+ #0123456789.", *p) != nullptr) {
            ++p;
        }
        if (*p == '\0') {
            break;
        }
        const std::string conversion(start, static_cast<std::size_t>(p - start + 1));
        char temp[512];
        temp[0] = '\0';
        switch (*p) {
            case 's': {
                const char* s = va_arg(args, const char*);
                out += s != nullptr ? s : "(null)";
                break;
            }
            case 'd': case 'i': case 'u': case 'x': case 'X': case 'c':
                std::snprintf(temp, sizeof(temp), conversion.c_str(), va_arg(args, int));
                out += temp;
                break;
            case 'f': case 'g':
                std::snprintf(temp, sizeof(temp), conversion.c_str(), va_arg(args, double));
                out += temp;
                break;
            case 'p':
                std::snprintf(temp, sizeof(temp), conversion.c_str(), va_arg(args, void*));
                out += temp;
                break;
            default: out += *p; break;  // "%%" and unknown letters
        }
    }
    va_end(args);
    return Write(c, out.data(), out.size());
}

}  // namespace velmora::http
