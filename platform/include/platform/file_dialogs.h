#pragma once
// Open and save dialogs and file existence. This platform's default has no
// dialogs (headless): it answers as a user who cancelled. Tests and the
// desktop host substitute their own.
#include <optional>
#include <string>

namespace platform {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filter: e.g. "Articulation files|*.zoltartic"; the chosen path, or nullopt when cancelled.
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter) const;
    virtual std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                                const std::string& defaultExtension) const;
    virtual bool fileExists(const std::string& path) const;
};

}  // namespace platform
