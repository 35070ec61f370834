#pragma once
// The byte stream the host hands to SaveRestoreState. Only the two operations
// the plugin uses are declared; results follow the COM convention (0 = done).
#include <cstdint>

struct IStream {
    virtual std::int32_t Read(void* buffer, std::uint32_t count, std::uint32_t* countRead) = 0;
    virtual std::int32_t Write(const void* buffer, std::uint32_t count, std::uint32_t* countWritten) = 0;

protected:
    ~IStream() = default;
};
