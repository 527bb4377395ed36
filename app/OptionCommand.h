// What the "Option" command does once the setup sheet has closed with applied changes: the
// words and extensions go to lower case, the engine is configured again (define files and
// "WINVER" included), the source pane and the views follow, and a language change is announced.
#pragma once

#include "Settings.h"

namespace lumbra {

class AppCore;
class AppShell;

// What changed between the settings before the sheet opened and after it closed.
struct SetupEffects {
    bool codePageChanged = false;
    bool sourceFoldingChanged = false;
    bool localeChanged = false;
};

// Lower-cases the extensions of the six file kinds and every instruction word, and tells what
// changed since `before`.
SetupEffects PrepareSetupResult(Settings& settings, const Settings& before);

// The whole command after the sheet: PrepareSetupResult, the engine configuration with its
// status texts and redraws (AppCore::ApplySettings), the source pane's notifications, and
// "Please reboot a program, in order to validate language change." when "Locale" changed.
SetupEffects FinishOptionCommand(AppCore& core, AppShell& shell, const Settings& before);

} // namespace lumbra
