// Loading the skin bitmaps and the editor's face.
#include "editor/skin.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "editor/resources/skin_resources.h"
#include "platform/ui/fonts.h"

namespace velmora::editor {

namespace {

platform::ui::Bitmap LoadResource(int id) {
    const SkinResource* resource = FindSkinResource(id);
    if (resource == nullptr) {
        return {};
    }
    auto bitmap = platform::ui::DecodePng(resource->png, resource->size, id, resource->alpha);
    return bitmap ? std::move(*bitmap) : platform::ui::Bitmap{};
}

// A replacement strip is read whole; one larger than this is refused unread.
constexpr std::streamoff kLargestNotationFile = 256 * 1024 * 1024;

}  // namespace

Skin& ProcessSkin() {
    static Skin skin;
    return skin;
}

const EditorFonts& ProcessFonts() {
    static const EditorFonts fonts;
    return fonts;
}

void LoadSkin(Skin& skin, const std::string& notationPath, std::string& debugLines) {
    skin.main = LoadResource(kMainSkin);
    skin.icons = LoadResource(kIconStrip);
    skin.knob = LoadResource(kKnobStrip);
    skin.button = LoadResource(kButtonStrip);
    skin.fader = LoadResource(kFaderStrip);
    skin.slider = LoadResource(kSliderStrip);
    skin.bank = LoadResource(kBankIndicator);

    std::ifstream file(notationPath, std::ios::binary | std::ios::ate);
    if (!file) {
        return;
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || size > kLargestNotationFile) {
        debugLines += "Notation.bmp refused: the file is too large\n";
        return;
    }
    file.seekg(0);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        debugLines += "Notation.bmp refused: the file cannot be read\n";
        return;
    }
    std::string why;
    if (auto strip = platform::ui::ReadBmp(bytes.data(), bytes.size(), kIconStrip, why)) {
        skin.icons = std::move(*strip);
    } else {
        debugLines += "Notation.bmp refused: " + why + "\n";
    }
}

void ReleaseSkin(Skin& skin) { skin = Skin{}; }

bool RegisterEditorFont(const std::string& installFolder) {
    return platform::ui::RegisterApplicationFont(installFolder + "/Artwork/Fonts/Cuprum/Cuprum.ttf");
}

}  // namespace velmora::editor
