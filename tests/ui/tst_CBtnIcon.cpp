#include "ui/widgets/CBtnIcon.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr int kNormal = 232;
constexpr int kHover = 242;
constexpr int kPressed = 243;
constexpr int kDisabled = 244;

// A window holding the button under test, and another window to press the mouse in. The
// mouse is driven through the windows, so enter and leave arrive as the window system's.
struct ButtonWindow {
    ButtonWindow() {
        window.resize(300, 120);
        button.setGeometry(10, 10, 80, 72);
        window.show();
        elsewhere.setGeometry(window.geometry().translated(0, 300));
        elsewhere.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QWindow* handle() { return window.windowHandle(); }
    QPoint over() const { return button.geometry().center(); }
    // Qt drops a move to where the cursor already is, so come from elsewhere each time.
    void MoveOver() {
        MoveAway();
        QTest::mouseMove(handle(), over());
    }
    void MoveAway() { QTest::mouseMove(handle(), QPoint(200, 60)); }

    QWidget window;
    CBtnIcon button{&window};
    QWidget elsewhere;
};

QImage RegionOf(QWidget& widget, const QRect& area) {
    return widget.grab().toImage().copy(area).convertToFormat(QImage::Format_RGB32);
}

bool HasPixel(const QImage& image, QColor color) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (rgb.pixelColor(x, y) == color)
                return true;
    return false;
}

} // namespace

class TestCBtnIcon : public QObject {
    Q_OBJECT

private slots:
    void faceFollowsState_data();
    void faceFollowsState();
    void dragInFromOutsideDoesNotLight();
    void leavingRestoresNormalFace();
    void spaceAndEnterPush();
    void mnemonicPushes();
    void textIsGreyWhileDisabled();
    void iconFollowsPlacementAndState_data();
    void iconFollowsPlacementAndState();
};

void TestCBtnIcon::faceFollowsState_data() {
    QTest::addColumn<QList<int>>("bitmaps"); // normal, hover, pressed, disabled
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("hover");
    QTest::addColumn<bool>("down");
    QTest::addColumn<int>("face");

    const QList<int> all{kNormal, kHover, kPressed, kDisabled};
    const QList<int> toolbar{kNormal, kHover, kHover, 0};
    const QList<int> normalOnly{kNormal, 0, 0, 0};

    QTest::newRow("normal") << all << true << false << false << kNormal;
    QTest::newRow("hover") << all << true << true << false << kHover;
    QTest::newRow("pressed over the button") << all << true << true << true << kPressed;
    QTest::newRow("pressed, cursor dragged off") << all << true << false << true << kPressed;
    QTest::newRow("disabled") << all << false << false << false << kDisabled;
    QTest::newRow("disabled under the cursor") << all << false << true << false << kDisabled;
    QTest::newRow("toolbar hover") << toolbar << true << true << false << kHover;
    QTest::newRow("toolbar pressed") << toolbar << true << true << true << kHover;
    QTest::newRow("toolbar disabled keeps normal face")
        << toolbar << false << false << false << kNormal;
    QTest::newRow("no hover face") << normalOnly << true << true << false << kNormal;
    QTest::newRow("no pressed face") << normalOnly << true << true << true << kNormal;
}

void TestCBtnIcon::faceFollowsState() {
    QFETCH(QList<int>, bitmaps);
    QFETCH(bool, enabled);
    QFETCH(bool, hover);
    QFETCH(bool, down);
    QFETCH(int, face);

    ButtonWindow w;
    w.button.SetBitmaps(bitmaps[0], bitmaps[1], bitmaps[2], bitmaps[3]);
    w.button.setEnabled(enabled);
    if (hover)
        w.MoveOver();
    w.button.setDown(down);

    QCOMPARE(w.button.CurrentFaceId(), face);
}

void TestCBtnIcon::dragInFromOutsideDoesNotLight() {
    ButtonWindow w;
    w.button.SetBitmaps(kNormal, kHover, kHover, 0);

    QTest::mousePress(w.elsewhere.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(w.handle(), w.over());
    QVERIFY(!w.button.IsHovering());
    // Even when the button itself is told that the held cursor came over it.
    const QPointF inside = w.button.rect().center();
    QEnterEvent enter(inside, inside, w.button.mapToGlobal(inside));
    QApplication::sendEvent(&w.button, &enter);
    QMouseEvent move(QEvent::MouseMove, inside, w.button.mapToGlobal(inside), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.button, &move);
    QVERIFY(!w.button.IsHovering());
    QCOMPARE(w.button.CurrentFaceId(), kNormal);

    // Once the drag has ended, moving over the button lights it as usual.
    QTest::mouseRelease(w.handle(), Qt::LeftButton, {}, w.over());
    QTest::mouseMove(w.handle(), w.over() + QPoint(1, 1));
    QVERIFY(w.button.IsHovering());
    QCOMPARE(w.button.CurrentFaceId(), kHover);
}

void TestCBtnIcon::leavingRestoresNormalFace() {
    ButtonWindow w;
    w.button.SetBitmaps(kNormal, kHover, kHover, 0);

    w.MoveOver();
    QCOMPARE(w.button.CurrentFaceId(), kHover);
    w.MoveAway();
    QVERIFY(!w.button.IsHovering());
    QCOMPARE(w.button.CurrentFaceId(), kNormal);
}

void TestCBtnIcon::spaceAndEnterPush() {
    ButtonWindow w;
    QSignalSpy clicked(&w.button, &QAbstractButton::clicked);
    QCOMPARE(w.button.focusPolicy(), Qt::StrongFocus);

    QTest::keyClick(&w.button, Qt::Key_Space);
    QTest::keyClick(&w.button, Qt::Key_Return);
    QTest::keyClick(&w.button, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicked.count(), 3);
}

void TestCBtnIcon::mnemonicPushes() {
    ButtonWindow w;
    w.button.setText(QStringLiteral("&Start"));
    QSignalSpy clicked(&w.button, &QAbstractButton::clicked);
    QApplication::setActiveWindow(&w.window);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));

    QTest::keyClick(&w.window, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(clicked.count(), 1);
}

void TestCBtnIcon::textIsGreyWhileDisabled() {
    ButtonWindow w;
    w.button.setText(QStringLiteral("WMW"));
    QFont big = w.button.font();
    big.setPixelSize(40);
    big.setBold(true);
    w.button.setFont(big);
    const QColor black(0, 0, 0);
    const QColor grey(109, 109, 109);

    const QImage enabled = RegionOf(w.button, w.button.rect());
    QVERIFY(HasPixel(enabled, black));
    QVERIFY(!HasPixel(enabled, grey));

    w.button.setEnabled(false);
    const QImage disabled = RegionOf(w.button, w.button.rect());
    QVERIFY(HasPixel(disabled, grey));
    QVERIFY(!HasPixel(disabled, black));
}

void TestCBtnIcon::iconFollowsPlacementAndState_data() {
    QTest::addColumn<int>("placement");
    QTest::addColumn<QRect>("iconRect"); // in a 120 x 100 button
    QTest::newRow("left") << int(CBtnIcon::IconLeft) << QRect(10, 34, 32, 32);
    QTest::newRow("top") << int(CBtnIcon::IconTop) << QRect(44, 26, 32, 32);
}

void TestCBtnIcon::iconFollowsPlacementAndState() {
    QFETCH(int, placement);
    QFETCH(QRect, iconRect);
    constexpr int kIcon = 128;

    CBtnIcon plain;
    plain.resize(120, 100);
    CBtnIcon withIcon;
    withIcon.resize(120, 100);
    withIcon.SetPlacement(placement);
    withIcon.SetIcons(kIcon, 0);

    QVERIFY(RegionOf(withIcon, iconRect) != RegionOf(plain, iconRect));
    // Outside the icon the two buttons look alike.
    const QRect corner(withIcon.width() - 8, withIcon.height() - 8, 8, 8);
    QCOMPARE(RegionOf(withIcon, corner), RegionOf(plain, corner));

    // Disabled, the button shows its disabled icon, here none.
    withIcon.setEnabled(false);
    plain.setEnabled(false);
    QCOMPARE(RegionOf(withIcon, iconRect), RegionOf(plain, iconRect));
}

QTEST_MAIN(TestCBtnIcon)
#include "tst_CBtnIcon.moc"
