// Build definitions: first definition of a name wins, folders once each.
#include "BuildDefinitions.h"

namespace lumbra {

std::string_view DefineName(std::string_view define) {
    return define.substr(0, define.find('='));
}

void BuildDefinitions::AddDefine(std::string_view define) {
    const std::string_view name = DefineName(define);
    if (name.empty() || name.find_first_of("( \t") != std::string_view::npos)
        return;
    if (names_.emplace(name).second)
        defines_.emplace_back(define);
}

void BuildDefinitions::AddIncludePath(std::string_view folder) {
    if (folder.empty())
        return;
    if (folders_.emplace(folder).second)
        includePaths_.emplace_back(folder);
}

void BuildDefinitions::Merge(const BuildDefinitions& other) {
    for (const std::string& define : other.defines_)
        AddDefine(define);
    for (const std::string& folder : other.includePaths_)
        AddIncludePath(folder);
}

void BuildDefinitions::Clear() {
    *this = BuildDefinitions{};
}

} // namespace lumbra
