#include "WindowPlacement.h"

#include <QTest>

namespace {

const QSize kMinimum(800, 584);
// One 1920 x 1080 screen with a 40-pixel task bar at the bottom.
const ScreenAreas kSingle { QRect(0, 0, 1920, 1040), QRect(0, 0, 1920, 1080), 1920 };
// The same primary screen with a second one of the same size to its left.
const ScreenAreas kTwoScreens { QRect(0, 0, 1920, 1040), QRect(-1920, 0, 3840, 1080), 1920 };

// A window of the usual size with its top left corner at x, y.
QRect at(int x, int y)
{
    return QRect(x, y, 1138, 585);
}

} // namespace

Q_DECLARE_METATYPE(ScreenAreas)

class TestWindowPlacement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void adjust_data()
    {
        QTest::addColumn<ScreenAreas>("screens");
        QTest::addColumn<QRect>("proposed");
        QTest::addColumn<QRect>("expected");

        // Snapping to the work area's edges; "within 10 pixels" includes 10.
        QTest::newRow("left edge 8 px inside") << kSingle << at(8, 200) << at(0, 200);
        QTest::newRow("left edge 8 px outside") << kSingle << at(-8, 200) << at(0, 200);
        QTest::newRow("left edge 10 px") << kSingle << at(10, 200) << at(0, 200);
        QTest::newRow("left edge 11 px") << kSingle << at(11, 200) << at(11, 200);
        QTest::newRow("right edge") << kSingle << at(790, 200) << at(782, 200);
        QTest::newRow("top edge") << kSingle << at(300, -6) << at(300, 0);
        QTest::newRow("bottom edge of the work area") << kSingle << at(300, 450) << at(300, 455);
        // The left and top edges win over the right and bottom ones, and then the size fills the area.
        QTest::newRow("nearly full size") << kSingle << QRect(5, 4, 1915, 1033) << QRect(0, 0, 1920, 1040);
        QTest::newRow("full width only at the left edge")
            << kSingle << QRect(12, 100, 1900, 700) << QRect(20, 100, 1900, 700);

        // Size limits.
        QTest::newRow("minimum size") << kSingle << QRect(300, 200, 500, 300) << QRect(300, 200, 800, 584);
        QTest::newRow("larger than the desktop")
            << kSingle << QRect(300, 200, 3000, 2000) << QRect(300, 200, 1920, 1080);

        // On-screen rules: a fifteenth of the desktop width stays visible, the top stays within reach.
        QTest::newRow("far left") << kSingle << at(-2000, 200) << at(-1010, 200);
        QTest::newRow("far right") << kSingle << at(1900, 200) << at(1792, 200);
        QTest::newRow("above the desktop") << kSingle << at(300, -50) << at(300, 0);
        QTest::newRow("below the desktop") << kSingle << at(300, 1500) << at(300, 972);
        QTest::newRow("second screen at the left") << kTwoScreens << at(-1500, 200) << at(-1500, 200);
        QTest::newRow("two screens, far left") << kTwoScreens << at(-3500, 200) << at(-2802, 200);
        // The right limit follows the desktop's right edge, not its width.
        QTest::newRow("two screens, far right") << kTwoScreens << at(3700, 200) << at(1792, 200);
        // The most a damaged settings file can propose.
        QTest::newRow("a million each way")
            << kSingle << QRect(1048576, -1048576, 1048576, 1048576) << QRect(1792, 0, 1920, 1080);
    }
    void adjust()
    {
        QFETCH(ScreenAreas, screens);
        QFETCH(QRect, proposed);
        QFETCH(QRect, expected);
        QCOMPARE(adjustPlacement(proposed, screens, kMinimum), expected);
        // The window applies the adjustment after every move; applying it again must change nothing.
        QCOMPARE(adjustPlacement(expected, screens, kMinimum), expected);
    }
};

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
