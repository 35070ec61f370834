#include "window_order.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace platform::ui::x11 {

namespace {

using TreeReply = std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)>;

std::vector<xcb_window_t> Reversed(const xcb_query_tree_reply_t* tree) {
    const xcb_window_t* children = xcb_query_tree_children(tree);
    const int n = xcb_query_tree_children_length(tree);
    return std::vector<xcb_window_t>(std::make_reverse_iterator(children + n), std::make_reverse_iterator(children));
}

// For each of `windows`, the top-levels it stands for: itself when it has a
// WM_CLASS, else (while `depth` lasts) what its children stand for, in order.
std::vector<std::vector<LabelledWindow>> Expand(xcb_connection_t* c, const LabelAtoms& atoms, const std::vector<xcb_window_t>& windows,
                                                bool withTitles, int depth) {
    std::vector<WindowLabel> labels = ReadLabels(c, atoms, windows, withTitles);
    std::vector<std::vector<LabelledWindow>> found(windows.size());
    std::vector<std::size_t> frameAt;  // indices into `windows`
    std::vector<xcb_window_t> frames;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (labels[i].hasClass) {
            found[i].push_back(LabelledWindow{windows[i], std::move(labels[i])});
        } else if (depth > 0) {
            frameAt.push_back(i);
            frames.push_back(windows[i]);
        }
    }
    if (frames.empty()) {
        return found;
    }
    // The frames' children all go down one level together, so a level costs
    // two round trips however many frames there are.
    const std::vector<std::vector<xcb_window_t>> children = ChildrenTopDown(c, frames);
    std::vector<xcb_window_t> all;
    for (const auto& list : children) {
        all.insert(all.end(), list.begin(), list.end());
    }
    std::vector<std::vector<LabelledWindow>> below = Expand(c, atoms, all, withTitles, depth - 1);
    std::size_t next = 0;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        for (std::size_t k = 0; k < children[f].size(); ++k, ++next) {
            for (LabelledWindow& w : below[next]) {
                found[frameAt[f]].push_back(std::move(w));
            }
        }
    }
    return found;
}

}  // namespace

std::vector<xcb_window_t> ChildrenTopDown(xcb_connection_t* c, xcb_window_t parent) {
    const TreeReply tree(xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr), &std::free);
    return tree ? Reversed(tree.get()) : std::vector<xcb_window_t>{};
}

std::vector<std::vector<xcb_window_t>> ChildrenTopDown(xcb_connection_t* c, const std::vector<xcb_window_t>& parents) {
    std::vector<xcb_query_tree_cookie_t> cookies;
    cookies.reserve(parents.size());
    for (const xcb_window_t p : parents) {
        cookies.push_back(xcb_query_tree(c, p));
    }
    std::vector<std::vector<xcb_window_t>> lists(parents.size());
    for (std::size_t i = 0; i < parents.size(); ++i) {
        if (const TreeReply tree(xcb_query_tree_reply(c, cookies[i], nullptr), &std::free); tree) {
            lists[i] = Reversed(tree.get());
        }
    }
    return lists;
}

xcb_window_t TreeParent(xcb_connection_t* c, xcb_window_t window) {
    const TreeReply tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr), &std::free);
    return tree ? tree->parent : XCB_NONE;
}

std::vector<LabelledWindow> TopLevels(xcb_connection_t* c, const LabelAtoms& atoms, xcb_window_t root, bool withTitles) {
    std::vector<LabelledWindow> windows;
    for (std::vector<LabelledWindow>& each : Expand(c, atoms, ChildrenTopDown(c, root), withTitles, kFrameDepth)) {
        for (LabelledWindow& w : each) {
            windows.push_back(std::move(w));
        }
    }
    return windows;
}

std::vector<LabelledWindow> LabelledChildren(xcb_connection_t* c, const LabelAtoms& atoms, xcb_window_t parent, bool withTitles) {
    const std::vector<xcb_window_t> children = ChildrenTopDown(c, parent);
    std::vector<WindowLabel> labels = ReadLabels(c, atoms, children, withTitles);
    std::vector<LabelledWindow> windows;
    windows.reserve(children.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
        windows.push_back(LabelledWindow{children[i], std::move(labels[i])});
    }
    return windows;
}

xcb_window_t FindAfter(const std::vector<LabelledWindow>& windows, std::string_view className, std::string_view title,
                       xcb_window_t after) {
    auto from = windows.begin();
    if (after != XCB_NONE) {
        from = std::find_if(windows.begin(), windows.end(), [after](const LabelledWindow& w) { return w.id == after; });
        if (from == windows.end()) {
            return XCB_NONE;
        }
        ++from;
    }
    const auto it = std::find_if(from, windows.end(), [&](const LabelledWindow& w) { return LabelMatches(w.label, className, title); });
    return it != windows.end() ? it->id : XCB_NONE;
}

}  // namespace platform::ui::x11
