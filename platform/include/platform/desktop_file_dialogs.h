#pragma once
// Open and save dialogs on a desktop: the desktop's own dialog program run as
// a child process, zenity or else kdialog. With neither, every dialog is
// cancelled and the debug output says why.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/child_process.h"
#include "platform/file_dialogs.h"

namespace platform {

// One "name|pattern" pair of a filter; a pattern may list several globs with ';'.
struct FileFilter {
    std::string name;
    std::vector<std::string> globs;
};

// "Text files|*.txt|All files|*.*" in pairs; a trailing name without a pattern is dropped.
std::vector<FileFilter> ParseFileFilter(const std::string& filter);

enum class DialogProgram { Zenity, Kdialog };

struct DialogRequest {
    bool save = false;
    std::string title;
    std::string filter;
    std::string startFolder;       // empty: the program's own choice
    std::string defaultExtension;  // save: added to a name without one ("txt" or ".txt")
};

// The command line that asks `program` for the request's file.
std::vector<std::string> DialogCommand(DialogProgram program, const DialogRequest& request);

// The program's answer as a path: its output without the final line break,
// with the default extension added to a saved name that has none; nullopt for
// a cancel or an empty answer.
std::optional<std::string> DialogAnswer(const DialogRequest& request, const ProgramResult& result);

class DesktopFileDialogs final : public FileDialogs {
public:
    using Runner = std::function<ProgramResult(const std::vector<std::string>&)>;
    using Finder = std::function<bool(const std::string&)>;
    using DebugOutput = std::function<void(const std::string&)>;

    explicit DesktopFileDialogs(DebugOutput debug, Runner run = RunProgram, Finder find = ProgramOnPath)
        : debug_(std::move(debug)), run_(std::move(run)), find_(std::move(find)) {}

    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& startFolder = {}) const override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& defaultExtension) const override;

private:
    std::optional<std::string> ask(const DialogRequest& request) const;

    DebugOutput debug_;
    Runner run_;
    Finder find_;
};

}  // namespace platform
