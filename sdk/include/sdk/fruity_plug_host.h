#pragma once
// The host side of the contract: the operations the plugin calls. Slots the
// plugin never uses are kept so every used operation sits at its slot.
#include <cstdint>

#include "sdk/plug_types.h"

class TFruityPlugHost {
public:
    std::int32_t HostVersion = 0;  // e.g. 12000000 for 12.0.0
    std::int32_t Flags = 0;

    virtual std::intptr_t Dispatcher(TPluginTag Sender, std::intptr_t ID, std::intptr_t Index, std::intptr_t Value) = 0;  // slot 0
    virtual void OnParamChanged(TPluginTag Sender, int Index, int Value) = 0;  // slot 1
    virtual void OnHint(TPluginTag Sender, char* Text) = 0;                    // slot 2
    virtual void Unused3() {}
    virtual void Unused4() {}
    virtual void Voice_Kill(std::intptr_t Sender, BOOL KillHandle) = 0;         // slot 5
    virtual int Voice_ProcessEvent(std::intptr_t Handle, int EventID, int EventValue, int Flags) = 0;  // slot 6
    virtual void Unused7() {}
    virtual void Unused8() {}
    virtual void MIDIOut(TPluginTag Sender, std::intptr_t Msg) = 0;             // slot 9
    virtual void Unused10() {}
    virtual void Unused11() {}
    virtual void Unused12() {}
    virtual void Unused13() {}
    virtual void Unused14() {}
    virtual void Unused15() {}
    virtual void Unused16() {}
    virtual void Unused17() {}
    virtual void Unused18() {}
    virtual void Unused19() {}
    virtual void Unused20() {}
    virtual void Unused21() {}
    virtual void Unused22() {}
    virtual void Unused23() {}
    virtual void Unused24() {}
    virtual void Unused25() {}
    virtual void Unused26() {}
    virtual BOOL PromptEdit(int x, int y, char* Caption, char* Text, int& Colour) = 0;  // slot 27

protected:
    TFruityPlugHost() = default;
    ~TFruityPlugHost() = default;
};

// Vtable slot numbers, for the tests that check the order above.
namespace plug {
inline constexpr int kHostSlotDispatcher = 0;
inline constexpr int kHostSlotOnParamChanged = 1;
inline constexpr int kHostSlotOnHint = 2;
inline constexpr int kHostSlotVoiceKill = 5;
inline constexpr int kHostSlotVoiceProcessEvent = 6;
inline constexpr int kHostSlotMIDIOut = 9;
inline constexpr int kHostSlotPromptEdit = 27;
}  // namespace plug
