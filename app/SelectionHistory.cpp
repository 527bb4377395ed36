// Selection history of the calling tree.
#include "SelectionHistory.h"

#include <algorithm>

namespace lumbra {

void SelectionHistory::Record(int moduleId) {
    if (moduleId <= 0)
        return;
    if (count_ > 0 && ids_[static_cast<std::size_t>(count_ - 1)] == moduleId) {
        position_ = count_ - 1;
        return;
    }
    if (count_ == kCapacity) {
        std::move(ids_.begin() + 1, ids_.begin() + count_, ids_.begin());
        --count_;
    }
    ids_[static_cast<std::size_t>(count_++)] = moduleId;
    position_ = count_ - 1;
}

int SelectionHistory::Back() {
    if (!CanGoBack())
        return 0;
    return ids_[static_cast<std::size_t>(--position_)];
}

int SelectionHistory::Forward() {
    if (!CanGoForward())
        return 0;
    return ids_[static_cast<std::size_t>(++position_)];
}

} // namespace lumbra
