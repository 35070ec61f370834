// A library in the importer's place that lacks GetArticulations. Its Free
// stops the process, so a plugin that called into it would fail the test.
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) void Free(void*) { std::abort(); }
