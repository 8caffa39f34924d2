#pragma once

#include <QTest>
#include <QTreeWidget>

namespace listclicks {

inline QPoint cellCentre(const QTreeWidget *list, int row, int column)
{
    return list->visualRect(list->model()->index(row, column)).center();
}

// A double-click on a cell as the window system delivers it: press, release, double-click, release.
inline void doubleClick(QTreeWidget *list, int row, int column)
{
    const QPoint at = cellCentre(list, row, column);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace listclicks
