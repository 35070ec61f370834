#pragma once
// Running another program to its end: the desktop's dialog programs. The
// caller waits; the program's standard output is collected, its standard
// error left to the terminal.
#include <string>
#include <vector>

namespace platform {

struct ProgramResult {
    bool started = false;  // false: the program could not be run at all
    int exitCode = -1;     // -1 when it ended by a signal
    std::string output;    // standard output, whole
};

// Runs argv[0], found on PATH, with the arguments; never through a shell, so
// no argument is ever interpreted.
ProgramResult RunProgram(const std::vector<std::string>& argv);

// Whether `name` is an executable file in one of PATH's folders.
bool ProgramOnPath(const std::string& name);

}  // namespace platform
