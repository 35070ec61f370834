#pragma once
// The six slots of the controller page shown: where they are, the number the
// host knows each by, and what a click does to one. Interface thread.
namespace velmora {
class Instance;
}

namespace velmora::editor {

inline constexpr int kNoSlot = -1;

// The slot whose control (slider, knob, button or fader) or whose name lies
// under (x, y), editor units; kNoSlot for none or for a page that lies outside
// the slot table.
int SlotControlAt(const Instance& plug, int x, int y);
int SlotNameAt(const Instance& plug, int x, int y);
// Whether `slot` is the page's first slot, the slider.
bool IsFirstSlot(const Instance& plug, int slot);

bool SlotAssigned(const Instance& plug, int slot);
// An assigned slot of the button type.
bool IsButtonSlot(const Instance& plug, int slot);

// The parameter the host knows the slot by: the slot itself with `paramknob`
// on, otherwise its CC less `oldparams`.
int SlotParameter(const Instance& plug, int slot);

// Sets the slot's parameter as a drag does: through the instance's parameter
// operation, told to the host, with the status text of the value it got.
void SendSlotValue(Instance& plug, int slot, int value);

// A button slot flips between 0 and 127.
void PressButtonSlot(Instance& plug, int slot);

// Back to the slot's default; not for an unassigned or locked slot.
void ResetSlot(Instance& plug, int slot);

// Switches the slot on or off.
void ToggleSlotOn(Instance& plug, int slot);

// The "Controller Name" prompt; an accepted name is kept and the host hears
// that the parameter names changed.
void RenameSlot(Instance& plug, int slot);

// The host hears that parameter names and the instance changed.
void TellNamesChanged(const Instance& plug);

}  // namespace velmora::editor
