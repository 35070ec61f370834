#include "host/desktop/monitor_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "host/event_output.h"

namespace velmora::host {

MonitorLine MidiMonitorLine(double seconds, int instance, std::uint32_t word) {
    MonitorLine line;
    const long long millis = std::llround(std::max(0.0, seconds) * 1000.0);
    char time[48];
    std::snprintf(time, sizeof(time), "%lld:%02lld.%03lld", millis / 60000, millis / 1000 % 60, millis % 1000);
    line.time = time;
    line.instance = instance >= 0 ? std::to_string(instance + 1) : "-";
    line.port = std::to_string((word >> 24) & 0xFF);
    const unsigned status = word & 0xFF;
    line.channel = status >= 0x80 && status < 0xF0 ? std::to_string((status & 0x0F) + 1) : "-";
    line.message = MidiMessageInWords(word);
    return line;
}

}  // namespace velmora::host
