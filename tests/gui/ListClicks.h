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

// Types into a widget: "\r" is Enter, "\x1b" Escape, "\b" Backspace, any other character itself.
inline void type(QWidget *widget, const QString &typed)
{
    for (const QChar c : typed) {
        if (c == QLatin1Char('\r'))
            QTest::keyClick(widget, Qt::Key_Return);
        else if (c == QLatin1Char('\x1b'))
            QTest::keyClick(widget, Qt::Key_Escape);
        else if (c == QLatin1Char('\b'))
            QTest::keyClick(widget, Qt::Key_Backspace);
        else
            QTest::keyClicks(widget, QString(c));
    }
}

} // namespace listclicks
