// Comment-label capture.
#include "common/CommentLabels.h"

#include "NFileAnly.h"

namespace lumbra {

void TakeDescription(NFileAnly& engine, ModuleRecord* module) {
    std::string& item = engine.CommentItem(kDescriptionItem);
    if (!module || item.empty() || module->hasFunctionText)
        return;
    module->hasFunctionText = true;
    module->functionText = item;
    item.clear();
}

} // namespace lumbra
