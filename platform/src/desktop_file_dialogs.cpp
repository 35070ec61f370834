#include "platform/desktop_file_dialogs.h"

#include <filesystem>

namespace platform {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = text.find(separator, from);
        parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) {
            return parts;
        }
        from = at + 1;
    }
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : separator) + part;
    }
    return text;
}

std::string WithFinalSlash(const std::string& folder) {
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

const char* ProgramName(DialogProgram program) { return program == DialogProgram::Zenity ? "zenity" : "kdialog"; }

}  // namespace

std::vector<FileFilter> ParseFileFilter(const std::string& filter) {
    std::vector<FileFilter> filters;
    if (filter.empty()) {
        return filters;
    }
    const std::vector<std::string> parts = Split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter f{parts[i], {}};
        for (const std::string& glob : Split(parts[i + 1], ';')) {
            if (!glob.empty()) {
                f.globs.push_back(glob);
            }
        }
        if (!f.globs.empty()) {
            filters.push_back(std::move(f));
        }
    }
    return filters;
}

std::vector<std::string> DialogCommand(DialogProgram program, const DialogRequest& request) {
    const std::vector<FileFilter> filters = ParseFileFilter(request.filter);
    std::vector<std::string> command{ProgramName(program)};
    if (program == DialogProgram::Zenity) {
        command.insert(command.end(), {"--file-selection", "--title=" + request.title});
        if (request.save) {
            command.insert(command.end(), {"--save", "--confirm-overwrite"});
        }
        if (!request.startFolder.empty()) {
            command.push_back("--filename=" + WithFinalSlash(request.startFolder));
        }
        for (const FileFilter& f : filters) {
            command.push_back("--file-filter=" + f.name + " | " + Joined(f.globs, " "));
        }
        return command;
    }
    command.insert(command.end(), {"--title", request.title, request.save ? "--getsavefilename" : "--getopenfilename",
                                   request.startFolder.empty() ? std::string(".") : request.startFolder});
    std::vector<std::string> lines;
    for (const FileFilter& f : filters) {
        lines.push_back(Joined(f.globs, " ") + "|" + f.name);
    }
    if (!lines.empty()) {
        command.push_back(Joined(lines, "\n"));
    }
    return command;
}

std::optional<std::string> DialogAnswer(const DialogRequest& request, const ProgramResult& result) {
    if (!result.started || result.exitCode != 0) {
        return std::nullopt;
    }
    std::string path = result.output;
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) {
        path.pop_back();
    }
    if (path.empty()) {
        return std::nullopt;
    }
    if (request.save && !request.defaultExtension.empty() && std::filesystem::path(path).extension().empty()) {
        path += (request.defaultExtension.front() == '.' ? "" : ".") + request.defaultExtension;
    }
    return path;
}

std::optional<std::string> DesktopFileDialogs::ask(const DialogRequest& request) const {
    for (const DialogProgram program : {DialogProgram::Zenity, DialogProgram::Kdialog}) {
        if (!find_(ProgramName(program))) {
            continue;
        }
        const ProgramResult result = run_(DialogCommand(program, request));
        if (!result.started && debug_) {
            debug_(std::string(request.save ? "save" : "open") + " dialog \"" + request.title + "\" cancelled: " +
                   ProgramName(program) + " could not be started");
        }
        return DialogAnswer(request, result);
    }
    if (debug_) {
        debug_(std::string(request.save ? "save" : "open") + " dialog \"" + request.title +
               "\" cancelled: neither zenity nor kdialog is installed");
    }
    return std::nullopt;
}

std::optional<std::string> DesktopFileDialogs::openFile(const std::string& title, const std::string& filter,
                                                        const std::string& startFolder) const {
    return ask(DialogRequest{.save = false, .title = title, .filter = filter, .startFolder = startFolder, .defaultExtension = {}});
}

std::optional<std::string> DesktopFileDialogs::saveFile(const std::string& title, const std::string& filter,
                                                        const std::string& defaultExtension) const {
    return ask(DialogRequest{.save = true, .title = title, .filter = filter, .startFolder = {}, .defaultExtension = defaultExtension});
}

}  // namespace platform
