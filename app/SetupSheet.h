// The setup dialog's working copy of the settings: its pages edit the copy, Apply (OK or Apply)
// hands the copy to the settings, Cancel drops it, so a cancelled sheet changes nothing.
#pragma once

#include "Settings.h"

namespace lumbra {

class SettingsSession;

inline constexpr int kSetupPageCount = 7;
// The settings-changed flag an Apply sets is this plus the page index.
inline constexpr int kSetupChangedBase = 200;

class SetupSheet {
public:
    explicit SetupSheet(SettingsSession& session);

    // The copy the pages edit. Its texts stay in TextCodePage() while the sheet is open.
    Settings& Draft() { return draft_; }
    const Settings& Draft() const { return draft_; }
    // The settings as they were when the sheet opened.
    const Settings& Before() const { return before_; }
    int TextCodePage() const { return before_.codePage; }

    // Apply on page `page`: the meaningless zeros become 1, the copy replaces the settings
    // (its texts converted when the code page changed) and the settings-changed flag is set.
    void Apply(int page);
    // Whether Apply ran at least once.
    bool Applied() const { return applied_; }

private:
    SettingsSession& session_;
    Settings before_;
    Settings draft_;
    bool applied_ = false;
};

// Converts the texts the settings hold in the internal code page (set and kind names,
// instruction words, extensions, comment labels, decoration characters, font faces, the
// current module) from one code page to another. Paths stay as they are: they are file names.
void RecodeSettingsTexts(Settings& settings, int fromCodePage, int toCodePage);

} // namespace lumbra
