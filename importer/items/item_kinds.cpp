#include "importer/items/item_kinds.h"

#include <algorithm>
#include <array>

namespace velmora::items {

namespace {

struct Kind {
    ChunkId id;
    ItemClass itemClass;
};

constexpr std::array<Kind, 19> kKinds = {{
    {{kDomainNISD, 100}, ItemClass::Bank},
    {{kDomainNISD, 101}, ItemClass::Preset},
    {{kDomainNISD, 102}, ItemClass::BankContainer},
    {{kDomainNISD, 103}, ItemClass::PresetContainer},
    {{kDomainNISD, 104}, ItemClass::BinaryChunkItem},
    {{kDomainNISD, 108}, ItemClass::SoundInfoItem},
    {{kDomainNISD, 109}, ItemClass::PresetChunkItem},
    {{kDomainNISD, 110}, ItemClass::ExternalFileReference},
    {{kDomainNISD, 111}, ItemClass::Resources},
    {{kDomainNISD, 113}, ItemClass::InternalResourceReferenceItem},
    {{kDomainNISD, 115}, ItemClass::SubtreeItem},
    {{kDomainNISD, 117}, ItemClass::AppSpecific},
    {{kDomainNISD, 118}, ItemClass::RepositoryRoot},
    {{kDomainNISD, 120}, ItemClass::AutomationParameters},
    {{kDomainNISD, 121}, ItemClass::ControllerAssignments},
    {{kDomainNISD, 122}, ItemClass::Module},
    {{kDomainNISD, 123}, ItemClass::ModuleBank},
    {{kDomainNIK4, 3}, ItemClass::BNISoundPreset},
    {{kDomainNIK4, 4}, ItemClass::BNISoundHeader},
}};

// Preference when an unknown item's chain names several classes: the classes
// that matter for import first, so a derived preset is always read as one.
constexpr std::array<ItemClass, 17> kChainPreference = {
    ItemClass::Preset,
    ItemClass::Bank,
    ItemClass::BankContainer,
    ItemClass::PresetContainer,
    ItemClass::PresetChunkItem,
    ItemClass::BinaryChunkItem,
    ItemClass::SoundInfoItem,
    ItemClass::ExternalFileReference,
    ItemClass::Resources,
    ItemClass::InternalResourceReferenceItem,
    ItemClass::SubtreeItem,
    ItemClass::AppSpecific,
    ItemClass::RepositoryRoot,
    ItemClass::AutomationParameters,
    ItemClass::ControllerAssignments,
    ItemClass::Module,
    ItemClass::ModuleBank,
};

}  // namespace

ChunkId chunkIdOf(ItemClass c) {
    for (const Kind& k : kKinds) {
        if (k.itemClass == c) {
            return k.id;
        }
    }
    return {};
}

std::optional<ItemClass> NISItemFactory::classFor(ChunkId id) {
    for (const Kind& k : kKinds) {
        if (k.id == id) {
            return k.itemClass;
        }
    }
    return std::nullopt;
}

bool isKindOf(ItemClass c, ItemClass wanted) {
    return c == wanted || (c == ItemClass::BNISoundPreset && wanted == ItemClass::Preset);
}

std::optional<ItemClass> classFromChain(std::span<const ChunkId> chain) {
    for (ItemClass candidate : kChainPreference) {
        const ChunkId id = chunkIdOf(candidate);
        if (std::find(chain.begin(), chain.end(), id) != chain.end()) {
            return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace velmora::items
