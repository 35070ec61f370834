#include "core/host_services.h"

#include <bit>

namespace velmora {

float HostServices::releaseVelocity(std::intptr_t voiceTag) const {
    // The host returns the float's bits in the integer result.
    const int bits = host_->Voice_ProcessEvent(voiceTag, plug::FPV_GetReleaseVelocity, 0, 0);
    return std::bit_cast<float>(static_cast<std::int32_t>(bits));
}

}  // namespace velmora
