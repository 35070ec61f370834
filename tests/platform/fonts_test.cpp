#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/ui/cairo_canvas.h"
#include "platform/ui/fonts.h"

namespace platform::ui {
namespace {

// From fonts-dejavu-core, which the bootstrap installs for the tests.
const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";

class FontsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDejaVu + "DejaVuSerif.ttf")) << "fonts-dejavu-core is not installed";
    }

    static std::filesystem::path Temporary(const char* name) { return std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / name; }

    // A copy of a font under another family name: the names are rewritten in
    // place, as single bytes and as UTF-16BE, at the same length.
    static std::string Renamed(const std::string& font, const std::string& from, const std::string& to, const char* name) {
        std::ifstream in(font, std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto wide = [](const std::string& s) {
            std::string out;
            for (char c : s) {
                out += '\0';
                out += c;
            }
            return out;
        };
        for (const auto& [a, b] : {std::pair{from, to}, std::pair{wide(from), wide(to)}}) {
            for (std::size_t at = bytes.find(a); at != std::string::npos; at = bytes.find(a, at + b.size())) {
                bytes.replace(at, a.size(), b);
            }
        }
        const std::string path = Temporary(name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static Bitmap Drawn(const std::string& face) {
        CairoCanvas canvas(160, 40);
        canvas.text("Hamburgefonstiv", {0, 0, 160, 40}, Font{face, 20}, 0xFFFFFF, kTextSingleLine);
        return canvas.picture();
    }
};

TEST_F(FontsTest, RefusesWhatIsNotAFontFile) {
    std::ofstream(Temporary("notes.txt")) << "not a font\n";
    const std::string cases[] = {"", Temporary("missing.ttf").string(), Temporary("").string(), Temporary("notes.txt").string()};
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(RegisterApplicationFont(path));
    }
}

TEST_F(FontsTest, RegistersAnInstalledFontAndResolvesAnyFace) {
    EXPECT_TRUE(RegisterApplicationFont(kDejaVu + "DejaVuSans.ttf"));
    EXPECT_EQ(ResolvedFamily("DejaVu Sans"), "DejaVu Sans");
    // The editor's face, where it is not installed: some substitute.
    EXPECT_FALSE(ResolvedFamily("Cuprum").empty());
    EXPECT_FALSE(ResolvedFamily("Odd-Name:with=syntax").empty());
}

// The font's family is known only to this process after registering, to
// fontconfig and to the text drawn with it, even after text was drawn with the
// name before.
TEST_F(FontsTest, ARegisteredFamilyIsResolvedAndDrawn) {
    const std::string file = Renamed(kDejaVu + "DejaVuSerif.ttf", "DejaVu", "Velmor", "velmor-serif.ttf");
    EXPECT_NE(ResolvedFamily("Velmor Serif"), "Velmor Serif");
    const Bitmap before = Drawn("Velmor Serif");
    const Bitmap serif = Drawn("DejaVu Serif");
    ASSERT_NE(Drawn("DejaVu Sans").pixels, serif.pixels);  // the faces tell apart
    EXPECT_NE(before.pixels, serif.pixels);

    ASSERT_TRUE(RegisterApplicationFont(file));
    EXPECT_EQ(ResolvedFamily("Velmor Serif"), "Velmor Serif");
    EXPECT_EQ(Drawn("Velmor Serif").pixels, serif.pixels);
}

}  // namespace
}  // namespace platform::ui
