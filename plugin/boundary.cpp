#include "plugin/boundary.h"

#include <new>
#include <stdexcept>

namespace velmora {

void ReportEscapedException(const HostServices& host, const void* identity, const char* operation,
                            std::exception_ptr error) noexcept {
    const char* reason = "unknown exception";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        reason = e.what();
    } catch (...) {
    }
    char line[512];
    std::snprintf(line, sizeof(line), "ZOLT Velmora [%p] : %s failed: %s", identity, operation, reason);
    try {
        host.debugLine(line);
    } catch (...) {
        // A host that throws from its own log has nowhere else to be told.
    }
}

}  // namespace velmora
