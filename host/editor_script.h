#pragma once
// What a script tells the headless editor host to do: one JSON object per
// line, read completely before any of it runs, so a mistake on line 40 does
// not leave an editor half driven.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/headless_editor.h"

namespace velmora::host {

// The questions an editor asks its user through the host.
enum class Question { Prompt, Menu, Open, Save, MessageBox };

// The user's answer to the next question of its kind.
struct ScriptAnswer {
    Question question = Question::Prompt;
    bool cancel = false;
    std::string text;  // Prompt: the text entered; Open, Save: the path chosen
    int id = 0;        // Menu: the entry chosen
    int result = 0;    // MessageBox: the button pressed (1 OK ... 7 No)
};

struct ScriptStep {
    enum class Kind {
        Events,    // window-system events, in order (a click is two)
        Hold,      // from now on these keys are held
        Idle,      // the instance's idle call, then a paint
        Snapshot,  // the editor's picture into a file
        Answer,    // queued for the next question of its kind
        Show,      // another instance's editor is shown and takes the events from here on
        GetName,   // the host's name question; the answer is printed
        Note,      // a note played from a click in the host's piano roll, then an idle call
    };
    Kind kind = Kind::Events;
    int line = 0;  // 1-based, in the script file
    std::vector<HeadlessEvent> events;
    std::vector<int> heldKeys;  // virtual key codes, left and right codes too
    std::string path;           // Snapshot
    int instance = 0;           // Show: 1-based
    ScriptAnswer answer;
    int section = 0;  // GetName: the question's section, index and value
    int index = 0;
    int value = 0;
    int key = 0;        // Note: MIDI note number
    int colour = 0;     // Note: the note's colour
    bool shift = false; // Note: Shift held with the click
};

// The steps of a whole script; blank lines are skipped. On the first bad line
// answers nullopt and error "script line N: <reason>".
std::optional<std::vector<ScriptStep>> ParseEditorScript(std::string_view text, std::string& error);

// A message box's answer when the script gave none: the button a user who
// closes the box picks (No for yes/no, Cancel where there is one, else OK).
int DismissedMessageBoxResult(int style);

}  // namespace velmora::host
