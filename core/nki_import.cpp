#include "core/nki_import.h"

#include "core/plugin_instance.h"

namespace velmora {

// The importer library binding arrives with the importer itself; until then an
// instrument file changes nothing.
void ImportNki(ZOLTVSTExprPlug&, const std::string&, NkiImportMode) {}

}  // namespace velmora
