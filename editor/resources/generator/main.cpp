// Draws the editor's skin bitmaps and writes them as PNG files:
//   velmora_skin_generator --music-font FILE --out DIR
// writes DIR/skin_<number>.png for every bitmap of skin_images.h.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "controls.h"
#include "editor/resources/skin_images.h"
#include "icons.h"
#include "music_font.h"
#include "panels.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: velmora_skin_generator --music-font FILE --out DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora;
    std::string fontPath;
    std::string out;
    bool haveFont = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--music-font") {
            fontPath = argv[i + 1];
            haveFont = true;
        } else if (key == "--out") {
            out = argv[i + 1];
        } else {
            return Usage();
        }
    }
    if (!haveFont || out.empty() || argc % 2 == 0) {
        return Usage();
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        const skin::MusicFont font(fontPath);
        std::filesystem::create_directories(out);
        for (const editor::skin::ImageFormat& format : editor::skin::kImages) {
            skin::Image image(format.width, format.height, format.alpha);
            switch (format.id) {
            case editor::skin::kMainSkin: skin::PaintMainSkin(image, font); break;
            case editor::skin::kIconStrip: skin::PaintIconStrip(image, font); break;
            case editor::skin::kKnob: skin::PaintKnob(image); break;
            case editor::skin::kSlider: skin::PaintSlider(image); break;
            case editor::skin::kButton: skin::PaintButton(image); break;
            case editor::skin::kFader: skin::PaintFader(image); break;
            case editor::skin::kBankIndicator: skin::PaintBankIndicator(image); break;
            default:
                std::fprintf(stderr, "velmora_skin_generator: no painter for bitmap %d\n", format.id);
                return 1;
            }
            image.WritePng(out + "/skin_" + std::to_string(format.id) + ".png");
        }
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        std::printf("velmora_skin_generator: %zu bitmaps in %lld ms (music font %s)\n", std::size(editor::skin::kImages),
                    static_cast<long long>(ms), font.family().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora_skin_generator: %s\n", e.what());
        return 1;
    }
    return 0;
}
