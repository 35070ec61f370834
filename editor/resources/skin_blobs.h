#pragma once
// The PNG files the build compiled in (skin_blobs.cpp is generated).
#include <span>

namespace velmora::editor::skin {

struct SkinBlob {
    int id;
    const unsigned char* begin;
    const unsigned char* end;
};

std::span<const SkinBlob> CompiledSkinBlobs();

}  // namespace velmora::editor::skin
