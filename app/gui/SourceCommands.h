// Binds the source pane's commands: copy, select all, the enabled-line output, the display
// switches (line and block numbers, block figure styles) and the folding commands.
#pragma once

namespace lumbra::gui {

class TLumbra32App;
class TMainFrame;

void InstallSourceCommands(TMainFrame& frame, TLumbra32App& app);

} // namespace lumbra::gui
