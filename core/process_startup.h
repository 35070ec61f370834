#pragma once
// Work done once per process: by the first instance's construction and the
// last instance's destruction. Steps that belong to the editor, the files and
// the HTTP server are seams here that do nothing yet.
class ZOLTVSTExprPlug;

namespace velmora {

void ProcessStartUp(ZOLTVSTExprPlug& first);
void ProcessTearDown();
// After the first instance is fully built.
void StartHttpServerIfEnabled(ZOLTVSTExprPlug& first);

}  // namespace velmora
