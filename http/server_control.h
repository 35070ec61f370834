#pragma once
// The process's one server: started by an instance, polled from every
// instance's idle call, stopped by the last one.
namespace velmora {
class Instance;
}  // namespace velmora

namespace velmora::http {
struct Server;

void StartServer(Instance& plug);
void StopServer(Instance& plug);
// Zero time-out: never blocks the interface thread.
void PollFromIdle(Instance& plug);
// The instance is going away: the server's context moves to a living one.
void ForgetInstance(Instance& plug);
// The running server, or nullptr.
Server* RunningServer();

}  // namespace velmora::http
