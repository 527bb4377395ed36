// The setup dialog's limits, text rules and enabling rules.
#include "SetupRules.h"

#include <algorithm>

#include "Lang.h"
#include "Sinks.h"

namespace lumbra {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Calls `word` for every blank-separated word of the text.
template <typename F> void forEachWord(std::string_view text, F word) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        if (i > start)
            word(text.substr(start, i - start));
    }
}

} // namespace

// --- number fields -------------------------------------------------------------------------

NumberState CheckNumberText(std::string_view text, const NumberLimits& limits) {
    text = trimmed(text);
    if (text.empty())
        return NumberState::Intermediate;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return NumberState::Invalid;
        if (value <= limits.max)
            value = value * 10 + (c - '0');
    }
    return (value >= limits.min && value <= limits.max) ? NumberState::Acceptable
                                                        : NumberState::Intermediate;
}

std::optional<int> ParseNumberText(std::string_view text, const NumberLimits& limits) {
    if (CheckNumberText(text, limits) != NumberState::Acceptable)
        return std::nullopt;
    int value = 0;
    for (char c : trimmed(text))
        value = value * 10 + (c - '0');
    return value;
}

int StoredNumber(int value, const NumberLimits& limits) {
    return (limits.zeroMeansOne && value == 0) ? 1 : value;
}

std::string NumberHint(const NumberLimits& limits) {
    return Format(tr("Enter a whole number from %d to %d."), limits.min, limits.max);
}

void NormalizeSetupNumbers(Settings& s) {
    for (auto* layout : {&s.screen, &s.print}) {
        (*layout)[0] = StoredNumber((*layout)[0], kBoxCharsLimits);
        (*layout)[1] = StoredNumber((*layout)[1], kDivisorLimits);
        (*layout)[2] = StoredNumber((*layout)[2], kDivisorLimits);
    }
    s.penSize = StoredNumber(s.penSize, kPenSizeLimits);
    s.anlyOpt[kAnlyLayerLimit] = StoredNumber(s.anlyOpt[kAnlyLayerLimit], kLayerLimits);
    s.anlyOpt[kAnlyModuleLimit] = StoredNumber(s.anlyOpt[kAnlyModuleLimit], kModuleLimits);
}

// --- text fields ---------------------------------------------------------------------------

bool IsListSafeText(std::string_view text) {
    return text.find(',') == std::string_view::npos;
}

std::string JoinExtensions(const std::array<std::string, kFilterExtensions>& extensions) {
    std::string out;
    for (const std::string& ext : extensions) {
        if (ext.empty())
            continue;
        if (!out.empty())
            out += ' ';
        out += ext;
    }
    return out;
}

std::array<std::string, kFilterExtensions> SplitExtensions(std::string_view text) {
    std::array<std::string, kFilterExtensions> out;
    std::size_t count = 0;
    forEachWord(text, [&](std::string_view word) {
        if (count < out.size())
            out[count++] = std::string(word);
    });
    return out;
}

bool IsExtensionFieldText(std::string_view text) {
    if (!IsListSafeText(text))
        return false;
    bool fits = true;
    forEachWord(text, [&](std::string_view word) {
        if (word.size() > static_cast<std::size_t>(kExtensionLength))
            fits = false;
    });
    return fits;
}

void LowerCaseText(std::string& text, int codePage) {
    const bool pairs = codePage == kCodePageShiftJis;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (pairs && isShiftJisLead(c)) {
            ++i;
            continue;
        }
        if (c >= 'A' && c <= 'Z')
            text[i] = static_cast<char>(c - 'A' + 'a');
    }
}

int CodePageOfEntry(std::string_view entry) {
    entry = trimmed(entry);
    int value = 0;
    for (char c : entry) {
        if (c < '0' || c > '9' || value > 100000)
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

int DefaultCodePage(const Environment& env) {
    // 0 is never a code page, so the stored value gives way to the system's.
    return EffectiveCodePage(0, env);
}

bool AppendIncludeFolder(std::string& text, const std::string& folder, MessageSink& sink) {
    const std::string entry = folder + ";";
    if (text.size() + entry.size() > static_cast<std::size_t>(kIncludePathLength)) {
        sink.Message(tr("Path Size Limit Over"), tr("Caution"), MessageKind::Warning);
        return false;
    }
    text += entry;
    return true;
}

FontSetting ChosenFont(const FontSetting& old, std::string face, double points, int weight,
                       bool italic, bool fixedPitch, int dpi) {
    FontSetting f = old;
    f.face = std::move(face);
    if (points > 0) {
        f.pointTenths = static_cast<int>(points * 10 + 0.5);
        f.height = std::max(1, static_cast<int>(points * dpi / 72 + 0.5));
    }
    f.weight = weight;
    f.italic = italic ? 1 : 0;
    // Low four bits: 1 fixed pitch, 2 variable pitch; the family bits stay.
    f.pitchFamily = (old.pitchFamily & 0xF0) | (fixedPitch ? 1 : 2);
    return f;
}

int FontPoints(const FontSetting& font) {
    return font.pointTenths / 10;
}

// --- enabling rules --------------------------------------------------------------------------

bool IsDependentEnabled(SetupDependent control, const Settings& s) {
    switch (control) {
    case SetupDependent::DottedUndefined:
        return s.viewOpt[kViewViewlessBoxLine] == 0;
    case SetupDependent::LineDigits:
        return s.viewOpt[kViewLineNo] != 0;
    case SetupDependent::BlockFigures:
        return s.viewOpt[kViewBlockChart] != 0;
    case SetupDependent::NameHead:
        return s.anlyOpt[kAnlyDecorationChars] != 0;
    case SetupDependent::IncludeFileConstants:
        return s.anlyOpt[kAnlyUseDefineConstant] != 0;
    case SetupDependent::MemberLink:
        return s.anlyOpt[kAnlyMemberSearch] != 0;
    case SetupDependent::ExceptModuleFile:
        return s.anlyOpt[kAnlyExceptModule] != 0;
    case SetupDependent::DefineConstantFile:
        return s.anlyOpt[kAnlyDefineConstant] != 0;
    case SetupDependent::ClassOptions:
        return s.anlyOpt[kAnlyCombineClass] != 0;
    case SetupDependent::EditorFields:
        return s.editorOpen != 0;
    }
    return true;
}

std::string DefineFileEditor(const Settings& s) {
    if (s.editorOpen != 0 && !trimmed(s.editorName).empty())
        return s.editorName;
    return std::string(kDefaultEditor);
}

} // namespace lumbra
