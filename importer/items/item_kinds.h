#pragma once
// The item classes a sound container may hold, the (domain, id) pairs that
// name them, and the factory that maps pairs to classes.
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace velmora::items {

constexpr std::uint32_t kDomainNISD = 0x4E495344;  // stored bytes "DSIN"
constexpr std::uint32_t kDomainNIK4 = 0x4E494B34;  // stored bytes "4KIN"
constexpr std::uint32_t kBaseItemClassId = 1;

enum class ItemClass : std::uint8_t {
    Bank,
    Preset,
    BankContainer,
    PresetContainer,
    BinaryChunkItem,
    SoundInfoItem,
    PresetChunkItem,
    ExternalFileReference,
    Resources,
    InternalResourceReferenceItem,
    SubtreeItem,
    AppSpecific,
    RepositoryRoot,
    AutomationParameters,
    ControllerAssignments,
    Module,
    ModuleBank,
    BNISoundPreset,
    BNISoundHeader,
};

struct ChunkId {
    std::uint32_t domain = 0;
    std::uint32_t classId = 0;
    friend bool operator==(const ChunkId&, const ChunkId&) = default;
};

// The (domain, id) a class is stored under.
ChunkId chunkIdOf(ItemClass c);

// The factory used for reading: the 'NISD' kinds plus the two 'NIK4' kinds.
struct NISItemFactory {
    static std::optional<ItemClass> classFor(ChunkId id);
};

// True when `c` is `wanted` or derives from it.
bool isKindOf(ItemClass c, ItemClass wanted);

// For an item the factory does not know: the class it is read as, chosen from
// the chunk chain at the start of its data (outermost first), or none.
std::optional<ItemClass> classFromChain(std::span<const ChunkId> chain);

}  // namespace velmora::items
