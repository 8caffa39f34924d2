#include "WindowPlacement.h"

#include <QTest>

namespace {

const QSize kMinimum(800, 584);
// One 1920 x 1080 screen with a 40-pixel task bar at the bottom.
const ScreenAreas kSingle { QRect(0, 0, 1920, 1040), QRect(0, 0, 1920, 1080), 1920 };
// The same primary screen with a second one of the same size to its left.
const ScreenAreas kTwoScreens { QRect(0, 0, 1920, 1040), QRect(-1920, 0, 3840, 1080), 1920 };

} // namespace

Q_DECLARE_METATYPE(ScreenAreas)

class TestWindowPlacement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void adjust_data();
    void adjust();
    void adjustedPlacementIsStable_data();
    void adjustedPlacementIsStable();
};

void TestWindowPlacement::adjust_data()
{
    QTest::addColumn<ScreenAreas>("screens");
    QTest::addColumn<QRect>("proposed");
    QTest::addColumn<QRect>("expected");

    // Snapping to the work area's edges; "within 10 pixels" includes 10.
    QTest::newRow("left edge 8 px inside") << kSingle << QRect(8, 200, 1138, 585) << QRect(0, 200, 1138, 585);
    QTest::newRow("left edge 8 px outside") << kSingle << QRect(-8, 200, 1138, 585) << QRect(0, 200, 1138, 585);
    QTest::newRow("left edge 10 px") << kSingle << QRect(10, 200, 1138, 585) << QRect(0, 200, 1138, 585);
    QTest::newRow("left edge 11 px") << kSingle << QRect(11, 200, 1138, 585) << QRect(11, 200, 1138, 585);
    QTest::newRow("right edge") << kSingle << QRect(790, 200, 1138, 585) << QRect(782, 200, 1138, 585);
    QTest::newRow("top edge") << kSingle << QRect(300, -6, 1138, 585) << QRect(300, 0, 1138, 585);
    QTest::newRow("bottom edge of the work area")
        << kSingle << QRect(300, 450, 1138, 585) << QRect(300, 455, 1138, 585);
    // The left and top edges win over the right and bottom ones, and then the size fills the area.
    QTest::newRow("nearly full size") << kSingle << QRect(5, 4, 1915, 1033) << QRect(0, 0, 1920, 1040);
    QTest::newRow("full width only at the left edge")
        << kSingle << QRect(12, 100, 1900, 700) << QRect(20, 100, 1900, 700);

    // Size limits.
    QTest::newRow("minimum size") << kSingle << QRect(300, 200, 500, 300) << QRect(300, 200, 800, 584);
    QTest::newRow("larger than the desktop") << kSingle << QRect(300, 200, 3000, 2000) << QRect(300, 200, 1920, 1080);

    // On-screen rules: a fifteenth of the desktop width stays visible, the top stays within reach.
    QTest::newRow("far left") << kSingle << QRect(-2000, 200, 1138, 585) << QRect(-1010, 200, 1138, 585);
    QTest::newRow("far right") << kSingle << QRect(1900, 200, 1138, 585) << QRect(1792, 200, 1138, 585);
    QTest::newRow("above the desktop") << kSingle << QRect(300, -50, 1138, 585) << QRect(300, 0, 1138, 585);
    QTest::newRow("below the desktop") << kSingle << QRect(300, 1500, 1138, 585) << QRect(300, 972, 1138, 585);
    QTest::newRow("second screen at the left")
        << kTwoScreens << QRect(-1500, 200, 1138, 585) << QRect(-1500, 200, 1138, 585);
    QTest::newRow("two screens, far left")
        << kTwoScreens << QRect(-3500, 200, 1138, 585) << QRect(-2802, 200, 1138, 585);
    // The right limit follows the desktop's right edge, not its width.
    QTest::newRow("two screens, far right")
        << kTwoScreens << QRect(3700, 200, 1138, 585) << QRect(1792, 200, 1138, 585);
}

void TestWindowPlacement::adjust()
{
    QFETCH(ScreenAreas, screens);
    QFETCH(QRect, proposed);
    QFETCH(QRect, expected);
    QCOMPARE(adjustPlacement(proposed, screens, kMinimum), expected);
}

void TestWindowPlacement::adjustedPlacementIsStable_data()
{
    adjust_data();
}

// The window applies the adjustment after every move; applying it again must change nothing.
void TestWindowPlacement::adjustedPlacementIsStable()
{
    QFETCH(ScreenAreas, screens);
    QFETCH(QRect, proposed);
    const QRect once = adjustPlacement(proposed, screens, kMinimum);
    QCOMPARE(adjustPlacement(once, screens, kMinimum), once);
}

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
