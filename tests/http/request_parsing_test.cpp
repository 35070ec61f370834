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

TEST(StaticFiles, SeparatorsAreOneSpellingAndEveryWayUpIsRefused) {
    struct Row {
        const char* target;  // as the client sends it: decoded first
        const char* file;    // relative to the html folder; nullptr = refused
    };
    const Row rows[] = {
        {"/css/site.css?x=1", "css/site.css"},
        {"\\x.css", "x.css"},
        {"x.css", "x.css"},
        {"%5cx.css", "x.css"},
        {"/sub\\index.html", "sub/index.html"},
        {"\\sub\\deep\\a.js", "sub/deep/a.js"},
        {"/sub%5Cindex.html", "sub/index.html"},
        {"sub%5cdeep%5C", "sub/deep/"},
        {"/", ""},
        {"\\", ""},
        {"", ""},
        {"//x.css", "/x.css"},  // one separator dropped; the join keeps it below the folder
        {"/a..b/c../...x", "a..b/c../...x"},
        {"/./x.css", "./x.css"},
        // ".." at the start, in the middle and at the end, in every spelling
        {"..", nullptr},
        {"/..", nullptr},
        {"\\..", nullptr},
        {"../secret.txt", nullptr},
        {"/../secret.txt", nullptr},
        {"..\\secret.txt", nullptr},
        {"\\..\\secret.txt", nullptr},
        {"/css/../../secret.txt", nullptr},
        {"/css\\..\\..\\secret.txt", nullptr},
        {"/css/..", nullptr},
        {"/css\\..", nullptr},
        {"/css/..\\", nullptr},
        {"/%2e%2e/secret.txt", nullptr},
        {"/%2E%2e/secret.txt", nullptr},
        {"/.%2e/secret.txt", nullptr},
        {"%2e./secret.txt", nullptr},
        {"/..%2fsecret.txt", nullptr},
        {"/css%2f%2e%2e%2f..%2fsecret.txt", nullptr},
        {"/%5c..%5csecret.txt", nullptr},
        {"%5C..%5Csecret.txt", nullptr},
        {"/css%5c%2E%2E", nullptr},
        {"%2e%2e%5c", nullptr},
        {"/css/..%00/x.css", nullptr},  // decoding ends the path at the zero byte
    };
    for (const Row& r : rows) {
        const auto file = StaticRelativePath(DecodePath(r.target));
        if (r.file == nullptr) {
            EXPECT_FALSE(file) << r.target << " gave " << file.value_or("");
        } else {
            EXPECT_EQ(file, r.file) << r.target;
        }
    }
    EXPECT_FALSE(StaticRelativePath(std::string("/x.css\0/..", 10)));
    EXPECT_FALSE(StaticRelativePath(std::string("/x\0.css", 7))) << "a zero byte refuses the path";
}

TEST(StaticFiles, TheFolderIsJoinedWithinTheHostsPathLimit) {
    const std::string html = "/opt/host/Plugins/Fruity/Generators/ZOLT Velmora/html";
    EXPECT_EQ(StaticFilePath(html, "\\css\\site.css"), html + "/css/site.css");
    EXPECT_EQ(StaticFilePath(html, "css/site.css"), html + "/css/site.css");
    EXPECT_EQ(StaticFilePath(html, "/"), html + "/");
    EXPECT_FALSE(StaticFilePath(html, "/css/../../x"));
    // The folder form "<folder>/<name>/index.html" must fit in 260 characters.
    const std::size_t longest = kMaxFilePath - html.size() - 1 - std::string("/index.html").size();
    EXPECT_TRUE(StaticFilePath(html, "/" + std::string(longest, 'a')));
    EXPECT_FALSE(StaticFilePath(html, "/" + std::string(longest + 1, 'a'))) << "too long for the host's paths";
    EXPECT_FALSE(StaticFilePath(html, std::string(longest + 1, 'a'))) << "the dropped separator does not count";
}

}  // namespace
}  // namespace velmora::http
