// Filling the module tree's lists.
#include "ModuleNavigator.h"

#include <algorithm>
#include <cctype>
#include <locale>
#include <numeric>
#include <unordered_map>

#include "CodePage.h"
#include "Lang.h"
#include "NFileAnly.h"
#include "Sinks.h"
#include "TreeBuilder.h"

namespace lumbra {

struct NameCollator::Impl {
    std::locale locale;
    const std::collate<char>* collate = nullptr;
};

namespace {

const NameCollator::Impl& userCollation() {
    static const NameCollator::Impl impl = [] {
        NameCollator::Impl i;
        try {
            i.locale = std::locale("");
        } catch (const std::exception&) {
            i.locale = std::locale::classic(); // an unknown LANG falls back to byte order
        }
        i.collate = &std::use_facet<std::collate<char>>(i.locale);
        return i;
    }();
    return impl;
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

NameCollator::NameCollator() : impl_(&userCollation()) {}

std::string NameCollator::Key(std::string_view utf8) const {
    const std::string folded = lowerAscii(utf8);
    return impl_->collate->transform(folded.data(), folded.data() + folded.size());
}

void NameCollator::Sort(std::vector<std::string>& names, int codePage) const {
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const std::string& name : names)
        keys.push_back(Key(InternalToUtf8(name, codePage)));
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (keys[a] != keys[b])
            return keys[a] < keys[b];
        return names[a] < names[b];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(names[i]));
    names = std::move(sorted);
}

std::string NavigatorTopCaption() {
    return tr("Top");
}
std::string NavigatorAllCaption() {
    return tr("All");
}
std::string NavigatorFileCaption() {
    return tr("File");
}
std::string NavigatorAllEntry() {
    return tr("All");
}

namespace {

// Collects a module's name unless it is too long for the list (which the user is told).
bool collectable(const std::string& name, int codePage, MessageSink* messages) {
    if (name.size() < kNavigatorNameLimit)
        return true;
    if (messages)
        messages->Message(Format(tr("function name length >= 256.\n(%s)"),
                                 InternalToUtf8(name, codePage).c_str()),
                          tr("caution"), MessageKind::Warning);
    return false;
}

} // namespace

ModuleNavigatorContents BuildNavigatorContents(const NFileAnly& engine,
                                               const ModuleNavigatorOptions& options,
                                               const NameCollator& collator,
                                               MessageSink* messages) {
    ModuleNavigatorContents c;
    const int codePage = engine.GetTextReadSettings().codePage;
    const int count = engine.GetModuleCount();
    auto shown = [&](const ModuleRecord& m) { return !options.definedOnly || m.line != 0; };

    for (int id = 1; id <= count; ++id) {
        const ModuleRecord* m = engine.GetModule(id);
        if (m && shown(*m) && TreeBuilder::IsRoot(engine, id) &&
            collectable(m->name, codePage, messages))
            c.top.push_back(m->name);
    }
    collator.Sort(c.top, codePage);

    const int fileCount = engine.GetFileCount();
    std::vector<std::string> fileTexts;
    for (int i = 0; i < fileCount; ++i) {
        const char* text = options.fileNames ? engine.GetFileName(i) : engine.GetFilePath(i);
        fileTexts.emplace_back(text ? text : "");
    }
    std::vector<std::string> sortedFiles = fileTexts;
    collator.Sort(sortedFiles, codePage);
    // A module goes under the first entry of its file's text (two files of one name share it).
    std::unordered_map<std::string, std::size_t> entryOfText;
    for (std::string& text : sortedFiles) {
        entryOfText.emplace(text, c.files.size());
        c.files.push_back({std::move(text), {}});
    }

    std::vector<int> ids;
    for (int id = 1; id <= count; ++id) {
        const ModuleRecord* m = engine.GetModule(id);
        if (m && shown(*m) && collectable(m->name, codePage, messages)) {
            c.all.push_back(m->name);
            ids.push_back(id);
        }
    }
    // Sorting the ids with the names keeps each module tied to its file.
    std::vector<std::string> keys;
    keys.reserve(c.all.size());
    for (const std::string& name : c.all)
        keys.push_back(collator.Key(InternalToUtf8(name, codePage)));
    std::vector<std::size_t> order(c.all.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (keys[a] != keys[b])
            return keys[a] < keys[b];
        if (c.all[a] != c.all[b])
            return c.all[a] < c.all[b];
        return ids[a] < ids[b];
    });
    std::vector<std::string> all;
    all.reserve(order.size());
    for (std::size_t i : order) {
        const int fileIndex = engine.GetModuleFileIndex(ids[i]);
        if (fileIndex >= 0 && fileIndex < fileCount) {
            auto entry = entryOfText.find(fileTexts[static_cast<std::size_t>(fileIndex)]);
            if (entry != entryOfText.end())
                c.files[entry->second].modules.push_back(c.all[i]);
        }
        all.push_back(std::move(c.all[i]));
    }
    c.all = std::move(all);
    return c;
}

} // namespace lumbra
