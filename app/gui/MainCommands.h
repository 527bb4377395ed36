// Binds the commands this program carries out in the main window: files and projects, the
// analysis run, clearing, the view switches and the calling-tree commands.
#pragma once

namespace lumbra::gui {

class TLumbra32App;
class TMainFrame;

void InstallMainCommands(TMainFrame& frame, TLumbra32App& app);

} // namespace lumbra::gui
