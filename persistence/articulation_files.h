#pragma once
// Articulation set files: export of the instance's articulations, and import
// in place of them, after them, or over them from the first one.
#include <string>

#include "core/articulation.h"

namespace velmora {
class Instance;
}  // namespace velmora

namespace velmora {

struct ParsedSet;

enum class ImportMode {
    Replace,  // menu "Import articulations"
    Append,   // menu "Append articulations": after the last articulation in use
    Drop,     // a file dropped on the instance: from articulation 0, nothing reset
};

// Wording of the file dialogs the editor's menu shows for these files.
inline constexpr const char* kArticulationFileExtension = "zoltartic";
inline constexpr const char* kArticulationFileFilter = "JSON instrument files|*.zoltartic";
inline constexpr const char* kExportArticulationsTitle = "Exporting articulations to file";
inline constexpr const char* kImportArticulationsTitle = "Importing articulations from file";

inline constexpr const char* kExportFailedMessage = "Could not export articulation file. Please try again.";
inline constexpr const char* kImportInvalidMessage =
    "Could not import articulation file. Please check it's a valid JSON-formatted articulation.";

// The set text of articulations 0 up to the last one that is not blank.
std::string UsedArticulationsText(const ArticulationTable& table);

// Stores a parsed set as the mode says. A set that did not parse into an
// array of at most 64 elements changes nothing and gives false.
bool ApplyArticulationSet(ArticulationTable& table, const ParsedSet& set, ImportMode mode);

// Writes articulations 0 up to the last one in use and reports the count.
// Returns whether the file could be created. Interface thread.
bool ExportArticulations(Instance& plug, const std::string& path);

// Reads a set file into the instance. A file that cannot be opened changes
// nothing and says nothing. In replace mode the articulations are cleared
// only once the file has been parsed into an array of at most 64 elements,
// so a bad file never wipes them. Interface thread.
void ImportArticulations(Instance& plug, const std::string& path, ImportMode mode);

}  // namespace velmora
