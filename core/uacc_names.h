#pragma once

namespace velmora {

// Articulation-type name of a UACC value (CC32); "Unspecified" where none.
const char* UaccName(int value);

}  // namespace velmora
