#include "persistence/dropped_files.h"

#include "core/instance.h"
#include "persistence/articulation_files.h"
#include "persistence/nki_import.h"
#include "shared/ascii_text.h"

namespace velmora {

DroppedFile RecogniseDroppedFile(std::string_view path) {
    const std::size_t dot = path.find('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    const std::string_view base = path.substr(0, dot);
    std::size_t start = dot;
    while (start < path.size() && path[start] == '.') {
        ++start;
    }
    const std::size_t end = path.find('.', start);
    const std::string_view extension = path.substr(start, end == std::string_view::npos ? path.size() - start : end - start);
    const std::size_t slash = base.find_last_of("\\/");
    DroppedFile file;
    file.fileName = std::string(slash == std::string_view::npos ? base : base.substr(slash + 1));
    if (EqualsIgnoringCase(extension, "nki")) {
        file.kind = DroppedKind::Instrument;
    } else if (EqualsIgnoringCase(extension, "zoltartic") || EqualsIgnoringCase(extension, "txt")) {
        file.kind = DroppedKind::ArticulationSet;
    }
    return file;
}

void HandleDroppedFile(Instance& plug, const char* path) {
    if (path == nullptr) {
        return;
    }
    const DroppedFile file = RecogniseDroppedFile(path);
    if (file.kind == DroppedKind::Ignored) {
        return;
    }
    plug.Host().sendText(plug::FHD_SetInstanceName, file.fileName.c_str());
    if (file.kind == DroppedKind::Instrument) {
        ImportNki(plug, path, NkiImportMode::Replace);
    } else {
        ImportArticulations(plug, path, ImportMode::Drop);
    }
}

}  // namespace velmora
