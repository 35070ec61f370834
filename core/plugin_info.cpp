#include "core/plugin_info.h"

#include "core/limits.h"

namespace velmora {

TFruityPlugInfo& PluginInfo() {
    static char longName[] = "ZOLT Velmora";
    static char shortName[] = "ZOLT Out";
    static TFruityPlugInfo info = [] {
        TFruityPlugInfo i{};
        i.SDKVersion = plug::kSDKVersion;
        i.LongName = longName;
        i.ShortName = shortName;
        i.Flags = kPluginFlags;
        i.NumParams = kNumParams;
        return i;
    }();
    return info;
}

}  // namespace velmora
