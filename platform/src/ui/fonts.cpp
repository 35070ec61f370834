// The editor's face through fontconfig: a font file registered for this
// process only, and the family a face name resolves to.
#include <fontconfig/fontconfig.h>

#include <atomic>
#include <filesystem>
#include <system_error>

#include "font_generation.h"
#include "platform/ui/fonts.h"

namespace platform::ui {

namespace {

std::atomic<unsigned> g_generation{0};

}  // namespace

unsigned FontGeneration() { return g_generation.load(std::memory_order_acquire); }

bool RegisterApplicationFont(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
        return false;
    }
    // Absolute, as fontconfig keeps the name it was given.
    const std::string full = std::filesystem::absolute(path, ec).string();
    FcConfig* config = FcConfigGetCurrent();
    if (ec || config == nullptr) {
        return false;
    }
    const auto* file = reinterpret_cast<const FcChar8*>(full.c_str());
    if (FcConfigAppFontAddFile(config, file) != FcTrue) {
        return false;
    }
    g_generation.fetch_add(1, std::memory_order_acq_rel);
    return true;
}

std::string ResolvedFamily(const std::string& face) {
    // Built as a pattern rather than parsed, so a name with '-' or ':' stays a
    // family name.
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return {};
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string family;
    FcChar8* name = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
        family = reinterpret_cast<const char*>(name);
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return family;
}

}  // namespace platform::ui
