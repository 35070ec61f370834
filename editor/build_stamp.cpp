#include "editor/build_stamp.h"

namespace velmora::editor {

// VELMORA_BUILD_STAMP is set by the build when it configures.
const char* const kBuildStamp = VELMORA_BUILD_STAMP;

}  // namespace velmora::editor
