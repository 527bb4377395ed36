// Ignore rules through libgit2, which reads every rule file git itself would.
#include "GitIgnoreFilter.h"

#include <filesystem>
#include <git2.h>

namespace fs = std::filesystem;

namespace lumbra {

struct GitIgnoreFilter::Repository {
    Repository() { git_libgit2_init(); }
    ~Repository() {
        if (repo)
            git_repository_free(repo);
        git_libgit2_shutdown();
    }
    Repository(const Repository&) = delete;
    Repository& operator=(const Repository&) = delete;
    git_repository* repo = nullptr;
};

GitIgnoreFilter::GitIgnoreFilter(const std::string& folder) {
    auto repository = std::make_unique<Repository>();
    if (git_repository_open_ext(&repository->repo, folder.c_str(), 0, nullptr) != 0 ||
        git_repository_is_bare(repository->repo))
        return;
    const char* workdir = git_repository_workdir(repository->repo);
    std::error_code ec;
    const fs::path canonical = fs::canonical(folder, ec);
    if (!workdir || ec)
        return;
    // The work tree is reported with its links resolved, so compare the resolved folder.
    const fs::path root = fs::canonical(workdir, ec);
    if (ec)
        return;
    const fs::path relative = canonical.lexically_relative(root);
    if (relative.empty() || relative.native().starts_with(".."))
        return;
    if (relative != ".")
        prefix_ = relative.generic_string() + "/";
    repository_ = std::move(repository);
}

GitIgnoreFilter::~GitIgnoreFilter() = default;

bool GitIgnoreFilter::Ignored(const std::string& relative) const {
    if (!repository_)
        return false;
    int ignored = 0;
    const std::string path = prefix_ + relative;
    if (git_ignore_path_is_ignored(&ignored, repository_->repo, path.c_str()) != 0)
        return false;
    return ignored != 0;
}

} // namespace lumbra
