// The cache of include-file texts.
#include "common/IncludeTextCache.h"

#include <sys/stat.h>

namespace lumbra {
namespace {

bool sameSettings(const TextReadSettings& a, const TextReadSettings& b) {
    return a.defaultEncoding == b.defaultEncoding && a.autoDetect == b.autoDetect &&
           a.codePage == b.codePage && a.japaneseUi == b.japaneseUi;
}

} // namespace

std::shared_ptr<const SourceText> IncludeTextCache::Load(const std::string& path,
                                                         const TextReadSettings& settings) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return nullptr;
    auto it = entries_.find(path);
    if (it != entries_.end()) {
        const Entry& e = it->second;
        if (e.size == st.st_size && e.time.tv_sec == st.st_mtim.tv_sec &&
            e.time.tv_nsec == st.st_mtim.tv_nsec && sameSettings(e.settings, settings))
            return e.text;
        bytes_ -= static_cast<std::uint64_t>(e.size);
        entries_.erase(it);
    }
    std::optional<SourceText> text = SourceText::Load(path, settings);
    if (!text)
        return nullptr;
    auto shared = std::make_shared<const SourceText>(std::move(*text));
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size > kMaxBytes)
        return shared; // read, not kept
    if (bytes_ + size > kMaxBytes) {
        // Texts still being read stay alive through their holders.
        entries_.clear();
        bytes_ = 0;
    }
    entries_[path] = Entry{st.st_size, st.st_mtim, settings, shared};
    bytes_ += size;
    return shared;
}

} // namespace lumbra
