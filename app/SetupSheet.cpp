// The setup dialog's working copy of the settings.
#include "SetupSheet.h"

#include "CodePage.h"
#include "SettingsSession.h"
#include "SetupRules.h"

namespace lumbra {

SetupSheet::SetupSheet(SettingsSession& session)
    : session_(session), before_(session.settings), draft_(session.settings) {}

void SetupSheet::Apply(int page) {
    NormalizeSetupNumbers(draft_);
    Settings applied = draft_;
    RecodeSettingsTexts(applied, TextCodePage(), applied.codePage);
    session_.settings = std::move(applied);
    session_.MarkChanged(kSetupChangedBase + page);
    applied_ = true;
}

void RecodeSettingsTexts(Settings& s, int from, int to) {
    if (from == to)
        return;
    auto recode = [from, to](std::string& text) {
        if (!text.empty())
            text = Utf8ToInternal(InternalToUtf8(text, from), to);
    };
    for (std::size_t set = 0; set < s.cpuNames.size(); ++set) {
        recode(s.cpuNames[set]);
        for (std::string& group : s.instructions[set])
            recode(group);
    }
    for (FileFilter& filter : s.filters) {
        recode(filter.name);
        for (std::string& ext : filter.extensions)
            recode(ext);
    }
    for (std::string& label : s.comment)
        recode(label);
    recode(s.nameHead);
    for (FontSetting& font : s.fonts)
        recode(font.face);
    recode(s.selectedFunction);
}

} // namespace lumbra
