// Placements of the modeless windows.
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lumbra::gui {

void ApplyPlacement(QWidget& window, const std::array<int, 4>& p) {
    if (p[0] > 0 && p[1] > 0)
        window.resize(p[0], p[1]);
    const QPoint topLeft(p[2], p[3]);
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(topLeft)) {
            window.move(topLeft);
            return;
        }
}

void StorePlacement(const QWidget& window, std::array<int, 4>& p) {
    const QRect r = window.geometry();
    if (r.width() > 0 && r.height() > 0)
        p = {r.width(), r.height(), r.x(), r.y()};
}

} // namespace lumbra::gui
