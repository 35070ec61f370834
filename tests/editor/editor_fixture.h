#pragma once
// An instance with its editor shown, a skin of the right sizes (no pixels are
// needed: the recording canvas names each bitmap by its resource number) and
// the operations of one paint.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "core/instance.h"
#include "editor/paint.h"
#include "editor/skin.h"
#include "platform/ui/recording_canvas.h"
#include "tests/support/instance_fixture.h"

namespace velmora::test {

inline platform::ui::Bitmap SizedBitmap(int id, int width, int height) {
    platform::ui::Bitmap b;
    b.id = id;
    b.width = width;
    b.height = height;
    return b;
}

inline editor::Skin SizedSkin() {
    editor::Skin s;
    s.main = SizedBitmap(editor::kMainSkin, 480, 720);
    s.icons = SizedBitmap(editor::kIconStrip, 7392, 56);
    s.knob = SizedBitmap(editor::kKnobStrip, 34, 2176);
    s.button = SizedBitmap(editor::kButtonStrip, 34, 68);
    s.fader = SizedBitmap(editor::kFaderStrip, 34, 2176);
    s.slider = SizedBitmap(editor::kSliderStrip, 56, 1536);
    s.bank = SizedBitmap(editor::kBankIndicator, 24, 89);
    return s;
}

// Names a parameterised case after its `what`.
struct CaseName {
    template <class P>
    std::string operator()(const ::testing::TestParamInfo<P>& param) const {
        std::string name = param.param.what;
        for (char& ch : name) {
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        }
        return name;
    }
};

using Op = platform::ui::CanvasOp;
using Kind = platform::ui::CanvasOp::Kind;

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Each test starts without a stored scale.
        std::filesystem::remove(platform::SettingsStore::currentUser().filePath());
        plug = MakeInstance(host);
        plug->visible = 1;
    }

    std::vector<Op> paint() {
        platform::ui::RecordingCanvas canvas;
        editor::PaintEditor(*plug, canvas, skin, fonts);
        return canvas.ops;
    }

    // The operations that draw to `to` (the destination rectangle).
    static std::vector<Op> At(const std::vector<Op>& ops, platform::ui::Rect to) {
        std::vector<Op> found;
        for (const Op& op : ops) {
            if (op.to == to) {
                found.push_back(op);
            }
        }
        return found;
    }
    // The one operation drawing to `to`; fails the test when there is not exactly one.
    static Op One(const std::vector<Op>& ops, platform::ui::Rect to) {
        auto found = At(ops, to);
        EXPECT_EQ(found.size(), 1U) << "at (" << to.left << "," << to.top << ")-(" << to.right << "," << to.bottom << ")";
        return found.empty() ? Op{} : found.front();
    }
    static const Op* Text(const std::vector<Op>& ops, const std::string& text) {
        for (const Op& op : ops) {
            if (op.kind == Kind::Text && op.text == text) {
                return &op;
            }
        }
        return nullptr;
    }

    RecordingHost host;
    PlugPtr plug;
    editor::Skin skin = SizedSkin();
    editor::EditorFonts fonts;
};

}  // namespace velmora::test
