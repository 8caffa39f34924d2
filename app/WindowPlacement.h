#pragma once

#include <QRect>
#include <QSize>

// The screen areas a window placement is checked against.
struct ScreenAreas
{
    QRect workArea; // the primary screen without task bars
    QRect virtualDesktop; // all screens together
    int primaryScreenWidth = 0;
};

// Adjusts a proposed window rectangle (frame position, size): edges within 10 pixels of the work
// area's edges snap to them, a size within 10 pixels of the work area's fills it, the size is at
// least `minimum` and at most the desktop, and enough of the window stays on the desktop to be
// grabbed again.
QRect adjustPlacement(const QRect &proposed, const ScreenAreas &screens, const QSize &minimum);
