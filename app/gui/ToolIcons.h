// Icons of the toolbar commands: the style's standard icons where one fits, small drawings
// otherwise.
#pragma once

#include <QIcon>

namespace lumbra::gui {

// The icon of a command id (an empty icon for commands shown only in menus).
QIcon CommandIcon(int id);

} // namespace lumbra::gui
