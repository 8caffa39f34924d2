#include "WindowPlacement.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kSnapDistance = 10;

bool near(int a, int b)
{
    return std::abs(a - b) <= kSnapDistance;
}

} // namespace

QRect adjustPlacement(const QRect &proposed, const ScreenAreas &screens, const QSize &minimum)
{
    int x = proposed.x();
    int y = proposed.y();
    int w = proposed.width();
    int h = proposed.height();
    // Right and bottom as exclusive coordinates (QRect::right() is inclusive).
    const int workLeft = screens.workArea.x();
    const int workTop = screens.workArea.y();
    const int workRight = workLeft + screens.workArea.width();
    const int workBottom = workTop + screens.workArea.height();

    if (near(x, workLeft))
        x = workLeft;
    else if (near(x + w, workRight))
        x = workRight - w;
    if (near(y, workTop))
        y = workTop;
    else if (near(y + h, workBottom))
        y = workBottom - h;

    if (x == workLeft && near(w, screens.workArea.width()))
        w = screens.workArea.width();
    if (y == workTop && near(h, screens.workArea.height()))
        h = screens.workArea.height();

    w = std::max(w, minimum.width());
    h = std::max(h, minimum.height());
    w = std::min(w, screens.virtualDesktop.width());
    h = std::min(h, screens.virtualDesktop.height());

    // Keep a fifteenth of the desktop's width of the window on screen at either side, and the title
    // bar within the desktop's height. The right limit is taken from the desktop's right edge, so
    // that a desktop that extends left of the primary screen cannot lose the window to the right.
    const QRect &desktop = screens.virtualDesktop;
    const int desktopRight = desktop.x() + desktop.width();
    const int desktopBottom = desktop.y() + desktop.height();
    x = std::max(x, desktop.x() - w + desktop.width() / 15);
    x = std::min(x, desktopRight - screens.primaryScreenWidth / 15);
    y = std::max(y, desktop.y());
    y = std::min(y, desktopBottom - desktop.height() / 10);
    return QRect(x, y, w, h);
}
