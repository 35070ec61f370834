#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/ui/headless_window.h"

namespace platform::ui {
namespace {

// A host table that logs each resize it is told of.
class HeadlessWindowTest : public ::testing::Test {
protected:
    static void Resized(void* context, int width, int height) {
        static_cast<HeadlessWindowTest*>(context)->resizes.emplace_back(width, height);
    }

    std::vector<std::pair<int, int>> resizes;
    velmora::HeadlessHost host{sizeof(velmora::HeadlessHost), this, &Resized, nullptr, nullptr, nullptr};
    const velmora::HeadlessHost* table = &host;
    HeadlessWindow window{&table};
};

TEST_F(HeadlessWindowTest, SetSizeReportsOnlyAChange) {
    window.setSize(300, 200);
    window.setSize(300, 200);
    window.setSize(300, 210);
    EXPECT_EQ(window.width(), 300);
    EXPECT_EQ(window.height(), 210);
    EXPECT_EQ(resizes, (std::vector<std::pair<int, int>>{{300, 200}, {300, 210}}));

    // A table that is not there yet, or has no entry, takes no report.
    const velmora::HeadlessHost* none = nullptr;
    HeadlessWindow early(&none);
    early.setSize(10, 20);
    velmora::HeadlessHost bare{sizeof(velmora::HeadlessHost), this, nullptr, nullptr, nullptr, nullptr};
    const velmora::HeadlessHost* bareTable = &bare;
    HeadlessWindow old(&bareTable);
    old.setSize(30, 40);
    EXPECT_EQ(early.width(), 10);
    EXPECT_EQ(old.height(), 40);
    EXPECT_EQ(resizes.size(), 2u);
}

TEST_F(HeadlessWindowTest, PaintsOnlyWhenMarkedAndShown) {
    int paints = 0;
    window.setHandler([&](const WindowEvent& event) {
        paints += event.kind == WindowEvent::Kind::Paint ? 1 : 0;
        return true;
    });
    window.invalidate();
    window.paintPending();  // hidden
    EXPECT_EQ(paints, 0);

    window.show(&paints);
    EXPECT_EQ(window.parent(), &paints);
    window.paintPending();  // a window that appears is painted
    EXPECT_EQ(paints, 1);
    window.paintPending();  // nothing marked since
    EXPECT_EQ(paints, 1);
    paints = 0;
    window.invalidate();
    window.invalidate();
    window.paintPending();
    window.paintPending();  // the mark was used up
    EXPECT_EQ(paints, 1);
    window.invalidate(Rect{1, 2, 3, 4});
    window.paintPending();
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(window.wholeInvalidations(), 3);
    EXPECT_EQ(window.partInvalidations(), 1);

    window.hide();
    EXPECT_EQ(window.parent(), nullptr);
    window.invalidate();
    window.paintPending();
    EXPECT_EQ(paints, 2);
}

TEST_F(HeadlessWindowTest, DeliveredSizeResizesWithoutReportingBack) {
    std::vector<WindowEvent::Kind> seen;
    window.setHandler([&](const WindowEvent& event) {
        seen.push_back(event.kind);
        return event.kind == WindowEvent::Kind::Size;
    });
    WindowEvent size;
    size.kind = WindowEvent::Kind::Size;
    size.width = 640;
    size.height = 480;
    EXPECT_TRUE(window.deliver(size));
    EXPECT_EQ(window.width(), 640);
    EXPECT_EQ(window.height(), 480);
    EXPECT_TRUE(resizes.empty());

    WindowEvent move;
    move.kind = WindowEvent::Kind::MouseMove;
    EXPECT_FALSE(window.deliver(move));
    EXPECT_EQ(seen, (std::vector<WindowEvent::Kind>{WindowEvent::Kind::Size, WindowEvent::Kind::MouseMove}));

    HeadlessWindow unhandled(&table);
    EXPECT_FALSE(unhandled.deliver(size));
    EXPECT_EQ(unhandled.width(), 640);
}

}  // namespace
}  // namespace platform::ui
