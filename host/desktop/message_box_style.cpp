#include "host/desktop/message_box_style.h"

#include "host/editor_script.h"

namespace velmora::host {

namespace {

constexpr MessageButton kOk{"_OK", 1};
constexpr MessageButton kCancel{"_Cancel", 2};
constexpr MessageButton kAbort{"_Abort", 3};
constexpr MessageButton kRetry{"_Retry", 4};
constexpr MessageButton kIgnore{"_Ignore", 5};
constexpr MessageButton kYes{"_Yes", 6};
constexpr MessageButton kNo{"_No", 7};

std::vector<MessageButton> Buttons(int set) {
    switch (set) {
        case 1: return {kOk, kCancel};
        case 2: return {kAbort, kRetry, kIgnore};
        case 3: return {kYes, kNo, kCancel};
        case 4: return {kYes, kNo};
        case 5: return {kRetry, kCancel};
        default: return {kOk};
    }
}

MessageIcon Icon(int icon) {
    switch (icon) {
        case 1: return MessageIcon::Error;
        case 2: return MessageIcon::Question;
        case 3: return MessageIcon::Warning;
        case 4: return MessageIcon::Information;
        default: return MessageIcon::Plain;
    }
}

}  // namespace

MessageBoxLook LookOfMessageBox(int style) {
    MessageBoxLook look;
    look.buttons = Buttons(style & 0xF);
    look.icon = Icon((style >> 4) & 0xF);
    const auto defaultIndex = static_cast<std::size_t>((style >> 8) & 0xF);
    look.defaultResult = look.buttons[defaultIndex < look.buttons.size() ? defaultIndex : 0].result;
    look.dismissedResult = DismissedMessageBoxResult(style);
    return look;
}

}  // namespace velmora::host
