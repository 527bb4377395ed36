// The "Option" command after the setup sheet.
#include "OptionCommand.h"

#include "AppCore.h"
#include "Lang.h"
#include "SetupRules.h"

namespace lumbra {

SetupEffects PrepareSetupResult(Settings& s, const Settings& before) {
    for (FileFilter& filter : s.filters)
        for (std::string& ext : filter.extensions)
            LowerCaseText(ext, s.codePage);
    for (auto& groups : s.instructions)
        for (std::string& group : groups)
            LowerCaseText(group, s.codePage);

    SetupEffects effects;
    effects.codePageChanged = s.codePage != before.codePage;
    effects.sourceFoldingChanged =
        s.viewOpt[kViewSourceFolding] != before.viewOpt[kViewSourceFolding];
    effects.localeChanged = s.locale != before.locale;
    return effects;
}

SetupEffects FinishOptionCommand(AppCore& core, AppShell& shell, const Settings& before) {
    const SetupEffects effects = PrepareSetupResult(core.GetSettings(), before);
    core.ApplySettings();
    if (effects.codePageChanged)
        shell.SourceCodePageChanged();
    if (effects.sourceFoldingChanged)
        shell.SourceFoldingChanged();
    if (effects.localeChanged)
        shell.Messages().Message(
            tr("Please reboot a program, in order to validate language change."), tr("Caution"),
            MessageKind::Warning);
    return effects;
}

} // namespace lumbra
