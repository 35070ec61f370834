#include "window_labels.h"

#include <cstdlib>
#include <memory>

namespace platform::ui::x11 {

namespace {

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

// Longer class names and titles are cut there; no host window has one.
constexpr std::uint32_t kMaxLongs = 1024;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

xcb_get_property_cookie_t AskProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
    return xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxLongs);
}

// The property's bytes and type; null when the window or the property is not there.
Owned<xcb_get_property_reply_t> Property(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    Owned<xcb_get_property_reply_t> r(xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (r && (r->type == XCB_NONE || r->format != 8)) {
        r.reset();
    }
    return r;
}

std::string_view Bytes(xcb_get_property_reply_t* r) {
    return {static_cast<const char*>(xcb_get_property_value(r)), static_cast<std::size_t>(xcb_get_property_value_length(r))};
}

}  // namespace

LabelAtoms InternLabelAtoms(xcb_connection_t* c) {
    const auto ask = [c](std::string_view name) {
        return xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data());
    };
    const xcb_intern_atom_cookie_t netWmName = ask("_NET_WM_NAME");
    const xcb_intern_atom_cookie_t utf8 = ask("UTF8_STRING");
    LabelAtoms atoms;
    if (Owned<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, netWmName, nullptr), &std::free); r) {
        atoms.netWmName = r->atom;
    }
    if (Owned<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, utf8, nullptr), &std::free); r) {
        atoms.utf8String = r->atom;
    }
    return atoms;
}

std::string ClassOfWmClass(std::string_view value) {
    const std::size_t end = value.find('\0');
    if (end == std::string_view::npos) {
        return {};
    }
    const std::string_view rest = value.substr(end + 1);
    return std::string(rest.substr(0, rest.find('\0')));
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (b >> 6));
            utf8 += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return utf8;
}

bool LabelMatches(const WindowLabel& label, std::string_view className, std::string_view title) {
    return (className.empty() || label.className == className) && (title.empty() || SameIgnoringAsciiCase(label.title, title));
}

std::vector<WindowLabel> ReadLabels(xcb_connection_t* c, const LabelAtoms& atoms, const std::vector<xcb_window_t>& windows,
                                    bool withTitles) {
    struct Cookies {
        xcb_get_property_cookie_t wmClass;
        xcb_get_property_cookie_t netWmName;
        xcb_get_property_cookie_t wmName;
    };
    std::vector<Cookies> cookies;
    cookies.reserve(windows.size());
    for (const xcb_window_t w : windows) {
        Cookies k{AskProperty(c, w, XCB_ATOM_WM_CLASS), {}, {}};
        if (withTitles) {
            k.netWmName = AskProperty(c, w, atoms.netWmName);
            k.wmName = AskProperty(c, w, XCB_ATOM_WM_NAME);
        }
        cookies.push_back(k);
    }
    std::vector<WindowLabel> labels(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        WindowLabel& label = labels[i];
        if (auto r = Property(c, cookies[i].wmClass)) {
            label.hasClass = true;
            label.className = ClassOfWmClass(Bytes(r.get()));
        }
        if (!withTitles) {
            continue;
        }
        // Both replies are read, so none is left waiting in the connection.
        auto netWmName = Property(c, cookies[i].netWmName);
        auto wmName = Property(c, cookies[i].wmName);
        if (netWmName && netWmName->type == atoms.utf8String) {
            label.title = std::string(Bytes(netWmName.get()));
        } else if (wmName) {
            label.title = wmName->type == XCB_ATOM_STRING ? Latin1ToUtf8(Bytes(wmName.get())) : std::string(Bytes(wmName.get()));
        }
    }
    return labels;
}

}  // namespace platform::ui::x11
