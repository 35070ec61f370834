#pragma once
// Counts every allocation the process makes through operator new, a
// dynamically loaded library's included (its calls resolve to the test
// program's replacement). Link the object library velmora_allocation_counter
// into a test program that wants it: it replaces the global operator new.

namespace velmora::test {

long AllocationCount();

}  // namespace velmora::test
