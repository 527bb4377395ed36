// Comment-label capture: the "Name" item of a header comment becomes the description (function
// text) of the next module defined in the file.
#pragma once

namespace lumbra {

class NFileAnly;
struct ModuleRecord;

// Index of the header-comment item whose value describes the next module.
inline constexpr int kDescriptionItem = 1;

// Gives `module` the captured description when it has none yet, and empties the capture.
void TakeDescription(NFileAnly& engine, ModuleRecord* module);

} // namespace lumbra
