#include "ModalDriver.h"
#include "RecordingSink.h"
#include "TempDir.h"
#include "common/Version.h"
#include "testing/SimulatedHid.h"
#include "ui/app/CBtnsBar.h"
#include "ui/app/CChildView.h"
#include "ui/app/CDlgAbout.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CStusBar.h"
#include "ui/app/ControlIds.h"
#include "ui/persons/CChildList.h"
#include "ui/viewing/CChildPara.h"
#include "ui/viewing/CChildReport.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/UiText.h"

#include <QLabel>
#include <QScreen>
#include <QTreeWidget>
#include <QWindow>
#include <QtTest>
#include <functional>

namespace {

const std::string kExitQuestion = "Are you sure you want to exit the system?";

// Which of the three panes are visible, as "person report compare" flags.
QString VisiblePanes(const CMainFrame& frame) {
    return QStringLiteral("%1%2%3")
        .arg(frame.PersonPane()->isVisible() ? 'P' : '-')
        .arg(frame.ReportPane()->isVisible() ? 'R' : '-')
        .arg(frame.ComparePane()->isVisible() ? 'C' : '-');
}

void ShowAndActivate(CMainFrame& frame) {
    frame.show();
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));
}

using CloseRoute = std::function<void(CMainFrame&)>;

} // namespace

Q_DECLARE_METATYPE(CloseRoute)

class TestCMainFrame : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void startsFramelessOnTheWorkingAreaWithHome();
    void theStatusStripNamesTheDemonstrationSensor();
    void paneSwitching();
    void theToolbarLeadsTheKeyboardIntoThePersonTree();
    void homeRepaintsThePicture();
    void panesFillTheClientView();
    void windowSignsFollowTheFrameWidth();
    void everyCloseRouteAsksOnce_data();
    void everyCloseRouteAsksOnce();
    void minimiseSignMinimises();
    void helpOpensHelpFileOfWorkingDirectory();
    void aboutButtonRunsAboutBox();
};

void TestCMainFrame::initTestCase() {
    // The frames closed here must not end the test program's event handling.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestCMainFrame::startsFramelessOnTheWorkingAreaWithHome() {
    CMainFrame frame;
    QVERIFY(frame.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(frame.geometry(), QGuiApplication::primaryScreen()->availableGeometry());
    QCOMPARE(frame.windowTitle(), QStringLiteral("Halvoret"));
    QVERIFY(!frame.windowIcon().isNull());
    QCOMPARE(frame.menuWidget(), nullptr);
    QVERIFY(frame.IsHomeShown());
    frame.show();
    QCOMPARE(VisiblePanes(frame), QStringLiteral("---"));

    // Toolbar on top, client view in the middle, status strip at the bottom.
    QCOMPARE(frame.ButtonsBar()->geometry().top(), 0);
    QCOMPARE(frame.ClientView()->geometry().top(), frame.ButtonsBar()->geometry().bottom() + 1);
    QCOMPARE(frame.StatusStrip()->geometry().top(), frame.ClientView()->geometry().bottom() + 1);
    QCOMPARE(frame.StatusStrip()->geometry().bottom(), frame.height() - 1);
    QVERIFY(frame.StatusStrip()->Text().contains(QStringLiteral("Version ") +
                                                 UiText(hv::ProgramVersion())));
    QVERIFY(
        frame.StatusStrip()->Text().contains(QStringLiteral("Register: DataBase/DataBase.mdb")));
    QVERIFY(frame.StatusStrip()->DemoNotice().isEmpty());
}

void TestCMainFrame::theStatusStripNamesTheDemonstrationSensor() {
    hv::UseDemoSensor();
    CMainFrame frame;
    hv::SetHidBackend(nullptr);
    frame.show();
    QCOMPARE(frame.StatusStrip()->DemoNotice(),
             QStringLiteral("Demonstration mode: the sensor is simulated."));
    auto* notice = frame.StatusStrip()->findChild<QLabel*>(QStringLiteral("demoNotice"));
    QVERIFY(notice && notice->isVisible());
    QVERIFY(frame.StatusStrip()->rect().contains(notice->geometry()));
}

void TestCMainFrame::paneSwitching() {
    CMainFrame frame;
    frame.show();
    CBtnsBar* bar = frame.ButtonsBar();

    bar->Button(ctl::Dossier)->click();
    QCOMPARE(VisiblePanes(frame), QStringLiteral("P--"));
    QVERIFY(!frame.IsHomeShown());

    frame.ShowReportPane(41);
    QCOMPARE(VisiblePanes(frame), QStringLiteral("-R-"));
    QCOMPARE(frame.ReportPane()->MeasID(), 41);
    QVERIFY(!frame.IsHomeShown());

    frame.ShowPersonPane();
    QCOMPARE(VisiblePanes(frame), QStringLiteral("P--"));
    QCOMPARE(frame.ReportPane()->MeasID(), 41); // a hidden pane keeps what it holds

    frame.ShowComparePane(52, 17);
    QCOMPARE(VisiblePanes(frame), QStringLiteral("--C"));
    QCOMPARE(frame.ComparePane()->FirstMeasID(), 52);
    QCOMPARE(frame.ComparePane()->SecondMeasID(), 17);
    QVERIFY(!frame.IsHomeShown());

    bar->Button(ctl::Home)->click();
    QCOMPARE(VisiblePanes(frame), QStringLiteral("---"));
    QVERIFY(frame.IsHomeShown());
}

void TestCMainFrame::theToolbarLeadsTheKeyboardIntoThePersonTree() {
    CMainFrame frame;
    ShowAndActivate(frame);
    CBtnIcon* dossier = frame.ButtonsBar()->Button(ctl::Dossier);
    dossier->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dossier, Qt::Key_Space);
    QCOMPARE(VisiblePanes(frame), QStringLiteral("P--"));
    QCOMPARE(QApplication::focusWidget(), frame.PersonPane()->Tree());
}

void TestCMainFrame::homeRepaintsThePicture() {
    CMainFrame frame;
    frame.show();
    CChildView* view = frame.ClientView();
    QImage plain(view->size(), QImage::Format_RGB32);
    plain.fill(view->palette().window().color());
    auto shown = [view] { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); };

    const QImage atStart = shown();
    QVERIFY(atStart != plain); // the home picture fills the client area

    frame.ShowPersonPane(); // the pane covers it
    QVERIFY(shown() != atStart);

    frame.ShowHome();
    QCOMPARE(shown(), atStart);
}

void TestCMainFrame::panesFillTheClientView() {
    CMainFrame frame;
    frame.show();
    frame.resize(1000, 700);
    QTRY_COMPARE(frame.width(), 1000);
    const QRect full = frame.ClientView()->rect();
    QCOMPARE(frame.PersonPane()->geometry(), full);
    QCOMPARE(frame.ReportPane()->geometry(), full);
    QCOMPARE(frame.ComparePane()->geometry(), full);
}

void TestCMainFrame::windowSignsFollowTheFrameWidth() {
    CMainFrame frame;
    frame.show();
    frame.resize(900, 600);
    QTRY_COMPARE(frame.width(), 900);
    CBtnsBar* bar = frame.ButtonsBar();
    QCOMPARE(bar->width(), 900);
    QCOMPARE(bar->Button(ctl::Minimise)->geometry(), QRect(830, 0, 28, 20));
    QCOMPARE(bar->Button(ctl::CloseSign)->geometry(), QRect(858, 0, 42, 20));
}

void TestCMainFrame::everyCloseRouteAsksOnce_data() {
    QTest::addColumn<CloseRoute>("route");
    QTest::newRow("toolbar Exit") << CloseRoute(
        [](CMainFrame& f) { f.ButtonsBar()->Button(ctl::Exit)->click(); });
    QTest::newRow("close sign") << CloseRoute(
        [](CMainFrame& f) { f.ButtonsBar()->Button(ctl::CloseSign)->click(); });
    QTest::newRow("close()") << CloseRoute([](CMainFrame& f) { f.close(); });
    QTest::newRow("window system close")
        << CloseRoute([](CMainFrame& f) { f.windowHandle()->close(); });
    QTest::newRow("Alt+F4") << CloseRoute(
        [](CMainFrame& f) { QTest::keyClick(&f, Qt::Key_F4, Qt::AltModifier); });
}

void TestCMainFrame::everyCloseRouteAsksOnce() {
    QFETCH(CloseRoute, route);
    hv::test::RecordingSink sink;
    sink.answers = {false, true};
    CMainFrame frame;
    ShowAndActivate(frame);
    frame.ShowPersonPane();
    frame.ShowReportPane(9);

    route(frame); // No: everything stays as it was
    QCOMPARE(sink.questions, std::vector<std::string>{kExitQuestion});
    QVERIFY(frame.isVisible());
    QCOMPARE(VisiblePanes(frame), QStringLiteral("-R-"));
    QCOMPARE(frame.ReportPane()->MeasID(), 9);
    QVERIFY(!frame.IsHomeShown());

    QApplication::setActiveWindow(&frame);
    route(frame); // Yes: the frame closes
    QCOMPARE(sink.questions.size(), 2u);
    QVERIFY(!frame.isVisible());
}

void TestCMainFrame::minimiseSignMinimises() {
    hv::test::RecordingSink sink;
    CMainFrame frame;
    frame.show();
    frame.ButtonsBar()->Button(ctl::Minimise)->click();
    QTRY_VERIFY(frame.windowState() & Qt::WindowMinimized);
    QVERIFY(sink.questions.empty());
}

void TestCMainFrame::helpOpensHelpFileOfWorkingDirectory() {
    hv::test::TempDir folder;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QString::fromStdString(folder.path().string())));
    CMainFrame frame;
    QList<QUrl> opened;
    frame.SetUrlOpener([&opened](const QUrl& url) { opened << url; });

    // The file need not exist: nothing is reported either way.
    frame.ButtonsBar()->Button(ctl::Help)->click();
    QVERIFY(QDir::setCurrent(previous));

    QCOMPARE(opened.size(), 1);
    const QString expected =
        QStringLiteral("file://%1/Help.html")
            .arg(QDir(QString::fromStdString(folder.path().string())).canonicalPath());
    QCOMPARE(opened.front().toString(), expected);
}

void TestCMainFrame::aboutButtonRunsAboutBox() {
    CMainFrame frame;
    frame.show();
    QString seen;
    ModalDriver driver([&seen](QWidget* modal) {
        if (auto* about = qobject_cast<CDlgAbout*>(modal))
            seen = about->windowTitle();
        modal->close();
    });
    frame.ButtonsBar()->Button(ctl::About)->click();
    QVERIFY(driver.Handled());
    QCOMPARE(seen, QStringLiteral("About Halvoret"));
}

QTEST_MAIN(TestCMainFrame)
#include "tst_CMainFrame.moc"
