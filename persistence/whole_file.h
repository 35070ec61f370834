#pragma once
// Reading a small data file whole into memory.
#include <cstddef>
#include <optional>
#include <string>

namespace velmora {

// Far above any articulation set or template (64 articulations of long
// names come to a few hundred KiB); a larger file is treated as unreadable
// rather than risk exhausting memory.
inline constexpr std::size_t kMaxDataFileBytes = std::size_t{64} << 20;

// The file's bytes without any translation, or nullopt when it cannot be
// opened or read (a folder, a vanished file, one above the limit).
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace velmora
