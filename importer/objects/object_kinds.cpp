#include "importer/objects/patch_object.h"

namespace velmora::objects {

ObjectKind kindOf(std::uint16_t id) {
    switch (id) {
        case 5:
        case 15: return ObjectKind::PublicNotChunked;
        case 6:
        case 43:
        case 63:
        case 65: return ObjectKind::Public;
        case 50: return ObjectKind::VoiceGroups;
        case 51: return ObjectKind::GroupList;
        case 52: return ObjectKind::ZoneList;
        case 53:
        case 72:
        case 73:
        case 78: return ObjectKind::PrivateRaw;
        case 54: return ObjectKind::ProgramList;
        case 55: return ObjectKind::SlotList;
        case 56: return ObjectKind::StartCritList;
        case 57: return ObjectKind::LoopArray;
        case 58:
        case 59:
        case 60: return ObjectKind::BParamArray;
        case 61: return ObjectKind::FileNameListPreK51;
        case 75: return ObjectKind::FileNameList;
        default: return ObjectKind::Structured;
    }
}

PublicClass publicClassOf(std::uint16_t id, std::uint16_t version) {
    const auto in = [version](std::uint16_t low, std::uint16_t high) { return version >= low && version <= high; };
    switch (id) {
        case 3: return version == 0x60 || in(0x70, 0x73) ? PublicClass::Bank : PublicClass::None;
        case 4: return in(0x90, 0x95) ? PublicClass::Group : PublicClass::None;
        case 5: return version == 0x60 ? PublicClass::Loop : PublicClass::None;
        case 6: return version == 0x60 ? PublicClass::Script : PublicClass::None;
        case 7: return version == 0x90 ? PublicClass::Envelope : PublicClass::None;
        case 15: return version == 0x70 ? PublicClass::StartCriteria : PublicClass::None;
        case 40: return version == 0x80 || in(0x90, 0x92) || in(0xA0, 0xAB) ? PublicClass::Program : PublicClass::None;
        case 41: return in(0x50, 0x51) ? PublicClass::ProgramContainer : PublicClass::None;
        case 43: return version == 0x60 ? PublicClass::VoiceLimit : PublicClass::None;
        case 44: return in(0x92, 0x95) || in(0x97, 0x98) ? PublicClass::Zone : PublicClass::None;
        case 63: return in(0x10, 0x11) ? PublicClass::EnvelopeAHDSR : PublicClass::None;
        case 65: return in(0x10, 0x12) ? PublicClass::EnvelopeDBD : PublicClass::None;
        default: return PublicClass::None;
    }
}

}  // namespace velmora::objects
