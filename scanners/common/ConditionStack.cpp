// The conditional-compilation group stack.
#include "common/ConditionStack.h"

#include "common/Preprocessor.h"

namespace lumbra {

void ConditionStack::Reset() {
    levels_.assign(1, Group{});
    index_ = 0;
    overflow_ = 0;
}

bool ConditionStack::Active() const {
    const Group& l = levels_[static_cast<std::size_t>(index_)];
    return l.state == kNoGroup || l.condition;
}

unsigned ConditionStack::LineState() const {
    return Active() ? kConditionActive : 0u;
}

unsigned ConditionStack::directive() const {
    return kConditionDirective | LineState();
}

void ConditionStack::forceByEnclosing() {
    if (index_ > 0 && !levels_[static_cast<std::size_t>(index_) - 1].condition)
        levels_[static_cast<std::size_t>(index_)].condition = false;
}

bool ConditionStack::OpenNeedsCondition() const {
    if (overflow_ > 0)
        return false;
    const Group& l = levels_[static_cast<std::size_t>(index_)];
    if (l.state == kNoGroup)
        return true; // level 0: nothing encloses it
    return index_ + 1 < kMaxLevels && l.condition;
}

bool ConditionStack::ElseIfNeedsCondition() const {
    if (overflow_ > 0)
        return false;
    const Group& l = levels_[static_cast<std::size_t>(index_)];
    if (l.condition || l.takenBefore)
        return false;
    return index_ == 0 || levels_[static_cast<std::size_t>(index_) - 1].condition;
}

unsigned ConditionStack::Open(bool condition) {
    if (overflow_ > 0 ||
        (levels_[static_cast<std::size_t>(index_)].state != kNoGroup && index_ + 1 >= kMaxLevels)) {
        ++overflow_;
        return directive();
    }
    if (levels_[static_cast<std::size_t>(index_)].state != kNoGroup) {
        ++index_;
        if (static_cast<std::size_t>(index_) == levels_.size())
            levels_.emplace_back();
    }
    Group& l = levels_[static_cast<std::size_t>(index_)];
    l.state = kFirstBranch;
    l.condition = condition;
    l.takenBefore = false;
    forceByEnclosing();
    return directive();
}

unsigned ConditionStack::ElseIf(bool condition) {
    if (overflow_ > 0)
        return directive();
    Group& l = levels_[static_cast<std::size_t>(index_)];
    if (l.condition || l.takenBefore) {
        l.condition = false;
        l.takenBefore = true;
    } else {
        l.condition = condition;
    }
    forceByEnclosing();
    return directive();
}

unsigned ConditionStack::Else() {
    if (overflow_ > 0)
        return directive();
    Group& l = levels_[static_cast<std::size_t>(index_)];
    const bool taken = l.condition || l.takenBefore;
    l.state = kElseBranch;
    l.takenBefore = taken;
    l.condition = !taken;
    forceByEnclosing();
    return directive();
}

unsigned ConditionStack::EndIf() {
    if (overflow_ > 0) {
        --overflow_;
        return directive();
    }
    levels_[static_cast<std::size_t>(index_)] = Group{};
    if (index_ > 0)
        --index_;
    return directive();
}

} // namespace lumbra
