// Include files read once and kept while they stay unchanged: a header included by many files
// (or many times by one) is pre-scanned from memory.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <unordered_map>

#include "TextInput.h"

namespace lumbra {

class IncludeTextCache {
public:
    // Beyond this many bytes of kept files the cache starts over.
    static constexpr std::uint64_t kMaxBytes = 64u << 20;

    // The text of the file, read now or earlier with the same settings while its size and time
    // stayed the same; null when it cannot be read.
    std::shared_ptr<const SourceText> Load(const std::string& path,
                                           const TextReadSettings& settings);

private:
    struct Entry {
        std::int64_t size = 0;
        std::timespec time{};
        TextReadSettings settings;
        std::shared_ptr<const SourceText> text;
    };

    std::unordered_map<std::string, Entry> entries_;
    std::uint64_t bytes_ = 0;
};

} // namespace lumbra
