#pragma once
// Work of the upper layers done once per process: after the first instance is
// built, and when an instance leaves.
class ZOLTVSTExprPlug;

namespace velmora {

// The icon template, the editor's face and skin, and the HTTP server when the
// user switched it on.
void ProcessStartUp(ZOLTVSTExprPlug& first);
// The last instance stops the server and releases the skin; any other hands
// the server's context on.
void ProcessWithoutInstance(ZOLTVSTExprPlug& leaving, bool last);

}  // namespace velmora
