#include "platform/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

extern char** environ;

namespace platform {

ProgramResult RunProgram(const std::vector<std::string>& argv) {
    ProgramResult result;
    if (argv.empty()) {
        return result;
    }
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        return result;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(pipeEnds[0], buffer, sizeof(buffer));
        if (n > 0) {
            result.output.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(pipeEnds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.started = true;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool ProgramOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr || name.empty() || name.find('/') != std::string::npos) {
        return false;
    }
    std::string_view rest(path);
    while (true) {
        const std::size_t colon = rest.find(':');
        std::string candidate(colon == 0 ? std::string_view(".") : rest.substr(0, colon));
        candidate += '/';
        candidate += name;
        if (::access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
        if (colon == std::string_view::npos) {
            return false;
        }
        rest.remove_prefix(colon + 1);
    }
}

}  // namespace platform
