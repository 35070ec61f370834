#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace platform {

namespace {

// Closes the descriptor at the end of open(): the mapping outlives it.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

bool regularFileSize(int fd, std::size_t& size) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        return false;
    }
    size = static_cast<std::size_t>(st.st_size);
    return true;
}

}  // namespace

MappedFile MappedFile::open(const std::string& path) {
    MappedFile file;
    const Descriptor d{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (d.fd < 0) {
        return file;
    }
    file.status_ = MappedFileStatus::ReadFailed;
    std::size_t size = 0;
    if (!regularFileSize(d.fd, size)) {
        return file;
    }
    if (size == 0) {
        file.status_ = MappedFileStatus::Ok;
        return file;
    }
    // Populated up front: one call maps every page instead of one fault per
    // page while the reader goes through them.
    void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, d.fd, 0);
    if (at == MAP_FAILED) {
        return file;
    }
    file.data_ = static_cast<const std::uint8_t*>(at);
    file.size_ = size;
    // A file cut short between measuring and mapping would leave pages that
    // cannot be read: refuse it before anyone touches them.
    std::size_t sizeNow = 0;
    if (!regularFileSize(d.fd, sizeNow) || sizeNow < size) {
        file.release();
        file.status_ = MappedFileStatus::ReadFailed;
        return file;
    }
    file.status_ = MappedFileStatus::Ok;
    return file;
}

MappedFile::~MappedFile() { release(); }

MappedFile::MappedFile(MappedFile&& other) noexcept
    : status_(other.status_), data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        release();
        status_ = other.status_;
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void MappedFile::release() {
    if (data_ != nullptr) {
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
    }
    data_ = nullptr;
    size_ = 0;
}

}  // namespace platform
