#pragma once
// Packed MIDI messages: byte 0 status, byte 1 data 1, byte 2 data 2, byte 3 port.
#include <cstdint>

namespace velmora {

inline constexpr std::uint8_t kNoteOff = 0x80;
inline constexpr std::uint8_t kNoteOn = 0x90;
inline constexpr std::uint8_t kPolyPressure = 0xA0;
inline constexpr std::uint8_t kControlChange = 0xB0;
inline constexpr std::uint8_t kProgramChange = 0xC0;
inline constexpr std::uint8_t kPitchBend = 0xE0;

// Values are taken as their low byte, as sent.
constexpr std::uint32_t PackMessage(std::int32_t status, std::int32_t data1, std::int32_t data2, std::int32_t port) {
    return (static_cast<std::uint32_t>(status) & 0xFFU) | ((static_cast<std::uint32_t>(data1) & 0xFFU) << 8) |
           ((static_cast<std::uint32_t>(data2) & 0xFFU) << 16) | ((static_cast<std::uint32_t>(port) & 0xFFU) << 24);
}

constexpr std::uint8_t MessageStatus(std::uint32_t msg) { return static_cast<std::uint8_t>(msg); }
constexpr std::uint8_t MessageData1(std::uint32_t msg) { return static_cast<std::uint8_t>(msg >> 8); }
constexpr std::uint8_t MessageData2(std::uint32_t msg) { return static_cast<std::uint8_t>(msg >> 16); }
constexpr std::uint8_t MessagePort(std::uint32_t msg) { return static_cast<std::uint8_t>(msg >> 24); }

constexpr std::uint32_t WithStatus(std::uint32_t msg, std::uint8_t status) { return (msg & ~0xFFU) | status; }
constexpr std::uint32_t WithData2(std::uint32_t msg, std::uint8_t data2) {
    return (msg & ~0xFF0000U) | (static_cast<std::uint32_t>(data2) << 16);
}

}  // namespace velmora
