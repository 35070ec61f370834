#pragma once
// The icon template: a JSON object whose member "articulationicons" maps icon
// names to icon numbers of the articulation icon strip.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct IconTemplate {
    std::vector<std::string> names;  // entry k of one belongs to entry k of the other
    std::vector<int> numbers;
};

// Where the template lies below the installation folder.
std::string IconTemplatePath(const std::string& installFolder);

// The entries in file order; empty on any problem with the text. Entries
// whose value is not a 32-bit integer are skipped.
IconTemplate ParseIconTemplate(std::string_view text);

// Fills the process-wide icon lists from the template below the process's
// installation folder; they stay empty when it cannot be read.
void LoadIconTemplate();

}  // namespace velmora
