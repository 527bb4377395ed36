// The ignore rules (".gitignore", ".git/info/exclude", the user's excludes file) of the git
// work tree a folder lies in, so that a folder's build output and other ignored files are not
// analysed.
#pragma once

#include <memory>
#include <string>

namespace lumbra {

class GitIgnoreFilter {
public:
    // Finds the work tree that holds `folder` (an existing folder); without one (or with a
    // bare repository) nothing is ignored.
    explicit GitIgnoreFilter(const std::string& folder);
    ~GitIgnoreFilter();
    GitIgnoreFilter(const GitIgnoreFilter&) = delete;
    GitIgnoreFilter& operator=(const GitIgnoreFilter&) = delete;

    bool InWorkTree() const { return repository_ != nullptr; }
    // `relative` is a path below the folder given at construction ("src/a.c", "build").
    bool Ignored(const std::string& relative) const;

private:
    struct Repository;
    std::unique_ptr<Repository> repository_;
    std::string prefix_; // the folder relative to the work tree, "" or ending in '/'
};

} // namespace lumbra
