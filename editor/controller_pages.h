#pragma once
// The controller pages: the page menu and the page names. Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

// A click on the page title, (x, y) in editor units: the menu of the 16 pages;
// the one chosen is shown. Answers whether (x, y) was the title.
bool PageTitleClick(Instance& plug, int x, int y);

}  // namespace velmora::editor
