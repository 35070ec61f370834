// The pure parts of a request: request line, path decoding, Content-Length,
// the API's path form and the static file a path names.
#include <gtest/gtest.h>

#include "http/api_request.h"
#include "http/request_handler.h"
#include "http/request_line.h"

namespace velmora::http {
namespace {

TEST(RequestLine, AcceptsOnlyHttpRequestLines) {
    struct Row {
        const char* request;
        bool ok;
        const char* method;
    };
    const Row rows[] = {
        {"GET / HTTP/1.1\r\n\r\n", true, "GET"},
        {"PUT /api/1/json HTTP/1.0\r\n", true, "PUT"},
        {"GET / FTP/1.0\r\n\r\n", false, ""},
        {"GET /\r\n\r\n", false, ""},
        {"ABCDEFGHIJKLMNOP / HTTP/1.1\r\n", false, ""},  // 16-character method
        {"ABCDEFGHIJKLMNO / HTTP/1.1\r\n", true, "ABCDEFGHIJKLMNO"},
        {"GET / HTTP/1.1.1.1.1.1.1.1.1\r\n", false, ""},  // version over 15 characters
        {"", false, ""},
        {"   \r\n", false, ""},
    };
    for (const Row& r : rows) {
        const auto line = ParseRequestLine(r.request);
        EXPECT_EQ(line.has_value(), r.ok) << r.request;
        if (line) {
            EXPECT_EQ(line->method, r.method);
        }
    }
    EXPECT_EQ(ParseRequestLine("GET /x HTTP/1.1")->targetOffset, 4U);
}

TEST(DecodePath, StopsAtQueriesAndDecodesEscapes) {
    struct Row {
        const char* target;
        std::string path;
    };
    const Row rows[] = {
        {"/css/site.css?x=1 HTTP/1.1", "/css/site.css"},
        {"/a+b%20c", "/a b c"},
        {"/api/1/articulations/3/name=Legato+Fast", "/api/1/articulations/3/name=Legato Fast"},
        {"/x&y", "/x"},
        {"/%41%6a%4A", "/AjJ"},
        {"/%4", "/%4"},
        {"/%", "/%"},
        {"/a%00b", "/a"},
        {"/%zz", std::string("/") + static_cast<char>((16 * ('z' - 87) + ('z' - 87)) & 0xFF)},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(DecodePath(r.target), r.path) << r.target;
    }
    EXPECT_EQ(DecodePath(std::string(600, 'a')).size(), 511U);
}

TEST(ContentLength, AnyCaseAfterBlanks) {
    EXPECT_EQ(FindContentLength("POST / HTTP/1.1\r\ncontent-LENGTH: \t 10\r\n\r\n"), 10U);
    EXPECT_EQ(FindContentLength("POST / HTTP/1.1\r\nContent-Length: x\r\n\r\n"), 0U);
    EXPECT_FALSE(FindContentLength("POST / HTTP/1.1\r\nX-Content-Length: 5\r\n\r\n"));
    EXPECT_FALSE(FindContentLength("POST / HTTP/1.1\r\nContent-Length : 5\r\n\r\n"));
    EXPECT_GT(*FindContentLength("POST / HTTP/1.1\r\nContent-Length: 999999999999999999999999\r\n\r\n"), 1U << 30);
}

TEST(ApiPath, IdCommandArgumentsAndValue) {
    const ApiRequest r = SplitApiPath("/api/123456/options/midiextend=true");
    EXPECT_EQ(r.id, 123456U);
    EXPECT_EQ(r.command, "options");
    EXPECT_EQ(r.argument1, "midiextend");
    EXPECT_FALSE(r.argument2);
    EXPECT_EQ(r.value, "true");

    struct Row {
        const char* path;
        std::uint32_t id;
    };
    for (const Row r2 : {Row{"/api", 0}, Row{"/api/", 0}, Row{"/api/0x1F", 31}, Row{"/api/017", 15},
                         Row{"/api/abc/port=3", 0}, Row{"//api///42//port=3", 42}}) {
        EXPECT_EQ(SplitApiPath(r2.path).id, r2.id) << r2.path;
    }
    const ApiRequest many = SplitApiPath("/api/1/articulations/3/name/extra=a=b");
    EXPECT_EQ(many.argument2, "name");
    EXPECT_EQ(many.value, "a=b");
    EXPECT_FALSE(SplitApiPath("/api/1/port").value);
    EXPECT_TRUE(IsApiPath("/api"));
    EXPECT_TRUE(IsApiPath("/api/x"));
    EXPECT_FALSE(IsApiPath("/apix"));
}

TEST(StaticFiles, PathsThatLeaveTheFolderAreRefused) {
    const std::string html = "/opt/host/Plugins/Fruity/Generators/ZOLT Velmora/html";
    EXPECT_EQ(StaticFilePath(html, "/css/site.css"), html + "/css/site.css");
    EXPECT_EQ(StaticFilePath(html, "/"), html + "/");
    for (const char* bad : {"/../secret", "/css/../../x", "/..", "\\..\\x", "/a\\b", "relative", "", "/x/.."}) {
        EXPECT_FALSE(StaticFilePath(html, bad)) << bad;
    }
    EXPECT_TRUE(StaticFilePath(html, "/a..b/c..")) << "dots inside names are fine";
    EXPECT_FALSE(StaticFilePath(html, "/" + std::string(260 - html.size(), 'a'))) << "too long for the host's paths";
}

}  // namespace
}  // namespace velmora::http
