#include "tests/support/host_window_tree.h"

#include <vector>

namespace velmora::test {

namespace {

platform::ScriptedWindow Window(HWND parent, const char* className, const char* title, platform::ui::Rect rect,
                                platform::ui::Point clientOffset = {}) {
    platform::ScriptedWindow w;
    w.parent = parent;
    w.className = className;
    w.title = title;
    w.rect = rect;
    w.clientOffset = clientOffset;
    return w;
}

}  // namespace

HostWindowTree::HostWindowTree() {
    main = windows.add(Window(nullptr, "TFruityLoopsMainForm", "Velmora test host", kMainRect, kMainClientOffset));
    container = windows.add(Window(main, "TWPControl", "", kPianoRollRect));
    pianoRoll = windows.add(Window(container, "TPianoRollForm", "Piano roll -", kPianoRollRect, kPianoRollClientOffset));
    colourWindow = windows.add(Window(pianoRoll, "TWPControl", "", kColourWindowRect));
    formContainer = windows.add(Window(main, "TWPControl", "", kFormContainerRect));
    form = windows.add(Window(formContainer, "TPluginForm", "ZOLT Velmora", kFormRect, {0, 20}));
    sheet = windows.add(Window(form, "TVectorSheet", "", {1200, 170, 1500, 450}));
    editor = windows.add(Window(sheet, "", "", kEditorRect));
}

void HostWindowTree::placeEditor(HWND handle) {
    windows.remove(editor);
    platform::ScriptedWindow e = Window(sheet, "", "", kEditorRect);
    e.id = handle;
    editor = windows.add(e);
}

HWND HostWindowTree::openPopup(int height, bool marked, platform::ui::Point topLeft) {
    constexpr int kWidth = 120;
    popup = windows.add(Window(nullptr, "TQuickPopupMenuWindow", "", {topLeft.x, topLeft.y, topLeft.x + kWidth, topLeft.y + height}));
    std::vector<std::uint32_t> row(kWidth, 0xF0F0F0);
    if (marked) {
        row[5] = kPopupColourMark;
    }
    windows.setPixelRow(popup, 2, row);
    return popup;
}

void HostWindowTree::closePopup() {
    windows.remove(popup);
    popup = nullptr;
}

}  // namespace velmora::test
