#pragma once
// The editor's face: registered privately from a font file when the host ships
// one, so only this process sees it; otherwise fontconfig's substitute for the
// name is used.
#include <string>

namespace platform::ui {

// Registers the font file for this process (fontconfig application font).
// False when the file is missing or not a font; the face's name then resolves
// to the system's substitute.
bool RegisterApplicationFont(const std::string& path);

// The family fontconfig actually uses for a face name (for notes and logs).
std::string ResolvedFamily(const std::string& face);

}  // namespace platform::ui
