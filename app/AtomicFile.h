// Replacing a file's contents so that a crash or a full disk never leaves it half written.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumbra {

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and renames it
// over `path`. A symbolic link is followed, so the file it points to is replaced. An existing
// file keeps its permission bits. On failure the old file is untouched, the temporary file is
// removed and `error` says what went wrong.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Reads a whole file as bytes. Returns nullopt (and sets errnoValue) when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, int& errnoValue);

// Fault injection for tests: the next atomic writes fail at the given stage with the given
// errno, as a read-only folder (Open), a full disk (Write, after `afterBytes` bytes went
// through), a failing device (Sync) or a vanished folder (Rename) would make them fail.
struct AtomicWriteFault {
    enum class Stage { Open, Write, Sync, Rename };
    Stage stage = Stage::Write;
    int errnoValue = 0;
    std::size_t afterBytes = 0;
};
void SetAtomicWriteFault(std::optional<AtomicWriteFault> fault);

} // namespace lumbra
