// The source pane's options from the settings, the document of a file, and text colours.
#include "SourceFrame.h"

#include <algorithm>

#include "NFileAnly.h"
#include "Settings.h"
#include "SourceLines.h"
#include "TextInput.h"

namespace lumbra {

SourceOptions SourceOptionsFrom(const Settings& s) {
    SourceOptions o;
    const auto& v = s.viewOpt;
    o.lineNumbers = v[kViewLineNo] != 0;
    o.digits = std::clamp(v[kViewLineDigits], 1, 10);
    o.blockNumbers = v[kViewBlockLevel] != 0;
    o.figures = v[kViewBlockChart] != 0;
    o.horizon = v[kViewHorizontalLine] != 0;
    o.linkage = v[kViewLinkage] != 0;
    o.flowchart = v[kViewFlowchart] != 0;
    o.folding = v[kViewSourceFolding];
    o.contextLines = std::max(s.moduleListOption[kListContextLines], 0);
    o.moduleNumbers = s.moduleListOption[kListLineColumnSelect] != 0;
    o.editorEnabled = s.editorOpen != 0;
    return o;
}

void ApplySourceStyle(Settings& s, SourceStyle style) {
    auto& v = s.viewOpt;
    v[kViewBlockChart] = style == SourceStyle::None ? 0 : 1;
    if (style == SourceStyle::None)
        return;
    v[kViewHorizontalLine] = style == SourceStyle::Horizon ? 1 : 0;
    v[kViewLinkage] = style == SourceStyle::Linkage ? 1 : 0;
    v[kViewFlowchart] = style == SourceStyle::Flowchart ? 1 : 0;
}

bool LoadSourceDocument(const NFileAnly& engine, const Settings& settings, const std::string& path,
                        SourceDocument& document, SourceLines& lines) {
    const TextReadSettings& read = engine.GetTextReadSettings();
    std::optional<SourceText> text = SourceText::Load(path, read);
    if (!text)
        return false;
    document = SourceDocument{};
    document.path = path;
    FileInfo info;
    int kind = kKindCFamily;
    if (engine.GetFileInfoByPath(path, info)) {
        kind = info.kind;
        if (info.lineTable)
            document.words = *info.lineTable;
        if (info.branches)
            document.branches = *info.branches;
        document.branchColumns = info.branchColumnCount;
    }
    document.hasBlocks = kind != kKindAssembler;
    // "Filter1" to "Filter4" are the kinds 0 to 3.
    const std::size_t filter = static_cast<std::size_t>(std::clamp(kind, 0, 3)) + 1;
    const int tabWidth = settings.filters[filter].tabWidth;
    const int folding = settings.viewOpt[kViewSourceFolding];
    lines.Load(*text, read.codePage, document.words, tabWidth, folding != 0 && document.hasBlocks,
               folding == 1);
    return true;
}

SourceInk InkOf(std::uint32_t w) {
    if (!line_word::Active(w))
        return SourceInk::Inactive;
    if (w & kLineModuleStart)
        return SourceInk::Definition;
    if ((w & kLineKindMask) == kLineKindComment)
        return SourceInk::Comment;
    if ((w & kLineKindMask) == kLineKindDirective)
        return SourceInk::Directive;
    if (w & kLineHasCall)
        return SourceInk::Call;
    return SourceInk::Normal;
}

} // namespace lumbra
