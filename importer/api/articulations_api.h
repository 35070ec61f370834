#pragma once
// The importer library's two operations, as the exported functions run them.
// Nothing escapes them: every failure is a record with count 0.
#include "shared/imported_articulations.h"

#include <cstdint>
#include <span>
#include <string>

namespace velmora::api {

// Never null. The record and its names belong to this library until
// freeArticulations.
ImportedArticulations* getArticulations(const char* path, std::int32_t keyswitchMode);
// The same over a file's bytes already in memory (`path` only names it in
// the diagnostic line).
ImportedArticulations* getArticulationsFromBytes(std::span<const std::uint8_t> file, const std::string& path,
                                                 std::int32_t keyswitchMode);
void freeArticulations(ImportedArticulations* record);

}  // namespace velmora::api
