#include "host/event_output.h"

#include "shared/note_name.h"

namespace velmora::host {

std::string EventsAsJsonLines(const std::vector<SentMessage>& sent) {
    std::string out;
    char line[128];
    for (const SentMessage& m : sent) {
        std::snprintf(line, sizeof(line), "{\"tick\": %lld, \"port\": %u, \"status\": %u, \"data1\": %u, \"data2\": %u}\n",
                      static_cast<long long>(m.tick), (m.word >> 24) & 0xFF, m.word & 0xFF, (m.word >> 8) & 0xFF,
                      (m.word >> 16) & 0xFF);
        out += line;
    }
    return out;
}

std::string MidiMessageInWords(std::uint32_t word) {
    const unsigned status = word & 0xFF;
    const unsigned d1 = (word >> 8) & 0xFF;
    const unsigned d2 = (word >> 16) & 0xFF;
    char what[96];
    switch (status & 0xF0) {
        case 0x90: std::snprintf(what, sizeof(what), "note on   %-4s (%3u) vel %u", NoteName(d1 & 0x7F, false).c_str(), d1, d2); break;
        case 0x80: std::snprintf(what, sizeof(what), "note off  %-4s (%3u) vel %u", NoteName(d1 & 0x7F, false).c_str(), d1, d2); break;
        case 0xB0: std::snprintf(what, sizeof(what), "CC %-3u = %u", d1, d2); break;
        case 0xC0: std::snprintf(what, sizeof(what), "program %u", d1); break;
        case 0xE0: std::snprintf(what, sizeof(what), "pitch bend %u", (d2 << 7) | d1); break;
        default: std::snprintf(what, sizeof(what), "%02X %02X %02X", status, d1, d2); break;
    }
    return what;
}

std::string EventsAsTable(const std::vector<SentMessage>& sent) {
    std::string out = "  tick  inst  port  ch  message\n";
    char line[160];
    for (const SentMessage& m : sent) {
        std::snprintf(line, sizeof(line), "%6lld  %4d  %4u  %2u  %s\n", static_cast<long long>(m.tick), m.instance + 1,
                      (m.word >> 24) & 0xFF, (m.word & 0x0F) + 1, MidiMessageInWords(m.word).c_str());
        out += line;
    }
    return out;
}

}  // namespace velmora::host
