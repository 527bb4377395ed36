// Constants and include folders that a build description (a compilation database) gives its
// sources: they reach conditional compilation as if the constant define file held them.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace lumbra {

class BuildDefinitions {
public:
    // "NAME" or "NAME=VALUE"; the first definition of a name stays. Function-like macros
    // ("NAME(x)=...") are never constants and are left out.
    void AddDefine(std::string_view define);
    // An absolute folder; each folder once, in the order first given.
    void AddIncludePath(std::string_view folder);
    // Appends another set behind this one (first definitions still win).
    void Merge(const BuildDefinitions& other);
    void Clear();

    const std::vector<std::string>& Defines() const { return defines_; }
    const std::vector<std::string>& IncludePaths() const { return includePaths_; }
    bool Empty() const { return defines_.empty() && includePaths_.empty(); }

private:
    std::vector<std::string> defines_;
    std::vector<std::string> includePaths_;
    std::unordered_set<std::string> names_;
    std::unordered_set<std::string> folders_;
};

// The name of a "NAME[=VALUE]" definition.
std::string_view DefineName(std::string_view define);

} // namespace lumbra
