// Writing the calling tree as text.
#include "StructureText.h"

#include "CodePage.h"
#include "DisplayWidth.h"
#include "Lang.h"
#include "TreeRowPass.h"

namespace lumbra {
namespace {

// Line pieces of one interface language. Every piece but the omitted mark is three columns
// wide in both, so the columns of the two forms agree.
struct LinePieces {
    const char* continuing; // the vertical line of a level that continues below
    const char* blank;      // a level whose line has ended
    const char* tee;        // connector kinds 2 and 3
    const char* corner;     // connector kinds 1 and 4
    const char* omitted;
    int omittedWidth;
};

constexpr LinePieces kEnglish = {"|  ", "   ", "+- ", "+- ", "[*]", 3};
// U+2502 and a blank, U+3000 and a blank, U+251C, U+2514, [U+2191]: the double-width forms
// of a Japanese fixed-width font.
constexpr LinePieces kJapanese = {"\xe2\x94\x82 ", "\xe3\x80\x80 ",  "\xe2\x94\x9c ",
                                  "\xe2\x94\x94 ", "[\xe2\x86\x91]", 4};
constexpr int kPieceWidth = 3;

} // namespace

StructureTextOptions StructureTextOptionsFrom(const Settings& s) {
    return {s.viewOpt[kViewModuleNo] != 0, s.viewOpt[kViewModuleFunction] != 0,
            s.viewOpt[kViewExceptNamespace] != 0};
}

std::string StructureText(TreeRowList& rows, const NFileAnly& engine,
                          const StructureTextOptions& options) {
    const LinePieces& p = IsJapaneseUi() ? kJapanese : kEnglish;
    const int codePage = engine.GetTextReadSettings().codePage;
    std::string out;
    out.reserve((rows.size() + 10) * 64);
    TreeRowPass pass(rows, true);
    while (pass.next()) {
        const TreeRow& row = pass.row();
        int width = 0;
        for (int level = 1; level < row.level; ++level) {
            out += pass.continues(level) ? p.continuing : p.blank;
            width += kPieceWidth;
        }
        const int kind = row.connector();
        if (kind >= kConnectorEnd && kind <= kConnectorLast) {
            out += (kind == kConnectorEnd || kind == kConnectorLast) ? p.corner : p.tee;
            width += kPieceWidth;
        }
        std::string_view name = rows.rowName(row, engine);
        if (options.shortenNames)
            name.remove_prefix(pass.shortNameStart(name, engine));
        const std::string shown = InternalToUtf8(name, codePage);
        out += shown;
        width += DisplayWidth(shown);
        if (row.omitted()) {
            out += p.omitted;
            width += p.omittedWidth;
        }
        if (width < kStructureTextColumn)
            out.append(static_cast<std::size_t>(kStructureTextColumn - width), ' ');
        else if (width > kStructureTextColumn)
            out += ' ';
        if (options.moduleNumbers)
            out += Format("(%4d) ", row.moduleId());
        if (options.functionText && !row.isLeaf()) {
            const ModuleRecord* m = engine.GetModule(row.moduleId());
            if (m && m->hasFunctionText && !m->functionText.empty())
                out += InternalToUtf8(m->functionText, codePage);
        }
        out += "\r\n";
    }
    return out;
}

} // namespace lumbra
