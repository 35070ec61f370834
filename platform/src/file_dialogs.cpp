#include "platform/file_dialogs.h"

#include <filesystem>
#include <vector>

namespace platform {

namespace {
constexpr int kPathSize = 4096;
}

std::optional<std::string> FileDialogs::ask(bool save, const std::string& title, const std::string& filter) const {
    const velmora::HeadlessHost* host = host_ != nullptr ? *host_ : nullptr;
    if (host == nullptr || host->fileDialog == nullptr) {
        return std::nullopt;
    }
    std::vector<char> path(kPathSize, '\0');
    if (host->fileDialog(host->context, save ? 1 : 0, title.c_str(), filter.c_str(), path.data(), kPathSize) == 0) {
        return std::nullopt;
    }
    path.back() = '\0';  // a host that filled the buffer whole still ends it
    return std::string(path.data());
}

// The host's table has no start folder: its dialog opens where it chooses.
std::optional<std::string> FileDialogs::openFile(const std::string& title, const std::string& filter,
                                                 const std::string& /*startFolder*/) const {
    return ask(false, title, filter);
}

std::optional<std::string> FileDialogs::saveFile(const std::string& title, const std::string& filter,
                                                 const std::string& /*defaultExtension*/) const {
    return ask(true, title, filter);
}

bool FileDialogs::fileExists(const std::string& path) const {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace platform
