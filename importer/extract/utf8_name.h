#pragma once
// Group names are stored as UTF-16; the record carries UTF-8.
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::extract {

// Names are converted into a buffer of 4096 bytes with its terminator.
inline constexpr std::size_t kMaxNameBytes = 4095;

// Surrogate pairs combine; a lone surrogate becomes U+FFFD. A name longer
// than maxBytes is cut after its last whole character that fits.
std::string utf8FromUtf16(std::u16string_view text, std::size_t maxBytes = kMaxNameBytes);

}  // namespace velmora::extract
