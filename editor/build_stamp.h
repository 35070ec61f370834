#pragma once
// When this build was made, as the General panel shows it: weekday, month,
// day, time of day and year (for example "Thu Dec 10 16:35:46 2026").
namespace velmora::editor {

extern const char* const kBuildStamp;

}  // namespace velmora::editor
