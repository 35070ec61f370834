#include "platform/desktop_file_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

using Command = std::vector<std::string>;

DialogRequest Request(bool save, std::string title, std::string filter, std::string folder = {}, std::string extension = {}) {
    DialogRequest r;
    r.save = save;
    r.title = std::move(title);
    r.filter = std::move(filter);
    r.startFolder = std::move(folder);
    r.defaultExtension = std::move(extension);
    return r;
}

TEST(FileFilterTest, PairsWithSeveralGlobs) {
    const std::vector<FileFilter> filters = ParseFileFilter("Sets|*.zoltartic;*.json|All files|*.*|Dangling");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].name, "Sets");
    EXPECT_EQ(filters[0].globs, (std::vector<std::string>{"*.zoltartic", "*.json"}));
    EXPECT_EQ(filters[1].globs, (std::vector<std::string>{"*.*"}));
    EXPECT_TRUE(ParseFileFilter("").empty());
}

TEST(DialogCommandTest, EachProgramGetsTitleFilterFolderAndMode) {
    struct Case {
        DialogProgram program;
        DialogRequest request;
        Command expected;
    };
    const Case cases[] = {
        {DialogProgram::Zenity,
         Request(false, "Open Text File", "Text files|*.txt|All files|*.*", "/data/keys"),
         {"zenity", "--file-selection", "--title=Open Text File", "--filename=/data/keys/", "--file-filter=Text files | *.txt",
          "--file-filter=All files | *.*"}},
        {DialogProgram::Zenity,
         Request(true, "Save Text File", "Text files|*.txt", "", "txt"),
         {"zenity", "--file-selection", "--title=Save Text File", "--save", "--confirm-overwrite",
          "--file-filter=Text files | *.txt"}},
        {DialogProgram::Kdialog,
         Request(false, "Import", "Sets|*.zoltartic;*.json|All files|*.*"),
         {"kdialog", "--title", "Import", "--getopenfilename", ".", "*.zoltartic *.json|Sets\n*.*|All files"}},
        {DialogProgram::Kdialog,
         Request(true, "Export", "", "/tmp"),
         {"kdialog", "--title", "Export", "--getsavefilename", "/tmp"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DialogCommand(c.program, c.request), c.expected) << c.request.title;
    }
}

TEST(DialogAnswerTest, PathFromOutputWithDefaultExtension) {
    struct Case {
        bool save;
        std::string extension;
        ProgramResult result;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {false, "", {true, 0, "/a/b.txt\n"}, "/a/b.txt"},
        {true, "txt", {true, 0, "/a/names\n"}, "/a/names.txt"},
        {true, ".zoltartic", {true, 0, "/a/set\n"}, "/a/set.zoltartic"},
        {true, "txt", {true, 0, "/a/names.lst\n"}, "/a/names.lst"},  // the user's own extension stays
        {false, "", {true, 1, ""}, std::nullopt},                     // cancelled
        {false, "", {true, 0, "\n"}, std::nullopt},
        {false, "", {false, -1, ""}, std::nullopt},
        {false, "", {true, -1, "/a/b\n"}, std::nullopt},  // killed
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DialogAnswer(Request(c.save, "", "", "", c.extension), c.result), c.expected)
            << c.result.output;
    }
}

struct FakeDesktop {
    std::vector<std::string> installed;
    ProgramResult answer{true, 0, "/chosen/file.txt\n"};
    std::vector<Command> ran;
    std::vector<std::string> debug;

    DesktopFileDialogs dialogs() {
        return DesktopFileDialogs([this](const std::string& line) { debug.push_back(line); },
                                  [this](const Command& c) {
                                      ran.push_back(c);
                                      return answer;
                                  },
                                  [this](const std::string& name) {
                                      return std::find(installed.begin(), installed.end(), name) != installed.end();
                                  });
    }
};

TEST(DesktopFileDialogsTest, PrefersZenityThenKdialog) {
    for (const auto& [installed, program] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"zenity", "kdialog"}, "zenity"}, {{"kdialog"}, "kdialog"}}) {
        FakeDesktop desktop;
        desktop.installed = installed;
        EXPECT_EQ(desktop.dialogs().saveFile("Save Text File", "Text files|*.txt", "txt"), "/chosen/file.txt");
        ASSERT_EQ(desktop.ran.size(), 1u);
        EXPECT_EQ(desktop.ran[0][0], program);
        EXPECT_TRUE(desktop.debug.empty());
    }
}

TEST(DesktopFileDialogsTest, WithoutADialogProgramTheDialogIsCancelledAndSaysWhy) {
    FakeDesktop desktop;
    EXPECT_EQ(desktop.dialogs().openFile("Open Text File", "Text files|*.txt"), std::nullopt);
    EXPECT_TRUE(desktop.ran.empty());
    ASSERT_EQ(desktop.debug.size(), 1u);
    EXPECT_EQ(desktop.debug[0], "open dialog \"Open Text File\" cancelled: neither zenity nor kdialog is installed");
}

TEST(DesktopFileDialogsTest, AProgramThatCannotStartIsACancelWithAReason) {
    FakeDesktop desktop;
    desktop.installed = {"zenity"};
    desktop.answer = {false, -1, ""};
    EXPECT_EQ(desktop.dialogs().openFile("Import", "Sets|*.zoltartic", "/start"), std::nullopt);
    ASSERT_EQ(desktop.debug.size(), 1u);
    EXPECT_EQ(desktop.debug[0], "open dialog \"Import\" cancelled: zenity could not be started");
}

TEST(ChildProcessTest, RunsWithoutAShellAndCollectsOutput) {
    const ProgramResult echoed = RunProgram({"printf", "%s|", "a b", "$HOME;`x`"});
    EXPECT_TRUE(echoed.started);
    EXPECT_EQ(echoed.exitCode, 0);
    EXPECT_EQ(echoed.output, "a b|$HOME;`x`|");  // nothing expanded

    const ProgramResult failed = RunProgram({"sh", "-c", "exit 3"});
    EXPECT_EQ(failed.exitCode, 3);
    EXPECT_FALSE(RunProgram({"velmora-no-such-program"}).started);
    EXPECT_FALSE(RunProgram({}).started);
}

TEST(ChildProcessTest, ProgramOnPathLooksOnlyInPath) {
    EXPECT_TRUE(ProgramOnPath("sh"));
    EXPECT_FALSE(ProgramOnPath("velmora-no-such-program"));
    EXPECT_FALSE(ProgramOnPath("/bin/sh"));  // a path, not a name
}

}  // namespace
}  // namespace platform
