#include "platform/file_dialogs.h"

#include <filesystem>

namespace platform {

std::optional<std::string> FileDialogs::openFile(const std::string&, const std::string&) const { return std::nullopt; }

std::optional<std::string> FileDialogs::saveFile(const std::string&, const std::string&, const std::string&) const {
    return std::nullopt;
}

bool FileDialogs::fileExists(const std::string& path) const {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace platform
