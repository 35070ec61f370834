#pragma once
// The process's one server: started by an instance, polled from every
// instance's idle call, stopped by the last one.
class ZOLTVSTExprPlug;

namespace velmora::http {
struct Server;

void StartServer(ZOLTVSTExprPlug& plug);
void StopServer(ZOLTVSTExprPlug& plug);
// Zero time-out: never blocks the interface thread.
void PollFromIdle(ZOLTVSTExprPlug& plug);
// The instance is going away: the server's context moves to a living one.
void ForgetInstance(ZOLTVSTExprPlug& plug);
// The running server, or nullptr.
Server* RunningServer();

}  // namespace velmora::http
