#pragma once
// Runs a shell command and collects what it prints, for tests of the
// command-line programs.
#include <cstdio>
#include <string>

namespace velmora::test {

// status is pclose's result (non-zero when the program failed), -1 when the
// command could not be started.
inline std::string RunCommand(const std::string& command, int& status) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return out;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0) {
        out.append(buffer, n);
    }
    status = ::pclose(pipe);
    return out;
}

}  // namespace velmora::test
