#pragma once
// A shared library loaded by path, unloaded when the object goes.
#include <string>

namespace platform {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    explicit DynamicLibrary(const std::string& path);
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool isLoaded() const { return handle_ != nullptr; }
    // Why loading failed, as the loader put it.
    const std::string& error() const { return error_; }
    // The exported symbol's address, or nullptr.
    void* symbol(const char* name) const;
    void unload();

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace platform
