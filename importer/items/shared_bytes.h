#pragma once
// A byte range together with a share in what keeps it alive: a mapped file,
// an unpacked subtree or a taken-over buffer. Views into those bytes (the
// preset data, the object tree's fields) stay valid while any SharedBytes of
// the same owner lives, so nothing has to be copied out to outlive its source.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace velmora::items {

class SharedBytes {
public:
    SharedBytes() = default;
    SharedBytes(std::shared_ptr<const void> owner, std::span<const std::uint8_t> bytes)
        : owner_(std::move(owner)), bytes_(bytes) {}

    // Takes the buffer over.
    static SharedBytes adopt(std::vector<std::uint8_t> buffer) {
        auto held = std::make_shared<const std::vector<std::uint8_t>>(std::move(buffer));
        const std::span<const std::uint8_t> bytes(*held);
        return {std::move(held), bytes};
    }

    // Bytes the caller keeps alive for as long as this is used.
    static SharedBytes unowned(std::span<const std::uint8_t> bytes) { return {nullptr, bytes}; }

    const std::uint8_t* data() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    std::span<const std::uint8_t> span() const { return bytes_; }
    const std::shared_ptr<const void>& owner() const { return owner_; }

private:
    std::shared_ptr<const void> owner_;
    std::span<const std::uint8_t> bytes_;
};

}  // namespace velmora::items
