#include "importer/api/articulations_api.h"

#include "importer/extract/extraction.h"

#include <new>
#include <vector>

namespace velmora::api {

namespace {

// The record itself is allocated before anything can fail, so an exhausted
// allocator still gets an answer. Should even that fail, a static empty
// record stands in; Free knows it and leaves it alone.
ImportedArticulations gEmpty{};

template <class Import>
ImportedArticulations* guarded(Import run) {
    ImportedArticulations* record = nullptr;
    try {
        record = extract::newImportedArticulations();
    } catch (...) {
        return &gEmpty;
    }
    try {
        run(*record);
    } catch (...) {
        extract::releaseImportedArticulations(record);
        try {
            return extract::newImportedArticulations();
        } catch (...) {
            return &gEmpty;
        }
    }
    return record;
}

}  // namespace

ImportedArticulations* getArticulations(const char* path, std::int32_t keyswitchMode) {
    if (path == nullptr) {
        return guarded([](ImportedArticulations&) {});
    }
    return guarded([&](ImportedArticulations& out) { extract::importFromFile(path, keyswitchMode, out); });
}

ImportedArticulations* getArticulationsFromBytes(std::span<const std::uint8_t> file, const std::string& path,
                                                 std::int32_t keyswitchMode) {
    return guarded([&](ImportedArticulations& out) {
        extract::importFromBytes(std::vector<std::uint8_t>(file.begin(), file.end()), path, keyswitchMode, out);
    });
}

void freeArticulations(ImportedArticulations* record) {
    if (record == &gEmpty) {
        return;
    }
    extract::releaseImportedArticulations(record);
}

}  // namespace velmora::api
