#include "platform/dynamic_library.h"

#include <dlfcn.h>

#include <utility>

namespace platform {

DynamicLibrary::DynamicLibrary(const std::string& path) : handle_(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        const char* e = ::dlerror();
        error_ = e != nullptr ? e : "cannot load " + path;
    }
}

DynamicLibrary::~DynamicLibrary() { unload(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        unload();
        handle_ = std::exchange(other.handle_, nullptr);
        error_ = std::move(other.error_);
    }
    return *this;
}

void* DynamicLibrary::symbol(const char* name) const { return handle_ != nullptr ? ::dlsym(handle_, name) : nullptr; }

void DynamicLibrary::unload() {
    if (handle_ != nullptr) {
        ::dlclose(handle_);
        handle_ = nullptr;
    }
}

}  // namespace platform
