// File input of the analysis run: each chosen file gets a language kind (from the language
// setting or its extension) and is registered with the engine.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumbra {

class NFileAnly;
class MessageSink;
class StatusSink;

// Per language kind 0-3, up to ten extensions without the dot, held in lower case.
struct ExtensionTable {
    static constexpr std::size_t kMaxPerKind = 10;
    std::array<std::vector<std::string>, 4> extensions;

    // The built-in defaults (with the extensions of Linux C++ code added).
    static ExtensionTable Defaults();
};

// "Language" setting: 0-3 a fixed kind, 4 Auto Select.
inline constexpr int kLanguageAutoSelect = 4;

// Extension lookup: kind + 2 for the first matching entry (kinds in order, entries in table
// order, the extension compared upper-cased and then lower-cased), 0 when none matches.
int LookupExtension(const ExtensionTable& table, std::string_view path);

// The extension of a path without its dot ("" when none).
std::string_view PathExtension(std::string_view path);

struct FileInputOptions {
    int language = kLanguageAutoSelect;
    ExtensionTable extensions = ExtensionTable::Defaults();
    bool withoutMessages = false; // batch input: no unknown-extension message, no recent entry
};

struct FileInputHooks {
    MessageSink* messages = nullptr;
    StatusSink* status = nullptr;
    // Puts a full path at the top of the recent-file list.
    std::function<void(const std::string&)> addRecent;
    // Progress: position p of count. Returns false when the user has cancelled.
    std::function<bool(int position, int count)> progress;
};

struct FileInputResult {
    int registered = 0;
    int refused = 0;     // could not be opened, or already registered
    int unknownKind = 0; // extension not in the table
    bool cancelled = false;
    std::string lastDirectory;
};

// Registers each file of the list in order. Paths are made absolute.
FileInputResult InputFiles(NFileAnly& engine, const std::vector<std::string>& paths,
                           const FileInputOptions& options, const FileInputHooks& hooks);

} // namespace lumbra
