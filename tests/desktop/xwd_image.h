#pragma once
// Window dumps as xwd writes them, read into the editor's bitmap format.
// Only what an X server's true-colour screen gives: ZPixmap, 24 or 32 bits
// per pixel; anything else or any size the bytes cannot hold is refused.
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/bitmap.h"

namespace velmora::test {

std::optional<platform::ui::Bitmap> ReadXwd(const std::vector<unsigned char>& bytes, std::string& why);

}  // namespace velmora::test
