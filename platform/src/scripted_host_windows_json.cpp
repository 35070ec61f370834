// The JSON form of the in-memory window tree and of its input log (the
// format is in the header).
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/scripted_host_windows.h"

namespace platform {

namespace {

using Value = rapidjson::Value;

// Deeper nesting than any host has is refused rather than recursed into.
constexpr int kMaxDepth = 32;
constexpr std::uint32_t kTopColour = 0xFFFFFF;

class Reader {
public:
    Reader(ScriptedHostWindows& tree, std::string& error) : tree_(tree), error_(error) {}

    bool windows(const Value& list, HWND parent, const std::string& path, int depth) {
        if (!list.IsArray()) {
            return fail(path, "expected an array of windows");
        }
        if (depth > kMaxDepth) {
            return fail(path, "windows nested too deeply");
        }
        for (rapidjson::SizeType i = 0; i < list.Size(); ++i) {
            if (!window(list[i], parent, path + "[" + std::to_string(i) + "]", depth)) {
                return false;
            }
        }
        return true;
    }

    bool point(const Value& v, ui::Point& p, const std::string& path) {
        if (!v.IsArray() || v.Size() != 2 || !v[0].IsInt() || !v[1].IsInt()) {
            return fail(path, "expected [x, y]");
        }
        p = {v[0].GetInt(), v[1].GetInt()};
        return true;
    }

    bool fail(const std::string& path, const char* what) {
        error_ = path + ": " + what;
        return false;
    }

private:
    bool window(const Value& v, HWND parent, const std::string& path, int depth) {
        if (!v.IsObject()) {
            return fail(path, "expected a window object");
        }
        ScriptedWindow w;
        w.parent = parent;
        if (const auto id = v.FindMember("id"); id != v.MemberEnd()) {
            if (!id->value.IsUint64() || id->value.GetUint64() == 0) {
                return fail(path + ".id", "expected an unsigned integer other than 0");
            }
            w.id = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id->value.GetUint64()));
            if (tree_.window(w.id) != nullptr) {
                return fail(path + ".id", "used by another window");
            }
        }
        if (!text(v, "class", w.className, path) || !text(v, "title", w.title, path)) {
            return false;
        }
        const auto rect = v.FindMember("rect");
        if (rect == v.MemberEnd()) {
            return fail(path, "has no \"rect\"");
        }
        const Value& r = rect->value;
        if (!r.IsArray() || r.Size() != 4 || !r[0].IsInt() || !r[1].IsInt() || !r[2].IsInt() || !r[3].IsInt()) {
            return fail(path + ".rect", "expected [left, top, right, bottom]");
        }
        w.rect = {r[0].GetInt(), r[1].GetInt(), r[2].GetInt(), r[3].GetInt()};
        if (const auto client = v.FindMember("client"); client != v.MemberEnd() && !point(client->value, w.clientOffset, path + ".client")) {
            return false;
        }
        if (const auto rows = v.FindMember("rows"); rows != v.MemberEnd() && !readRows(rows->value, w, path + ".rows")) {
            return false;
        }
        const HWND id = tree_.add(std::move(w));
        const auto children = v.FindMember("children");
        return children == v.MemberEnd() || windows(children->value, id, path + ".children", depth + 1);
    }

    bool text(const Value& v, const char* key, std::string& out, const std::string& path) {
        const auto m = v.FindMember(key);
        if (m == v.MemberEnd()) {
            return true;
        }
        if (!m->value.IsString()) {
            return fail(path + "." + key, "expected a string");
        }
        out.assign(m->value.GetString(), m->value.GetStringLength());
        return true;
    }

    bool colour(const Value& v, std::uint32_t& out, const std::string& path) {
        if (v.IsUint() && v.GetUint() <= kTopColour) {
            out = v.GetUint();
            return true;
        }
        if (v.IsString() && v.GetStringLength() == 7 && v.GetString()[0] == '#') {
            const std::string_view hex(v.GetString() + 1, 6);
            if (std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; })) {
                out = static_cast<std::uint32_t>(std::strtoul(std::string(hex).c_str(), nullptr, 16));
                return true;
            }
        }
        return fail(path, "expected a colour, \"#RRGGBB\" or an integer up to 0xFFFFFF");
    }

    bool readRows(const Value& rows, ScriptedWindow& w, const std::string& path) {
        if (!rows.IsArray()) {
            return fail(path, "expected an array of rows");
        }
        for (rapidjson::SizeType i = 0; i < rows.Size(); ++i) {
            const Value& row = rows[i];
            const std::string at = path + "[" + std::to_string(i) + "]";
            if (!row.IsObject()) {
                return fail(at, "expected a row object");
            }
            ScriptedWindow::Row out;
            const auto y = row.FindMember("y");
            if (y == row.MemberEnd() || !y->value.IsInt()) {
                return fail(at + ".y", "expected an integer");
            }
            out.y = y->value.GetInt();
            if (const auto fill = row.FindMember("fill"); fill != row.MemberEnd() && !colour(fill->value, out.fill, at + ".fill")) {
                return false;
            }
            if (const auto pixels = row.FindMember("pixels"); pixels != row.MemberEnd()) {
                if (!pixels->value.IsArray()) {
                    return fail(at + ".pixels", "expected an array of colours");
                }
                for (rapidjson::SizeType x = 0; x < pixels->value.Size(); ++x) {
                    std::uint32_t c = 0;
                    if (!colour(pixels->value[x], c, at + ".pixels[" + std::to_string(x) + "]")) {
                        return false;
                    }
                    out.pixels.push_back(c);
                }
            }
            w.rows.push_back(std::move(out));
        }
        return true;
    }

    ScriptedHostWindows& tree_;
    std::string& error_;
};

const char* KindName(HostWindowInput::Kind kind) {
    switch (kind) {
        case HostWindowInput::Kind::Cursor: return "cursor";
        case HostWindowInput::Kind::Button: return "button";
        case HostWindowInput::Kind::Key: return "key";
        case HostWindowInput::Kind::Move: return "move";
        case HostWindowInput::Kind::Debug: return "debug";
    }
    return "";
}

}  // namespace

std::optional<ScriptedHostWindows> ScriptedHostWindows::FromJson(std::string_view json, std::string& error) {
    rapidjson::Document doc;
    doc.Parse<rapidjson::kParseIterativeFlag>(json.data(), json.size());
    if (doc.HasParseError()) {
        error = "not JSON (at byte " + std::to_string(doc.GetErrorOffset()) + ")";
        return std::nullopt;
    }
    if (!doc.IsObject()) {
        error = "expected an object";
        return std::nullopt;
    }
    ScriptedHostWindows tree;
    Reader reader(tree, error);
    if (const auto windows = doc.FindMember("windows"); windows != doc.MemberEnd() && !reader.windows(windows->value, nullptr, "windows", 0)) {
        return std::nullopt;
    }
    if (const auto cursor = doc.FindMember("cursor"); cursor != doc.MemberEnd()) {
        ui::Point p;
        if (!reader.point(cursor->value, p, "cursor")) {
            return std::nullopt;
        }
        tree.placeCursor(p);
    }
    if (const auto keys = doc.FindMember("keys"); keys != doc.MemberEnd()) {
        if (!keys->value.IsArray()) {
            reader.fail("keys", "expected an array of virtual key codes");
            return std::nullopt;
        }
        for (const Value& k : keys->value.GetArray()) {
            if (!k.IsInt()) {
                reader.fail("keys", "expected an array of virtual key codes");
                return std::nullopt;
            }
            tree.hold(k.GetInt(), true);
        }
    }
    return tree;
}

std::string ScriptedHostWindows::LogJson() const {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    w.StartArray();
    for (const HostWindowInput& input : log_) {
        w.StartObject();
        w.Key("kind");
        w.String(KindName(input.kind));
        switch (input.kind) {
            case HostWindowInput::Kind::Cursor:
                w.Key("x");
                w.Int(input.x);
                w.Key("y");
                w.Int(input.y);
                break;
            case HostWindowInput::Kind::Button:
                w.Key("down");
                w.Bool(input.down);
                break;
            case HostWindowInput::Kind::Key:
                w.Key("key");
                w.Int(input.key);
                w.Key("down");
                w.Bool(input.down);
                break;
            case HostWindowInput::Kind::Move:
                w.Key("window");
                w.Uint64(reinterpret_cast<std::uintptr_t>(input.window));
                w.Key("x");
                w.Int(input.x);
                w.Key("y");
                w.Int(input.y);
                break;
            case HostWindowInput::Kind::Debug:
                w.Key("text");
                w.String(input.text.data(), static_cast<rapidjson::SizeType>(input.text.size()));
                break;
        }
        w.EndObject();
    }
    w.EndArray();
    return {buffer.GetString(), buffer.GetSize()};
}

}  // namespace platform
