// What the module tree lists: the top modules, all modules and the analysed files with the
// modules each defines, each level in locale-aware order without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumbra {

class MessageSink;
class NFileAnly;

// Locale-aware comparison without regard to case (the user's collation, as the desktop's own
// lists sort). Names are given in UTF-8.
class NameCollator {
public:
    // The collation of the user's locale (LC_COLLATE), or byte order when it has none.
    NameCollator();
    // A key that sorts like the name; equal keys mean equal names apart from case.
    std::string Key(std::string_view utf8) const;
    // Sorts names (in the internal code page) by their keys; ties keep byte order.
    void Sort(std::vector<std::string>& names, int codePage) const;

    struct Impl;

private:
    const Impl* impl_;
};

struct ModuleNavigatorOptions {
    bool definedOnly = false; // [ModuleList] "Option" item 5 "Not View Undefined Module"
    bool fileNames = true;    // "ClipboardPathName": files by name instead of full path
};

// A name of this many bytes or more is left out of the lists.
inline constexpr std::size_t kNavigatorNameLimit = 256;

struct ModuleNavigatorFile {
    std::string text; // the file's name or full path
    std::vector<std::string> modules;
};

// The three lists, names in the internal code page. A view ends the "Top" and "All" lists with
// the all-modules entry (NavigatorAllEntry) when they are not empty.
struct ModuleNavigatorContents {
    std::vector<std::string> top;
    std::vector<std::string> all;
    std::vector<ModuleNavigatorFile> files;
};

// The captions of the three roots and of the all-modules entry, in the interface language.
std::string NavigatorTopCaption();
std::string NavigatorAllCaption();
std::string NavigatorFileCaption();
std::string NavigatorAllEntry();

// Fills the lists from the engine. Names of kNavigatorNameLimit bytes or more are reported,
// once per list that leaves them out ("function name length >= 256.\n(%s)").
ModuleNavigatorContents BuildNavigatorContents(const NFileAnly& engine,
                                               const ModuleNavigatorOptions& options,
                                               const NameCollator& collator, MessageSink* messages);

} // namespace lumbra
