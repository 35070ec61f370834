// The controller pages: choosing the page shown and naming it.
#include "editor/controller_pages.h"

#include <cstdio>
#include <string>
#include <vector>

#include "core/instance.h"
#include "editor/command_hooks.h"
#include "editor/layout.h"
#include "editor/typed_entry.h"

namespace velmora::editor {

namespace {

constexpr Rect kTitleClick{6, 102, 103, 115};
constexpr Rect kTitleRightClick{6, 102, 103, 124};

bool In(int x, int y, const Rect& r) { return Inside(x, y, r.left, r.top, r.right, r.bottom); }

// What the menu and the title show for page p: its name, or its number from 1.
std::string PageTitle(const Instance& plug, int p) {
    const std::string& name = plug.pageNames[static_cast<std::size_t>(p)];
    if (!name.empty()) {
        return name;
    }
    char title[32];
    std::snprintf(title, sizeof(title), "Controllers %i", p + 1);
    return title;
}

}  // namespace

bool PageTitleClick(Instance& plug, int x, int y) {
    if (!In(x, y, kTitleClick)) {
        return false;
    }
    // Entry ids count the pages from 1, so 0 stays "nothing chosen".
    std::vector<platform::MenuEntry> entries;
    for (int p = 0; p < kPages; ++p) {
        platform::MenuEntry e;
        e.id = p + 1;
        e.text = PageTitle(plug, p);
        entries.push_back(std::move(e));
    }
    const int chosen = plug.platform.popupMenus().track(entries);
    if (chosen >= 1 && chosen <= kPages) {
        plug.controllerstart = kControllersPerPage * (chosen - 1);
        plug.RepaintEditor(Repaint::Whole);
    }
    return true;
}

bool PageTitleRightClick(Instance& plug, int x, int y) {
    const int page = plug.controllerstart / kControllersPerPage;
    if (!In(x, y, kTitleRightClick) || plug.controllerstart < 0 || page >= kPages) {
        return false;
    }
    std::string& name = plug.pageNames[static_cast<std::size_t>(page)];
    std::string text = name;
    if (PromptEdit(plug, "Page name", text)) {
        name = text;
        plug.Host().stateChanged();
        plug.RepaintEditor(Repaint::Whole);
    }
    return true;
}

}  // namespace velmora::editor
