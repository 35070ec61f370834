#pragma once
// Piano-roll key names of an articulation, from and to plain text files: one
// name per line, line i naming piano-roll note 131 - i.
#include <optional>
#include <string>
#include <string_view>

namespace velmora {
class Instance;
}  // namespace velmora

namespace velmora {

inline constexpr int kKeyNameFileLines = 132;  // lines taken from a file
inline constexpr int kKeyNameLength = 64;      // characters kept of a line
inline constexpr int kKeyNameLineBuffer = 1024;  // a longer physical line counts as several

// The path's last component (after either kind of slash) without its last
// extension; a leading full stop is not an extension.
std::string KeyNameTitle(std::string_view path);

// Interface thread. With a path: takes the file's lines as the articulation's
// names and returns true. A file that cannot be opened keeps the names the
// articulation has and leaves `missing` set. Without a path: clears the key
// names and returns false. The host hears of every change of names.
bool LoadKeyNames(Instance& plug, int articulation, std::optional<std::string_view> path);

// Interface thread. Writes all 148 entries, one per line; does nothing for an
// articulation without names or a file that cannot be created.
bool SaveKeyNames(const Instance& plug, int articulation, const std::string& path);

// The same through the platform's file dialogs; a cancelled dialog does nothing.
// The open dialog starts in the folder of the articulation's current path.
bool LoadKeyNamesFromChosenFile(Instance& plug, int articulation);
bool SaveKeyNamesToChosenFile(const Instance& plug, int articulation);

}  // namespace velmora
