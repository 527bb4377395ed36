// The roots the calling tree was built from, for "Select Pre" and "Select Next": up to 255
// module ids with a current position.
#pragma once

#include <array>

namespace lumbra {

class SelectionHistory {
public:
    static constexpr int kCapacity = 255;

    // A tree was shown for a root the user chose: the id is appended unless the newest entry
    // already holds it; the oldest entry makes room when the table is full. The position moves
    // to the newest entry.
    void Record(int moduleId);
    // Steps back or forward; the module id at the new position, or 0 when there is no step.
    int Back();
    int Forward();

    bool CanGoBack() const { return position_ >= 1; }
    bool CanGoForward() const { return position_ + 1 < count_; }
    int Count() const { return count_; }
    int Position() const { return position_; }
    int At(int i) const { return (i >= 0 && i < count_) ? ids_[static_cast<std::size_t>(i)] : 0; }
    void Clear() { count_ = 0, position_ = 0; }

private:
    std::array<int, kCapacity + 1> ids_{};
    int count_ = 0;
    int position_ = 0;
};

} // namespace lumbra
