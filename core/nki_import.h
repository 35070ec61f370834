#pragma once
// Importing the articulations of an instrument file through the importer
// library.
#include <string>

class ZOLTVSTExprPlug;

namespace velmora {

enum class NkiImportMode { Replace, Append };

void ImportNki(ZOLTVSTExprPlug& plug, const std::string& path, NkiImportMode mode);

}  // namespace velmora
