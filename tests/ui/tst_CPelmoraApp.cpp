#include "ModalDriver.h"
#include "RecordingSink.h"
#include "TempDir.h"
#include "data/DeliveredDatabase.h"
#include "data/MessageSink.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CPelmoraApp.h"
#include "ui/app/CSplashWnd.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <filesystem>

namespace {

// The working directory of a program started in its installation folder: the person pane
// reads the delivered database while the main window is created.
class InstallFolder {
public:
    InstallFolder() : m_previous(QDir::currentPath()) {
        std::filesystem::create_directory(m_folder.path() / "DataBase");
        std::string error;
        m_ready = hv::CreateDeliveredDatabase(m_folder.file("DataBase/DataBase.mdb"), error) &&
                  QDir::setCurrent(QString::fromStdString(m_folder.path().string()));
    }
    ~InstallFolder() { QDir::setCurrent(m_previous); }
    InstallFolder(const InstallFolder&) = delete;
    InstallFolder& operator=(const InstallFolder&) = delete;

    bool Ready() const { return m_ready; }

private:
    hv::test::TempDir m_folder;
    QString m_previous;
    bool m_ready = false;
};

// Records whether the splash was still on screen when the main frame was shown.
class ShowWatcher : public QObject {
public:
    explicit ShowWatcher(QPointer<CSplashWnd> splash) : m_splash(std::move(splash)) {}
    bool shown = false;
    bool splashVisibleAtShow = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            shown = true;
            splashVisibleAtShow = m_splash && m_splash->isVisible();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<CSplashWnd> m_splash;
};

} // namespace

class TestCPelmoraApp : public QObject {
    Q_OBJECT

private slots:
    void splashComesFirstThenTheFrame();
    void splashPictureIsCentred();
    void messagesGoToMessageBoxesWhileRunning();
    void options_data();
    void options();
};

void TestCPelmoraApp::splashComesFirstThenTheFrame() {
    InstallFolder folder;
    QVERIFY(folder.Ready());
    ModalDriver unexpected([](QWidget* modal) { modal->close(); });
    CPelmoraApp app(CPelmoraApp::Options{10});
    QVERIFY(app.InitInstance());
    QVERIFY(!unexpected.Handled()); // a sound start-up shows no message

    QPointer<CSplashWnd> splash = app.Splash();
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QVERIFY(!app.MainFrame()->isVisible());
    ShowWatcher watcher(splash);
    app.MainFrame()->installEventFilter(&watcher);

    QTRY_VERIFY(app.MainFrame()->isVisible());
    QVERIFY(watcher.shown);
    QVERIFY(!watcher.splashVisibleAtShow);
    QTRY_VERIFY(splash.isNull()); // the splash is gone for good
}

void TestCPelmoraApp::splashPictureIsCentred() {
    CSplashWnd splash;
    QCOMPARE(splash.PictureSize(), QSize(624, 259));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);

    splash.ShowFor(60000);
    QCOMPARE(splash.size(), QSize(624, 259));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(splash.geometry().center(), screen.center());
}

void TestCPelmoraApp::messagesGoToMessageBoxesWhileRunning() {
    InstallFolder folder;
    QVERIFY(folder.Ready());
    hv::test::RecordingSink recording;
    {
        CPelmoraApp app(CPelmoraApp::Options{0});
        QVERIFY(app.InitInstance());
        QString caption;
        ModalDriver driver([&caption](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            caption = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        hv::ShowMessage("Save Successfully!");
        QVERIFY(driver.Handled());
        QCOMPARE(caption, QStringLiteral("Pelmora"));
        QVERIFY(recording.messages.empty());
    }
    // After shut-down the previous sink is back.
    hv::ShowMessage("after");
    QCOMPARE(recording.messages, std::vector<std::string>{"after"});
}

void TestCPelmoraApp::options_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("splashMs");
    QTest::newRow("none") << QStringList{"halvoret"} << 2000;
    QTest::newRow("short splash") << QStringList{"halvoret", "--splash-ms", "300"} << 300;
    QTest::newRow("no splash") << QStringList{"halvoret", "--splash-ms", "0"} << 0;
    QTest::newRow("negative") << QStringList{"halvoret", "--splash-ms", "-5"} << 2000;
    QTest::newRow("not a number") << QStringList{"halvoret", "--splash-ms", "soon"} << 2000;
    QTest::newRow("value missing") << QStringList{"halvoret", "--splash-ms"} << 2000;
}

void TestCPelmoraApp::options() {
    QFETCH(QStringList, arguments);
    QFETCH(int, splashMs);
    QCOMPARE(CPelmoraApp::ParseOptions(arguments).splashMs, splashMs);
}

QTEST_MAIN(TestCPelmoraApp)
#include "tst_CPelmoraApp.moc"
