#pragma once
// Open and save dialogs and file existence. This platform has no dialogs of
// its own: a host without a window system answers through its table, and
// without one the answer is that of a user who cancelled. Tests and the
// desktop substitute their own.
#include <optional>
#include <string>

#include "shared/headless_editor.h"

namespace platform {

class FileDialogs {
public:
    FileDialogs() = default;
    explicit FileDialogs(const velmora::HeadlessHost* const* host) : host_(host) {}
    virtual ~FileDialogs() = default;
    // filter: e.g. "Articulation files|*.zoltartic"; the chosen path, or nullopt when cancelled.
    // startFolder: where the dialog opens; empty for the dialog's own choice.
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                                const std::string& startFolder = {}) const;
    virtual std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                                const std::string& defaultExtension) const;
    virtual bool fileExists(const std::string& path) const;

private:
    std::optional<std::string> ask(bool save, const std::string& title, const std::string& filter) const;

    const velmora::HeadlessHost* const* host_ = nullptr;
};

}  // namespace platform
