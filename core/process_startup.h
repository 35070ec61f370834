#pragma once
// Work done once per process: by the first instance's construction and the
// last instance's destruction. The editor's skin and fonts are a seam here
// that does nothing yet.
class ZOLTVSTExprPlug;

namespace velmora {

void ProcessStartUp(ZOLTVSTExprPlug& first);
void ProcessTearDown(ZOLTVSTExprPlug& last);
// After the first instance is fully built.
void StartHttpServerIfEnabled(ZOLTVSTExprPlug& first);

}  // namespace velmora
