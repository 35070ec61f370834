#include "persistence/key_names.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "core/instance.h"

namespace velmora {

namespace {

constexpr const char* kTextFilter = "Text files|*.txt|All files|*.*";
constexpr const char* kTextExtension = "txt";

bool ValidArticulation(int a) { return a >= 0 && a < kArticulations; }

void TellHostNamesChanged(const Instance& plug) {
    plug.Host().dispatcher(plug::FHD_NamesChanged, 0, plug::kNamesPianoRoll);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens for reading in text mode. A path that opens but cannot be read (a
// folder, on this platform) counts as not opened, as it would elsewhere.
File OpenForReading(const std::string& path) {
    File f(std::fopen(path.c_str(), "r"));
    if (!f) {
        return f;
    }
    const int first = std::fgetc(f.get());
    if (first == EOF) {
        if (std::ferror(f.get()) != 0) {
            f.reset();
        }
        return f;
    }
    std::ungetc(first, f.get());
    return f;
}

void ReadLines(std::FILE* f, KeyNames& names) {
    char line[kKeyNameLineBuffer];
    for (int taken = 0; taken < kKeyNameFileLines && std::fgets(line, sizeof(line), f) != nullptr; ++taken) {
        std::size_t n = std::strlen(line);
        if (n > static_cast<std::size_t>(kKeyNameLength)) {
            n = kKeyNameLength;
        }
        while (n > 0 && (line[n - 1] == '\r' || line[n - 1] == '\n')) {
            --n;
        }
        names[static_cast<std::size_t>(taken)].assign(line, n);
    }
}

}  // namespace

std::string KeyNameTitle(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = last.find_last_of('.');
    if (dot != std::string_view::npos && dot != 0) {
        last = last.substr(0, dot);
    }
    return std::string(last);
}

bool LoadKeyNames(Instance& plug, int articulation, std::optional<std::string_view> path) {
    if (!ValidArticulation(articulation)) {
        return false;
    }
    KeyNameMap& map = plug.articulations.keyNames[articulation];
    if (!path) {
        map.clear();
        TellHostNamesChanged(plug);
        return false;
    }
    map.missing = 1;
    map.path.assign(path->data(), path->size());
    map.title = KeyNameTitle(*path);
    const File f = OpenForReading(map.path);
    if (!f) {
        return false;
    }
    map.missing = 0;
    map.names = std::make_unique<KeyNames>();
    ReadLines(f.get(), *map.names);
    TellHostNamesChanged(plug);
    return true;
}

bool SaveKeyNames(const Instance& plug, int articulation, const std::string& path) {
    if (!ValidArticulation(articulation)) {
        return false;
    }
    const KeyNameMap& map = plug.articulations.keyNames[articulation];
    if (!map.names) {
        return false;
    }
    const File f(std::fopen(path.c_str(), "w"));
    if (!f) {
        return false;
    }
    for (const std::string& name : *map.names) {
        std::fwrite(name.data(), 1, name.size(), f.get());
        std::fputc('\n', f.get());
    }
    return true;
}

bool LoadKeyNamesFromChosenFile(Instance& plug, int articulation) {
    if (!ValidArticulation(articulation)) {
        return false;
    }
    // The dialog opens where the articulation's names last came from.
    const std::string& current = plug.articulations.keyNames[articulation].path;
    const std::size_t slash = current.find_last_of("/\\");
    const std::string folder =
        slash == std::string::npos ? std::string() : current.substr(0, slash == 0 ? 1 : slash);  // "/" stays the root
    const std::optional<std::string> chosen = plug.platform.fileDialogs().openFile("Open Text File", kTextFilter, folder);
    return chosen && LoadKeyNames(plug, articulation, *chosen);
}

bool SaveKeyNamesToChosenFile(const Instance& plug, int articulation) {
    if (!ValidArticulation(articulation) || !plug.articulations.keyNames[articulation].names) {
        return false;
    }
    const std::optional<std::string> chosen =
        plug.platform.fileDialogs().saveFile("Save Text File", kTextFilter, kTextExtension);
    return chosen && SaveKeyNames(plug, articulation, *chosen);
}

}  // namespace velmora
