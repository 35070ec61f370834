#pragma once
// Work of the upper layers done once per process: after the first instance is
// built, and when an instance leaves. The editor's skin and fonts are a seam
// here that does nothing yet.
class ZOLTVSTExprPlug;

namespace velmora {

// The icon template, the editor's resources, and the HTTP server when the user
// switched it on.
void ProcessStartUp(ZOLTVSTExprPlug& first);
// The last instance stops the server; any other hands the server's context on.
void ProcessWithoutInstance(ZOLTVSTExprPlug& leaving, bool last);

}  // namespace velmora
