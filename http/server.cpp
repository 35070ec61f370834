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
constexpr std::size_t kMaxSocketsPerSet = 2048;
constexpr std::size_t kReadChunk = 4095;

void Append(std::vector<char>& buffer, const void* bytes, std::size_t n) {
    const char* p = static_cast<const char*>(bytes);
    buffer.insert(buffer.end(), p, p + n);
}

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
bool Take(Server& server, Connection& c, const char* bytes, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        c.receiveBuffer.push_back(bytes[i]);
        const std::size_t size = c.receiveBuffer.size();
        if (c.state == kReadingHeader && size >= 4 && std::memcmp(c.receiveBuffer.data() + size - 4, "\r\n\r\n", 4) == 0) {
            c.state = kReadingBody;
            c.headerLength = size;
            const auto length = FindContentLength(std::string_view(c.receiveBuffer.data(), size));
            if (!length) {
                return true;
            }
            if (*length > server.requestSizeLimit || size + *length > server.requestSizeLimit) {
                c.state = kClosing;  // refused at once: too large to take
                return false;
            }
            c.expectedLength = size + *length;
        }
        if (c.state == kReadingBody && size == c.expectedLength) {
            return true;
        }
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

void SendPending(Server& server, Connection& c) {
    if (c.sendBuffer.empty()) {
        c.state = kClosing;  // the whole response is out
        return;
    }
    std::size_t sent = 0;
    const net::IoResult r = net::Send(c.socket, c.sendBuffer.data(), c.sendBuffer.size(), sent);
    if (r == net::IoResult::Failed || r == net::IoResult::Closed) {
        c.state = kClosing;
        return;
    }
    if (sent > 0) {
        c.sendBuffer.erase(c.sendBuffer.begin(), c.sendBuffer.begin() + static_cast<std::ptrdiff_t>(sent));
        c.lastActivity = server.now;
    }
    if (c.sendBuffer.empty()) {
        c.state = kClosing;  // everything the handler appended is out
    }
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
    net::Close(c.socket);
    server.connections.erase(it);
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
    server->handler = handler;
    server->context = context;
    server->now = net::NowSeconds();
    return server;
}

int ServerPort(const Server& server) { return net::LocalPort(server.listener); }

int PollServer(Server& server, int timeoutMs) {
    thread_local std::vector<net::PollEntry> entries;
    thread_local std::vector<Connection*> polled;
    entries.clear();
    polled.clear();
    entries.push_back({server.listener, true, false, false, false});
    std::size_t reading = 0, writing = 0;
    for (const auto& c : server.connections) {
        const bool read = c->state < kRequestComplete && reading < kMaxSocketsPerSet;
        const bool write = c->state >= kRequestComplete && c->state != kClosing && writing < kMaxSocketsPerSet;
        if (read || write) {
            entries.push_back({c->socket, read, write, false, false});
            polled.push_back(c.get());
            reading += read ? 1 : 0;
            writing += write ? 1 : 0;
        }
    }
    if (net::Poll(entries, timeoutMs) < 0) {
        return -1;
    }
    server.now = net::NowSeconds();

    for (std::size_t i = 0; i < polled.size(); ++i) {
        Connection& c = *polled[i];
        if (entries[i + 1].readable && c.state < kRequestComplete) {
            const int r = Receive(server, c);
            if (r < 0) {
                return r;
            }
            // A fresh response usually fits the socket at once: no need to
            // wait a round for it to show as writable.
            if (c.state >= kRequestComplete && c.state != kClosing) {
                SendPending(server, c);
            }
        }
        if (entries[i + 1].writable && c.state >= kRequestComplete && c.state != kClosing) {
            SendPending(server, c);
        }
    }
    for (auto it = server.connections.begin(); it != server.connections.end();) {
        auto current = it++;
        if ((*current)->state == kClosing || Expired(server, **current)) {
            Remove(server, current);
        }
    }

    if (entries[0].readable) {
        for (;;) {
            std::string peer;
            const net::Socket s = net::Accept(server.listener, peer);
            if (s == net::kInvalidSocket) {
                break;
            }
            auto c = std::make_unique<Connection>();
            c->server = &server;
            c->socket = s;
            c->peerAddress = peer;
            c->created = c->lastActivity = server.now;
            Connection* raw = c.get();
            server.connections.push_front(std::move(c));
            Emit(server, EventType::Connect, raw);
            // The request often arrives with the connection: take it now.
            const int r = Receive(server, *raw);
            if (r < 0) {
                return r;
            }
            if (raw->state >= kRequestComplete && raw->state != kClosing) {
                SendPending(server, *raw);
            }
        }
    }
    return 0;
}

int SendStatus(Connection& c, int code, const char* reason) {
    if (c.state != kRequestComplete) {
        return -1;
    }
    char line[128];
    const int n = std::snprintf(line, sizeof(line), "HTTP/1.1 %d %s\r\n", code, reason != nullptr ? reason : "");
    Append(c.sendBuffer, line, static_cast<std::size_t>(n) < sizeof(line) ? static_cast<std::size_t>(n) : sizeof(line) - 1);
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
    const std::string line = std::string(name) + ": " + value + "\r\n";
    Append(c.sendBuffer, line.data(), line.size());
    return 0;
}

int EndHeaders(Connection& c) {
    if (c.state == kRequestComplete) {
        SendStatus(c, 200, "OK");
    }
    if (c.state != kStatusWritten) {
        return -1;
    }
    Append(c.sendBuffer, "\r\n", 2);
    c.state = kHeaderEnded;
    return 0;
}

int Write(Connection& c, const void* bytes, std::size_t length) {
    if (c.state < kRequestComplete || c.state == kClosing) {
        return -1;
    }
    if (c.state < kHeaderEnded && EndHeaders(c) < 0) {
        return -1;
    }
    Append(c.sendBuffer, bytes, length);
    return 0;
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
