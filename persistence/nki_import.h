#pragma once
// Importing the articulations of an instrument file through the importer
// library, which is loaded for the one import and unloaded after it.
#include <optional>
#include <string>

namespace velmora {
class Instance;
}  // namespace velmora

namespace velmora {

enum class NkiImportMode { Replace, Append };

inline constexpr const char* kImporterRelativePath =
    "/Plugins/Fruity/Generators/ZOLT Velmora/ZOLT Velmora NKI Importer_x64.so";

inline constexpr const char* kNkiNotLoadedMessage = "Could not load NKI";
inline constexpr const char* kNkiImporterIncompleteMessage =
    "Could not load NKI: the importer library does not provide GetArticulations and Free";
inline constexpr const char* kNkiInvalidMessage =
    "NKI was not a valid Kontakt patch, or was not a Spitfire Audio instrument";
inline constexpr const char* kNkiImportedFormat = "Imported %i articulations";

// The importer library below the installation folder.
std::string ArticulationImporterPath();

// Runs one import and reports its outcome by message box, in every case.
// Replace fills from articulation 0 and clears the others, but only once the
// library has returned at least one entry: a failed import changes nothing.
// Append fills from one past the last articulation in use. The Control key,
// held at this moment, asks the library for keyswitch numbering unless the
// caller chooses it. Answers how many entries the library delivered.
// Interface thread.
int ImportNki(Instance& plug, const std::string& path, NkiImportMode mode,
              std::optional<int> keyswitchMode = std::nullopt);

}  // namespace velmora
