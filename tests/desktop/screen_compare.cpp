// velmora-screen-compare SCREEN.xwd HEADLESS.png [--tolerance N] [--allow FRACTION] [--png OUT.png]
// velmora-screen-compare --to-png SCREEN.xwd OUT.png
// velmora-screen-compare --row SCREEN.xwd Y
// Compares a window dump of the editor on a desktop with the headless
// snapshot of the same state, region by region; prints one JSON line per
// region and exits 1 when a region differs in more than the allowed fraction
// of its pixels (--png also writes the dump as a PNG, for the eye; --to-png
// only converts; --row prints row Y's pixels as RRGGBB, left to right).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/desktop/region_compare.h"
#include "tests/desktop/xwd_image.h"

namespace {

std::vector<unsigned char> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--to-png") {
        std::string why;
        const std::optional<platform::ui::Bitmap> screen = velmora::test::ReadXwd(ReadAll(argv[2]), why);
        if (!screen || !platform::ui::WritePng(*screen, argv[3])) {
            std::fprintf(stderr, "velmora-screen-compare: %s: %s\n", argv[2], screen ? "cannot write the PNG" : why.c_str());
            return 2;
        }
        return 0;
    }
    if (argc == 4 && std::string(argv[1]) == "--row") {
        std::string why;
        const std::optional<platform::ui::Bitmap> screen = velmora::test::ReadXwd(ReadAll(argv[2]), why);
        const int y = std::atoi(argv[3]);
        if (!screen || y < 0 || y >= screen->height) {
            std::fprintf(stderr, "velmora-screen-compare: %s: %s\n", argv[2], screen ? "no such row" : why.c_str());
            return 2;
        }
        for (int x = 0; x < screen->width; ++x) {
            std::printf("%s%06X", x == 0 ? "" : " ", static_cast<unsigned>(screen->at(x, y) & 0xFFFFFFu));
        }
        std::printf("\n");
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: velmora-screen-compare SCREEN.xwd HEADLESS.png [--tolerance N] [--allow FRACTION] [--png OUT.png]\n");
        return 2;
    }
    int tolerance = 8;
    double allowed = 0.01;
    std::string pngOut;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--tolerance") {
            tolerance = std::stoi(argv[i + 1]);
        } else if (option == "--allow") {
            allowed = std::stod(argv[i + 1]);
        } else if (option == "--png") {
            pngOut = argv[i + 1];
        }
    }
    std::string why;
    const std::optional<platform::ui::Bitmap> screen = velmora::test::ReadXwd(ReadAll(argv[1]), why);
    if (!screen) {
        std::fprintf(stderr, "velmora-screen-compare: %s: %s\n", argv[1], why.c_str());
        return 2;
    }
    const std::vector<unsigned char> png = ReadAll(argv[2]);
    const std::optional<platform::ui::Bitmap> headless = platform::ui::DecodePng(png.data(), png.size(), 0, false);
    if (!headless) {
        std::fprintf(stderr, "velmora-screen-compare: %s: not a PNG\n", argv[2]);
        return 2;
    }
    if (!pngOut.empty() && !platform::ui::WritePng(*screen, pngOut)) {
        std::fprintf(stderr, "velmora-screen-compare: cannot write %s\n", pngOut.c_str());
        return 2;
    }
    bool same = true;
    for (const velmora::test::RegionDifference& d : velmora::test::CompareRegions(*screen, *headless, tolerance)) {
        const bool ok = d.differing <= static_cast<int>(allowed * d.pixels);
        same = same && ok;
        std::printf("{\"region\": \"%s\", \"pixels\": %d, \"differing\": %d, \"same\": %s}\n", d.name.c_str(), d.pixels,
                    d.differing, ok ? "true" : "false");
    }
    return same ? 0 : 1;
}
