#pragma once
// Files dropped on an instance: which importer takes them.
#include <string>
#include <string_view>

namespace velmora {
class Instance;
}  // namespace velmora

namespace velmora {

enum class DroppedKind { Ignored, Instrument, ArticulationSet };

struct DroppedFile {
    DroppedKind kind = DroppedKind::Ignored;
    std::string fileName;  // what the host shows for the instance
};

// The extension is the text after the first dot of the path, up to the next
// dot (a run of dots counts as one); the file name is the base after its last
// separator. So "C:\Lib.old\Violins.nki" has the extension "old\Violins".
DroppedFile RecogniseDroppedFile(std::string_view path);

// Sends the file name to the host, then runs the importer. Interface thread.
void HandleDroppedFile(Instance& plug, const char* path);

}  // namespace velmora
