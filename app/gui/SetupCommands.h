// The "Option" command: opens the setup sheet at the page that was active when it last closed,
// and once it closes with applied changes hands them to the engine and the views.
#pragma once

#include "TDevelop.h"

namespace lumbra::gui {

class TLumbra32App;
class TMainFrame;

// Binds "Option"; the sheet uses `choosers` for its colour, font, folder and file dialogs and
// to start the editor.
void InstallSetupCommands(TMainFrame& frame, TLumbra32App& app,
                          SetupChoosers choosers = SetupChoosers::Standard());

// What the command does after the sheet closed: nothing when nothing was applied, otherwise
// the words go to lower case, the engine is configured again, the source pane and the views
// follow and a language change is announced.
void FinishSetupSheet(TLumbra32App& app, TDevelop& sheet);

} // namespace lumbra::gui
