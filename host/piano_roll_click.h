#pragma once
// A click in the host's piano roll, for a host without a window system: the
// host describes a piano roll to the plugin with the pointer just below its
// colour window and the left button (and Shift) held, plays the clicked note
// through the plugin's voice calls, and then runs the plugin's idle call, as
// the host does after a click.
#include <string>

#include "host/editor_script.h"
#include "shared/host_extension.h"

namespace velmora::host {

class EditorHost;

// The host's window tree for that click (the JSON form the extension table
// takes), its main window being EditorHost::kMainWindow.
std::string PianoRollClickTree(bool shift);

// Plays the step's note from such a click on `plug`, idles and paints, and
// reports what the plugin did to the windows as one line
// {"call":"hostwindows","log":[...]}. The tree is taken back afterwards.
// False with the reason when the plugin cannot take a window tree.
bool PlayPianoRollClick(EditorHost& host, TFruityPlug* plug, const HostExtension& extension, const ScriptStep& step,
                        std::string& error);

}  // namespace velmora::host
