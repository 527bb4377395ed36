// Stored placements of the modeless windows ("AttrProg", "AttrXref"): width, height, left, top.
#pragma once

#include <array>

class QWidget;

namespace lumbra::gui {

// Sizes and moves a window as stored; a position off every screen is not taken, since it would
// hide the window.
void ApplyPlacement(QWidget& window, const std::array<int, 4>& placement);
// The window's placement, or the stored one unchanged while the window has no size.
void StorePlacement(const QWidget& window, std::array<int, 4>& placement);

} // namespace lumbra::gui
