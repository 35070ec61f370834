#pragma once
// What a message box looks like for the style the plugin asks for: the
// buttons (low four bits), the icon (next four) and the default button (the
// four above), decoded as the reference host decodes them for a box that is
// closed without an answer.
#include <vector>

namespace velmora::host {

enum class MessageIcon { Plain, Error, Question, Warning, Information };

struct MessageButton {
    const char* label;  // with a mnemonic
    int result;         // what the plugin is answered: 1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No
};

struct MessageBoxLook {
    std::vector<MessageButton> buttons;  // left to right
    MessageIcon icon = MessageIcon::Plain;
    int defaultResult = 1;    // the button Return presses
    int dismissedResult = 1;  // the answer when the box is closed without a button
};

// Unknown button sets show OK alone, as DismissedMessageBoxResult answers them.
MessageBoxLook LookOfMessageBox(int style);

}  // namespace velmora::host
