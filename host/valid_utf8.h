#pragma once
// Texts from the plugin as a host shows or writes them: kept as they are where
// they are UTF-8; a byte that is not becomes U+FFFD, so every JSON line and
// every label stays valid.
#include <string>

namespace velmora::host {

std::string ValidUtf8(const char* text);

}  // namespace velmora::host
