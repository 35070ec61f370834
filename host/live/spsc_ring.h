#pragma once
// A fixed ring between exactly one producing and one consuming thread: no
// lock, no allocation after construction, so the real-time thread may be
// either end.
#include <atomic>
#include <cstddef>
#include <memory>

namespace velmora::host::live {

template <typename T>
class SpscRing {
public:
    explicit SpscRing(std::size_t capacity) : capacity_(capacity + 1), items_(std::make_unique<T[]>(capacity + 1)) {}

    // False when the ring is full; the item is then not taken.
    bool push(const T& item) {
        const std::size_t w = write_.load(std::memory_order_relaxed);
        const std::size_t next = w + 1 == capacity_ ? 0 : w + 1;
        if (next == read_.load(std::memory_order_acquire)) {
            return false;
        }
        items_[w] = item;
        write_.store(next, std::memory_order_release);
        return true;
    }

    bool pop(T& item) {
        const std::size_t r = read_.load(std::memory_order_relaxed);
        if (r == write_.load(std::memory_order_acquire)) {
            return false;
        }
        item = items_[r];
        read_.store(r + 1 == capacity_ ? 0 : r + 1, std::memory_order_release);
        return true;
    }

private:
    const std::size_t capacity_;
    std::unique_ptr<T[]> items_;
    std::atomic<std::size_t> write_{0};
    std::atomic<std::size_t> read_{0};
};

}  // namespace velmora::host::live
