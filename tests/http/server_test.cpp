// The server over real loopback sockets: static files, request framing,
// limits, time-outs and many connections.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string_view>

#include "http/api.h"
#include "http/request_handler.h"
#include "http/server.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {
namespace {

namespace net = platform::net;

struct Reply {
    std::string text;
    bool closed = false;
};

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// True once the server has closed (or reset) the connection; reads and drops
// anything that arrived before.
bool PeerClosed(net::Socket s) {
    char buffer[256];
    for (;;) {
        const ssize_t n = ::recv(s, buffer, sizeof(buffer), MSG_DONTWAIT);
        if (n > 0) {
            continue;
        }
        return n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
    }
}

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("velmora-http-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        html = folder / "Plugins/Fruity/Generators/ZOLT Velmora/html";
        std::filesystem::create_directories(html / "css");
        std::ofstream(html / "index.html") << "<h1>index</h1>";
        std::ofstream(html / "css/site.css") << "body{}";
        std::ofstream(html / "x.css") << "x{}";
        std::ofstream(html / "empty.css").flush();
        // A pipe with no writer: opening it to read must not wait for one.
        ::mkfifo((html / "pipe.html").c_str(), 0600);
        std::filesystem::create_directories(html / "sub");
        std::ofstream(html / "sub/index.html") << "<p>sub</p>";
        // Right above the html folder, so one ".." that got through would reach it.
        std::ofstream(html.parent_path() / "secret.txt") << "secret";
        std::ofstream(folder / "secret.txt") << "secret";
        Process().installFolder = folder.string();
        server = http::CreateServer("0", &http::HandleEvent, plug.get());
        ASSERT_NE(server, nullptr);
        port = http::ServerPort(*server);
    }
    void TearDown() override {
        server.reset();
        std::filesystem::remove_all(folder);
    }

    // Sends the request pieces (polling the server in between) and reads
    // until the server closes or the time is up.
    Reply Exchange(const std::vector<std::string>& pieces, int waitMs = 2000) {
        const net::Socket s = net::ConnectLoopback(port);
        EXPECT_NE(s, net::kInvalidSocket);
        for (const std::string& p : pieces) {
            std::size_t sent = 0;
            net::Send(s, p.data(), p.size(), sent);
            for (int i = 0; i < 5; ++i) {
                http::PollServer(*server, 2);
            }
        }
        Reply r = ReadUntilClosed(s, waitMs);
        net::Close(s);
        return r;
    }
    Reply ReadUntilClosed(net::Socket s, int waitMs) {
        Reply r;
        std::vector<char> buffer(1 << 16);
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        while (std::chrono::steady_clock::now() < until) {
            http::PollServer(*server, 2);
            const ssize_t n = ::recv(s, buffer.data(), buffer.size(), MSG_DONTWAIT);
            if (n > 0) {
                r.text.append(buffer.data(), static_cast<std::size_t>(n));
            } else if (n == 0) {
                r.closed = true;
                break;
            }
        }
        return r;
    }

    RecordingHost host;
    PlugPtr plug = MakeInstance(host);
    std::filesystem::path folder;
    std::filesystem::path html;
    std::unique_ptr<http::Server> server;
    int port = 0;
};

TEST_F(ServerTest, StaticFilesIndexAndNotFound) {
    struct Row {
        std::string target;
        std::string reply;
    };
    const Row rows[] = {
        {"/", "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n\r\n<h1>index</h1>"},
        {"/css/site.css?x=1", "HTTP/1.1 200 OK\r\nContent-Type: text/css; charset=utf-8\r\n\r\nbody{}"},
        {"/empty.css", "HTTP/1.1 200 OK\r\nContent-Type: text/css; charset=utf-8\r\n\r\n"},
        {"/pipe.html", "HTTP/1.1 404 Not Found\r\n\r\n"},
        {"/missing.html", "HTTP/1.1 404 Not Found\r\n\r\n"},
        {"/..%2fsecret.txt", "HTTP/1.1 404 Not Found\r\n\r\n"},
        {"/%2e%2e/secret.txt", "HTTP/1.1 404 Not Found\r\n\r\n"},
        {"/..\\secret.txt", "HTTP/1.1 404 Not Found\r\n\r\n"},
        {"/%5c..%5csecret.txt", "HTTP/1.1 404 Not Found\r\n\r\n"},
        {"http://localhost/secret.txt", "HTTP/1.1 404 Not Found\r\n\r\n"},
        {(folder / "secret.txt").string(), "HTTP/1.1 404 Not Found\r\n\r\n"},
    };
    for (const Row& r : rows) {
        const Reply reply = Exchange({"GET " + r.target + " HTTP/1.1\r\nHost: x\r\n\r\n"});
        EXPECT_TRUE(reply.closed) << r.target;
        EXPECT_EQ(reply.text, r.reply) << r.target;
    }
}

TEST_F(ServerTest, BackslashesAndBarePathsAreServedButNeverAWayUp) {
    struct Row {
        std::string target;
        int status;
        const char* file;  // below the html folder; nullptr = none
    };
    const Row rows[] = {
        {"\\x.css", 200, "x.css"},
        {"x.css", 200, "x.css"},
        {"/sub\\index.html", 200, "sub/index.html"},
        {"%5Csub%5cindex.html", 200, "sub/index.html"},
        {"\\sub\\", 200, "sub/index.html"},
        {"sub", 200, "sub/index.html"},
        {"..\\secret.txt", 404, nullptr},
        {"\\..\\secret.txt", 404, nullptr},
        {".%2e/secret.txt", 404, nullptr},
        {"/sub/..%5c..%5csecret.txt", 404, nullptr},
        {"/sub\\..\\x.css", 404, nullptr},  // refused even where it would stay inside
    };
    for (const Row& r : rows) {
        std::string expected = r.status == 200 ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n";
        if (r.file != nullptr) {
            std::ifstream in(html / r.file, std::ios::binary);
            const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            const bool css = std::string_view(r.file).ends_with(".css");
            expected += std::string("Content-Type: ") + (css ? "text/css" : "text/html") + "; charset=utf-8\r\n";
            expected += "\r\n" + content;
        } else {
            expected += "\r\n";
        }
        const Reply reply = Exchange({"GET " + r.target + " HTTP/1.1\r\n\r\n"});
        EXPECT_TRUE(reply.closed) << r.target;
        EXPECT_EQ(reply.text, expected) << r.target;
    }
}

TEST_F(ServerTest, BodyInTwoSegmentsIsHandledOnceComplete) {
    const Reply reply = Exchange({"PUT /api/0/json HTTP/1.1\r\nContent-Length: 13\r\n\r\n[{\"name\"", ": 1}]"});
    EXPECT_EQ(reply.text.rfind("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n{", 0), 0U) << reply.text;
    EXPECT_EQ(plug->articulations.name[0], "") << "a number is no name";
    Exchange({"PUT /api/0/json HTTP/1.1\r\nContent-Length: 18\r\n\r\n[{\"name\"", ": \"Lyra\"}]"});
    EXPECT_EQ(plug->articulations.name[0], "Lyra");
}

TEST_F(ServerTest, TheListingFollowsTheHeaderByteForByte) {
    auto second = MakeInstance(host, 2);
    second->articulations.name[3] = std::string(500, '\x01');  // escaped, it outgrows any fixed room
    const Reply reply = Exchange({"GET /api HTTP/1.1\r\n\r\n"});
    EXPECT_TRUE(reply.closed);
    EXPECT_EQ(reply.text, "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n\r\n" + http::ApiResponse("GET", "/api", ""));
}

TEST_F(ServerTest, OnlyTheFirstRequestOfAConnectionIsAnswered) {
    const Reply reply = Exchange({"GET /css/site.css HTTP/1.1\r\n\r\nGET / HTTP/1.1\r\n\r\n"});
    EXPECT_EQ(reply.text, "HTTP/1.1 200 OK\r\nContent-Type: text/css; charset=utf-8\r\n\r\nbody{}");
}

TEST_F(ServerTest, MalformedRequestLinesCloseWithoutAnswer) {
    for (const char* bad : {"GET / FTP/1.0\r\n\r\n", "GET\r\n\r\n", "\r\n\r\n"}) {
        const Reply reply = Exchange({bad});
        EXPECT_TRUE(reply.closed) << bad;
        EXPECT_EQ(reply.text, "") << bad;
    }
}

TEST_F(ServerTest, IdleConnectionsCloseAfterTheTimeout) {
    server->idleTimeoutMs = 150;
    const net::Socket s = net::ConnectLoopback(port);
    const Reply early = ReadUntilClosed(s, 60);
    EXPECT_FALSE(early.closed);
    const Reply late = ReadUntilClosed(s, 1000);
    EXPECT_TRUE(late.closed);
    net::Close(s);
}

TEST_F(ServerTest, TricklingClientsAreClosedAtTheDefaultRequestDeadline) {
    constexpr int kClients = 200;
    ASSERT_TRUE(net::RaiseDescriptorLimit(2 * kClients + 200)) << "cannot open enough descriptors here";
    // Longer than the bytes the wait allows, so no client ever completes it.
    const std::string request = "GET /css/site.css HTTP/1.1\r\nHost: trickle\r\n\r\n";
    struct Client {
        net::Socket socket = net::kInvalidSocket;
        Clock::time_point connected;
        std::size_t sent = 0;
        std::optional<double> closedAfter;
    };
    std::vector<Client> clients(kClients);
    for (int i = 0; i < kClients; ++i) {
        clients[i].socket = net::ConnectLoopback(port);
        clients[i].connected = Clock::now();
        ASSERT_NE(clients[i].socket, net::kInvalidSocket) << i;
        if (i % 50 == 0) {
            http::PollServer(*server, 0);
        }
    }
    const auto start = Clock::now();
    auto nextByte = start;
    auto nextGet = start;
    int open = kClients, asked = 0, answered = 0;
    while (open > 0 && Clock::now() < start + std::chrono::seconds(15)) {
        http::PollServer(*server, 2);
        if (Clock::now() >= nextByte) {
            for (Client& c : clients) {
                if (!c.closedAfter) {
                    std::size_t sent = 0;
                    net::Send(c.socket, &request[c.sent++], 1, sent);
                }
            }
            nextByte += std::chrono::seconds(1);
        }
        for (Client& c : clients) {
            if (!c.closedAfter && PeerClosed(c.socket)) {
                c.closedAfter = SecondsSince(c.connected);
                --open;
            }
        }
        if (open > 0 && Clock::now() >= nextGet) {
            ++asked;
            const Reply reply = Exchange({"GET /api HTTP/1.1\r\n\r\n"}, 1000);
            answered += reply.closed && reply.text.rfind("HTTP/1.1 200 OK\r\n", 0) == 0 ? 1 : 0;
            nextGet += std::chrono::milliseconds(500);
        }
    }
    EXPECT_EQ(open, 0) << "trickling clients still held after 15 s";
    EXPECT_GE(asked, 15);
    EXPECT_EQ(answered, asked) << "new clients must be answered meanwhile";
    for (const Client& c : clients) {
        if (c.closedAfter) {
            EXPECT_GE(*c.closedAfter, 9.5) << "closed before the deadline, after " << c.sent << " bytes";
        }
        net::Close(c.socket);
    }
}

TEST_F(ServerTest, ASlowRequestIsClosedAtTheDeadlineThoughNeverIdle) {
    server->requestDeadlineMs = 300;
    const net::Socket s = net::ConnectLoopback(port);
    const auto start = Clock::now();
    auto nextByte = start;
    std::size_t sent = 0;
    std::optional<double> closedAfter;
    while (!closedAfter && Clock::now() < start + std::chrono::seconds(3)) {
        http::PollServer(*server, 2);
        if (Clock::now() >= nextByte) {
            std::size_t n = 0;
            net::Send(s, "GET /", 1, n);  // never reaches the end of a header
            ++sent;
            nextByte += std::chrono::milliseconds(40);
        }
        if (PeerClosed(s)) {
            closedAfter = SecondsSince(start);
        }
    }
    ASSERT_TRUE(closedAfter) << "still open after 3 s";
    EXPECT_GE(*closedAfter, 0.28) << "closed before the deadline";
    EXPECT_LE(*closedAfter, 1.5);
    EXPECT_GE(sent, 6U) << "the client kept the idle timer fresh";
    net::Close(s);
}

TEST_F(ServerTest, TheRequestDeadlineDoesNotCutAResponse) {
    server->requestDeadlineMs = 300;
    std::string content(12u << 20, '\0');
    std::mt19937 random(3);
    for (char& c : content) {
        c = static_cast<char>(random());
    }
    std::ofstream(html / "large.bin", std::ios::binary) << content;
    const net::Socket s = net::ConnectLoopback(port);
    std::size_t sent = 0;
    const std::string request = "GET /large.bin HTTP/1.1\r\n\r\n";
    net::Send(s, request.data(), request.size(), sent);
    // The client reads nothing until well past the deadline.
    const auto start = Clock::now();
    while (Clock::now() < start + std::chrono::milliseconds(900)) {
        http::PollServer(*server, 2);
    }
    ASSERT_EQ(server->connections.size(), 1U);
    ASSERT_TRUE(http::ResponsePending(*server->connections.front())) << "the response must still be on its way here";
    const Reply reply = ReadUntilClosed(s, 10000);
    net::Close(s);
    const std::string header = "HTTP/1.1 200 OK\r\n\r\n";
    EXPECT_TRUE(reply.closed);
    ASSERT_EQ(reply.text.size(), header.size() + content.size());
    EXPECT_TRUE(reply.text.compare(0, header.size(), header) == 0);
    EXPECT_TRUE(reply.text.compare(header.size(), content.size(), content) == 0);
}

TEST_F(ServerTest, OversizedRequestsAreClosed) {
    server->requestSizeLimit = 4096;
    const Reply declared = Exchange({"PUT /api/0/json HTTP/1.1\r\nContent-Length: 100000\r\n\r\n"});
    EXPECT_TRUE(declared.closed);
    EXPECT_EQ(declared.text, "") << "refused at once, before any body";
    const Reply header = Exchange({"GET / HTTP/1.1\r\nX: " + std::string(8000, 'a')});
    EXPECT_TRUE(header.closed);
    EXPECT_EQ(header.text, "");
    EXPECT_GE(http::kRequestSizeLimit, std::size_t{1} << 20);
}

TEST_F(ServerTest, ARequestJustUnderTheSizeLimitGetsItsWholeResponse) {
    const std::string content(4u << 20, 'v');
    std::ofstream(html / "large.bin", std::ios::binary) << content;
    const std::string request = "GET /large.bin HTTP/1.1\r\nX: " + std::string(100, 'a') + "\r\n\r\n";
    server->requestSizeLimit = request.size() + 1;  // the stored request and its terminator fill it
    const net::Socket s = net::ConnectLoopback(port);
    std::size_t sent = 0;
    net::Send(s, request.data(), request.size(), sent);
    const auto start = Clock::now();
    while (Clock::now() < start + std::chrono::milliseconds(300)) {
        http::PollServer(*server, 2);  // the client reads nothing yet
    }
    const Reply reply = ReadUntilClosed(s, 10000);
    net::Close(s);
    EXPECT_EQ(reply.text.size(), std::string("HTTP/1.1 200 OK\r\n\r\n").size() + content.size());
}

TEST_F(ServerTest, ManyIdleConnectionsDoNotStopNewRequests) {
    constexpr int kIdle = 1500;
    ASSERT_TRUE(net::RaiseDescriptorLimit(2 * kIdle + 200)) << "cannot open enough descriptors here";
    std::vector<net::Socket> idle;
    for (int i = 0; i < kIdle; ++i) {
        const net::Socket s = net::ConnectLoopback(port);
        ASSERT_NE(s, net::kInvalidSocket) << i;
        idle.push_back(s);
        if (i % 100 == 0) {
            http::PollServer(*server, 0);  // keep the backlog drained
        }
    }
    for (int i = 0; i < 20; ++i) {
        http::PollServer(*server, 1);
    }
    EXPECT_GE(server->connections.size(), static_cast<std::size_t>(kIdle));
    const Reply reply = Exchange({"GET /css/site.css HTTP/1.1\r\n\r\n"}, 5000);
    EXPECT_EQ(reply.text, "HTTP/1.1 200 OK\r\nContent-Type: text/css; charset=utf-8\r\n\r\nbody{}");
    for (net::Socket s : idle) {
        net::Close(s);
    }
}

TEST_F(ServerTest, RandomBytesNeverCrashTheServer) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 3000), '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
        }
        if (round % 2 == 0) {
            bytes += "\r\n\r\n";
        }
        Exchange({bytes}, 50);
    }
    const Reply reply = Exchange({"GET / HTTP/1.1\r\n\r\n"});
    EXPECT_EQ(reply.text, "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n\r\n<h1>index</h1>");
}

TEST(ServerFormatter, WritesTheFormsItKnows) {
    http::Server server;
    http::Connection c;
    c.server = &server;
    c.state = http::kRequestComplete;
    const char* none = nullptr;
    ASSERT_EQ(http::WriteFormatted(c, "%s|%s|%5d|%x|%c|%.2f|%%|%q|%03i", "a", none, 42, 255, 'z', 1.5, 7), 0);
    const std::string out(c.sendBuffer.begin(), c.sendBuffer.end());
    EXPECT_EQ(out, "HTTP/1.1 200 OK\r\n\r\na|(null)|   42|ff|z|1.50|%|q|007");
    EXPECT_EQ(http::SendStatus(c, 404, "Not Found"), -1) << "the status is already out";
    EXPECT_EQ(http::SendHeader(c, "X", "y"), -1) << "the header section is closed";
}

}  // namespace
}  // namespace velmora::test
