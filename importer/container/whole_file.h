#pragma once
// The one place the importer touches the file system: reading a file whole.
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::container {

enum class WholeFileStatus { Ok, CannotOpen, ReadFailed };

struct WholeFile {
    WholeFileStatus status = WholeFileStatus::CannotOpen;
    std::vector<std::uint8_t> bytes;
};

WholeFile readWholeFile(const std::string& path);

}  // namespace velmora::container
