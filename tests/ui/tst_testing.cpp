#include "GifBuilder.h"
#include "ModalDriver.h"
#include "RecordingSink.h"
#include "TestDatabase.h"
#include "VirtualScheduler.h"
#include "data/AdoDb.h"
#include "data/StringTable.h"
#include "testing/CHidDevice.h"
#include "testing/SensorShared.h"
#include "testing/SimulatedHid.h"
#include "ui/testing/CAnimateClip.h"
#include "ui/testing/CMainWave.h"
#include "ui/testing/CMeter.h"
#include "ui/testing/CTestTip.h"
#include "ui/testing/CTesting.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/CPictureEx.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <mutex>

using namespace std::chrono_literals;

namespace {

class CountingSound final : public hv::SoundPlayer {
public:
    void PlayAsync(const std::string&) override {
        std::lock_guard lock(m_mutex);
        ++m_count;
    }
    int Count() {
        std::lock_guard lock(m_mutex);
        return m_count;
    }

private:
    std::mutex m_mutex;
    int m_count = 0;
};

// Stage picture n is a still picture filled with a colour of its own.
QRgb StageColour(int n) {
    return QColor::fromHsv((n * 27) % 360, 200, 220).rgb();
}

void WriteStagePictures(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "Image");
    for (int n = 0; n <= 12; ++n) {
        QImage picture(207, 221, QImage::Format_RGB32);
        picture.fill(QColor(StageColour(n)));
        const QString path = QString::fromStdString((folder / "Image").string()) +
                             QStringLiteral("/%1-2.000").arg(n, 2, 10, QLatin1Char('0'));
        QVERIFY(picture.save(path, "PNG"));
    }
}

// Which of Start, Cancel, Save and Exit are enabled, as "SCVE" with '-' for disabled.
QString ButtonStates(const CTesting& dialog) {
    const auto flag = [&](CTesting::Control id, char c) {
        return dialog.Button(id)->isEnabled() ? QLatin1Char(c) : QLatin1Char('-');
    };
    return QString() + flag(CTesting::IdStart, 'S') + flag(CTesting::IdCancel, 'C') +
           flag(CTesting::IdSave, 'V') + flag(CTesting::IdExit, 'E');
}

QRgb ShownStageColour(const CTesting& dialog) {
    return dialog.StagePictureControl()->Surface().pixel(100, 100);
}

} // namespace

class TestTesting : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void layoutFollowsTheTemplate();
    void aWholeTestFromStartToSave();
    void declinedPromptStartsNothing();
    void cancelClearsTheDisplaysAndDropsLateTicks();
    void displayTickDrawsOnlyWithContact();
    void counterShowsBlanksBeforeTheFirstDigit();
    void missingOrBrokenStagePictureLeavesTheLastOne();
    void escapeAndEnterFollowTheButtons();
    void unpluggedSensorStopsTheTestUntilCancel();
    void runForPersonRefusesWithoutSensor();
    void runForPersonEndsAtOnceWithoutDatabase();
    void runForPersonReturnsWhetherATestWasSaved();
    void theDemonstrationSensorIsNamedOnTheDialog();

private:
    CTesting& OpenDialog();
    void StartWithPrompt(bool accept = true);
    void RunAndDeliver(std::chrono::milliseconds span);
    void RunToFinish();
    void SaveScreenshot(const char* name);

    std::unique_ptr<hv::test::TestInstallation> m_installation;
    std::unique_ptr<hv::test::RecordingSink> m_sink;
    std::unique_ptr<hv::SimulatedHidBus> m_bus;
    std::shared_ptr<hv::SimulatedHidDevice> m_sensor;
    std::unique_ptr<hv::ScopedHidBackend> m_useBus;
    std::unique_ptr<hv::VirtualScheduler> m_clock;
    CountingSound m_sound;
    std::unique_ptr<CTesting> m_dialog;
    int m_examerId = 0;
};

void TestTesting::init() {
    m_installation = std::make_unique<hv::test::TestInstallation>();
    WriteStagePictures(m_installation->path());
    m_sink = std::make_unique<hv::test::RecordingSink>();
    m_bus = std::make_unique<hv::SimulatedHidBus>();
    m_sensor = m_bus->AddDevice(hv::CHidDevice::kSensorVendorId, hv::CHidDevice::kSensorProductId);
    m_sensor->SetContactLevel(40);
    m_useBus = std::make_unique<hv::ScopedHidBackend>(*m_bus);
    m_clock = std::make_unique<hv::VirtualScheduler>();
    hv::CAdoDb db;
    QVERIFY(db.Open());
    QVERIFY(db.AddRow("Examer", {{"Name", "Cy Example"}, {"Sex", 0}}));
    m_examerId = db.LastInsertKey();
}

void TestTesting::cleanup() {
    m_dialog.reset();
    m_clock.reset();
    m_useBus.reset();
    m_sensor.reset();
    m_bus.reset();
    m_sink.reset();
    m_installation.reset();
}

CTesting& TestTesting::OpenDialog() {
    m_dialog = std::make_unique<CTesting>(nullptr, CTesting::Options{m_clock.get(), &m_sound});
    hv::IsSensorPresent();
    m_dialog->SetExamerID(m_examerId);
    [&] { QVERIFY(m_dialog->InitDialog()); }();
    m_dialog->show();
    [&] { QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get())); }();
    m_clock->WaitIdle();
    return *m_dialog;
}

void TestTesting::StartWithPrompt(bool accept) {
    ModalDriver driver([accept](QWidget* modal) {
        auto* tip = qobject_cast<CTestTip*>(modal);
        QVERIFY(tip != nullptr);
        (accept ? tip->StartButton() : tip->CancelButton())->click();
    });
    m_dialog->Button(CTesting::IdStart)->click();
    QVERIFY(driver.Handled());
    m_clock->WaitIdle();
}

void TestTesting::RunAndDeliver(std::chrono::milliseconds span) {
    m_clock->RunFor(span);
    QCoreApplication::processEvents();
}

void TestTesting::RunToFinish() {
    QVERIFY(m_clock->RunUntil([&] { return m_dialog->Run().State() == hv::TestRunState::Finished; },
                              200s));
    QCoreApplication::processEvents();
}

// With HALVORET_SCREENSHOTS=<folder> the dialog is saved there as a picture.
void TestTesting::SaveScreenshot(const char* name) {
    const QByteArray folder = qgetenv("HALVORET_SCREENSHOTS");
    if (!folder.isEmpty())
        m_dialog->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') +
                              QLatin1String(name) + QStringLiteral(".png"));
}

void TestTesting::layoutFollowsTheTemplate() {
    CTesting& dialog = OpenDialog();
    QCOMPARE(dialog.size(), QSize(1064, 627));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(dialog.Clip()->geometry(), QRect(16, 40, 305, 469));
    QCOMPARE(dialog.Wave()->geometry(), QRect(383, 52, 421, 221));
    QCOMPARE(dialog.Meter(CTesting::IdMeterLeft)->geometry(), QRect(345, 400, 150, 95));
    QCOMPARE(dialog.Meter(CTesting::IdMeterRight)->geometry(), QRect(873, 400, 150, 95));
    QCOMPARE(dialog.StagePictureControl()->geometry(), QRect(841, 55, 207, 221));
    const std::pair<CTesting::Control, QString> buttons[] = {
        {CTesting::IdStart, QStringLiteral("Start(&R)")},
        {CTesting::IdCancel, QStringLiteral("Cancel(&C)")},
        {CTesting::IdSave, QStringLiteral("Save(&S)")},
        {CTesting::IdExit, QStringLiteral("Exit(&E)")}};
    int x = 350;
    for (const auto& [id, text] : buttons) {
        CBtnIcon* button = dialog.Button(id);
        QCOMPARE(button->geometry(), QRect(x, 542, 145, 45));
        QCOMPARE(button->text(), text);
        QCOMPARE(button->font().pixelSize(), 20);
        QCOMPARE(button->font().weight(), QFont::Black);
        x += 175;
    }
    QCOMPARE(ButtonStates(dialog), QStringLiteral("S--E"));
    QCOMPARE(dialog.Button(CTesting::IdCancel)->CurrentFaceId(), 228);
    QCOMPARE(dialog.Button(CTesting::IdStart)->CurrentFaceId(), 194);
    QVERIFY(dialog.Meter(CTesting::IdMeterLeft)->BandsOn());
    QCOMPARE(dialog.ShownStagePicture(), 0);
    QCOMPARE(ShownStageColour(dialog), StageColour(0));
    QCOMPARE(dialog.Clip()->CurrentFrame(), 0);
    QVERIFY(!dialog.Clip()->IsPlaying());
    SaveScreenshot("testing-idle");
}

void TestTesting::aWholeTestFromStartToSave() {
    CTesting& dialog = OpenDialog();
    StartWithPrompt();
    QCOMPARE(ButtonStates(dialog), QStringLiteral("-C--"));
    QVERIFY(dialog.IsDisplayTimerActive());
    QVERIFY(dialog.Clip()->IsPlaying());

    RunAndDeliver(20s);
    // Contact from the first poll at 0.2 s: tick 199 at 20 s, stage 4 from tick 150.
    QCOMPARE(dialog.ItemCounter(), 199);
    QCOMPARE(dialog.ShownStagePicture(), 4);
    QCOMPARE(ShownStageColour(dialog), StageColour(4));
    for (int bar : dialog.LevelBars())
        QVERIFY(bar >= 1 && bar <= 99);
    QVERIFY(dialog.Wave()->LinesShown());
    for (int i = 0; i < 30; ++i)
        dialog.OnDisplayTick();
    QCOMPARE(dialog.Trace().Count(), 30);
    QVERIFY(dialog.FieldDigits()[0] >= 1);
    SaveScreenshot("testing-running");

    RunToFinish();
    QCOMPARE(ButtonStates(dialog), QStringLiteral("--V-"));
    QVERIFY(!dialog.IsDisplayTimerActive());
    QVERIFY(!dialog.Clip()->IsPlaying());
    QCOMPARE(dialog.ItemCounter(), 562);
    QCOMPARE(dialog.ShownStagePicture(), 12); // a woman's final picture
    QCOMPARE(ShownStageColour(dialog), StageColour(12));
    QCOMPARE(dialog.Meter(CTesting::IdMeterLeft)->Value(), 0.0);
    QCOMPARE(dialog.FieldDigits(), (std::array<int, 4>{0, 0, 0, 0}));
    QCOMPARE(m_sink->messages,
             std::vector<std::string>{std::string(hv::LoadString(hv::ids::TestingComplete))});
    QCOMPARE(m_sound.Count(), 56);
    SaveScreenshot("testing-finished");

    dialog.Button(CTesting::IdSave)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    hv::CAdoDb db;
    QVERIFY(db.Open());
    QVERIFY(db.OpenRecordset("SELECT MeasValue FROM MeasData WHERE ExamerID=?", {m_examerId}));
    QCOMPARE(db.RecordCount(), std::size_t{1});
    const std::string text = db.GetText("MeasValue");
    QCOMPARE(std::count(text.begin(), text.end(), '-'), 128);
}

void TestTesting::declinedPromptStartsNothing() {
    CTesting& dialog = OpenDialog();
    StartWithPrompt(false);
    QCOMPARE(ButtonStates(dialog), QStringLiteral("S--E"));
    QCOMPARE(dialog.Run().State(), hv::TestRunState::Idle);
    RunAndDeliver(5s);
    QCOMPARE(dialog.ItemCounter(), 0);
    QVERIFY(!dialog.IsDisplayTimerActive());
}

void TestTesting::cancelClearsTheDisplaysAndDropsLateTicks() {
    CTesting& dialog = OpenDialog();
    StartWithPrompt();
    RunAndDeliver(6s);
    dialog.OnDisplayTick();
    QVERIFY(dialog.ItemCounter() > 0);
    m_clock->RunFor(2s); // ticks under way, not yet delivered
    dialog.Button(CTesting::IdCancel)->click();
    QCoreApplication::processEvents();

    QCOMPARE(ButtonStates(dialog), QStringLiteral("S--E"));
    QCOMPARE(dialog.ItemCounter(), 0);
    QCOMPARE(dialog.LevelBars(), (std::array<int, 4>{0, 0, 0, 0}));
    QCOMPARE(dialog.Trace().Count(), 0);
    QVERIFY(!dialog.Wave()->LinesShown());
    QCOMPARE(dialog.ShownStagePicture(), 0);
    QCOMPARE(dialog.Meter(CTesting::IdMeterRight)->Value(), 0.0);
    QVERIFY(!dialog.IsDisplayTimerActive());
    QVERIFY(!dialog.Clip()->IsPlaying());
    // The sensor got the reset report: dark bar, digits 0.
    const auto last = m_sensor->WrittenReports().back();
    QCOMPARE(int(last[hv::report::kBarPattern]), 0);
    QCOMPARE(int(last[hv::report::kUnitsDigit]) + int(last[hv::report::kTensDigit]), 0);

    // Started again, the counter restarts.
    StartWithPrompt();
    RunAndDeliver(1s);
    QVERIFY(dialog.ItemCounter() > 0 && dialog.ItemCounter() <= 11);
}

void TestTesting::displayTickDrawsOnlyWithContact() {
    m_sensor->SetContactLevel(0);
    CTesting& dialog = OpenDialog();
    StartWithPrompt();
    RunAndDeliver(3s);
    dialog.OnDisplayTick();
    QCOMPARE(dialog.Trace().Count(), 0);
    QCOMPARE(dialog.ItemCounter(), 0);
    m_sensor->SetContactLevel(96); // still no contact
    RunAndDeliver(1s);
    dialog.OnDisplayTick();
    QCOMPARE(dialog.Trace().Count(), 0);
    m_sensor->SetContactLevel(95);
    RunAndDeliver(1s);
    dialog.OnDisplayTick();
    QCOMPARE(dialog.Trace().Count(), 1);
    QVERIFY(dialog.ItemCounter() > 0);
}

void TestTesting::counterShowsBlanksBeforeTheFirstDigit() {
    CTesting& dialog = OpenDialog();
    StartWithPrompt();
    QVERIFY(m_clock->RunUntil(
        [&] {
            QCoreApplication::processEvents();
            return dialog.ItemCounter() >= 5;
        },
        10s));
    QCOMPARE(dialog.ItemCounter(), 5);
    const QImage image = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The middle segment of each digit: the units digit 5 lights it, the blanks do not.
    QCOMPARE(image.pixelColor(457 + 6, 338 + 19), QColor(0, 255, 0));
    QCOMPARE(image.pixelColor(425 + 6, 338 + 19), QColor(0, 85, 0));
    QCOMPARE(image.pixelColor(393 + 6, 338 + 19), QColor(0, 85, 0));
    // The four red digits are 0 before the first display tick: middle segment unlit.
    QCOMPARE(image.pixelColor(892 + 6, 345 + 19), QColor(85, 0, 0));
}

void TestTesting::missingOrBrokenStagePictureLeavesTheLastOne() {
    const auto images = m_installation->path() / "Image";
    std::filesystem::remove(images / "01-2.000");
    {
        std::ofstream broken(images / "02-2.000", std::ios::binary | std::ios::trunc);
        broken << "GIF89a\x10\x00\x10\x00";
    }
    CTesting& dialog = OpenDialog();
    StartWithPrompt();
    RunAndDeliver(6s); // ticks 10 and 50 passed: stages 1 and 2
    QCOMPARE(dialog.ShownStagePicture(), 0);
    QCOMPARE(ShownStageColour(dialog), StageColour(0));
    RunAndDeliver(5s); // tick 100: stage 3 is fine
    QCOMPARE(dialog.ShownStagePicture(), 3);
    QCOMPARE(ShownStageColour(dialog), StageColour(3));
}

void TestTesting::escapeAndEnterFollowTheButtons() {
    CTesting& dialog = OpenDialog();
    {
        // Enter is Start while Start is enabled.
        ModalDriver driver(
            [](QWidget* modal) { qobject_cast<CTestTip*>(modal)->CancelButton()->click(); });
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(driver.Handled());
    }
    StartWithPrompt();
    QTest::keyClick(&dialog, Qt::Key_Escape); // Exit is disabled while running
    QVERIFY(dialog.isVisible());
    dialog.Button(CTesting::IdCancel)->click();
    const std::size_t writes = m_sensor->WrittenReports().size();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(m_sensor->WrittenReports().size() > writes); // Exit's reset report
}

void TestTesting::unpluggedSensorStopsTheTestUntilCancel() {
    CTesting& dialog = OpenDialog();
    StartWithPrompt();
    RunAndDeliver(3s);
    const int ticks = dialog.ItemCounter();
    m_sensor->Unplug();
    RunAndDeliver(120s);
    QVERIFY(dialog.ItemCounter() <= ticks + 2);
    QCOMPARE(ButtonStates(dialog), QStringLiteral("-C--"));
    QVERIFY(m_sink->messages.empty());
    dialog.Button(CTesting::IdCancel)->click();
    QCOMPARE(ButtonStates(dialog), QStringLiteral("S--E"));
}

void TestTesting::runForPersonRefusesWithoutSensor() {
    m_sensor->Unplug();
    ModalDriver driver([](QWidget* modal) { modal->close(); });
    QVERIFY(!CTesting::RunForPerson(nullptr, m_examerId, {m_clock.get(), &m_sound}));
    QVERIFY(!driver.Handled()); // no dialog was opened
    QCOMPARE(m_sink->messages,
             std::vector<std::string>{std::string(hv::LoadString(hv::ids::HardwareNotFound))});
}

void TestTesting::runForPersonEndsAtOnceWithoutDatabase() {
    std::filesystem::remove(m_installation->databasePath());
    ModalDriver driver([](QWidget* modal) { modal->close(); });
    QVERIFY(!CTesting::RunForPerson(nullptr, m_examerId, {m_clock.get(), &m_sound}));
    QVERIFY(!driver.Handled());
    QCOMPARE(m_sink->messages.size(), std::size_t{1}); // the connection error
}

void TestTesting::runForPersonReturnsWhetherATestWasSaved() {
    // The dialog's own Exit: nothing saved.
    ModalDriver exitDriver([](QWidget* modal) {
        auto* dialog = qobject_cast<CTesting*>(modal);
        QVERIFY(dialog != nullptr);
        dialog->Button(CTesting::IdExit)->click();
    });
    QVERIFY(!CTesting::RunForPerson(nullptr, m_examerId, {m_clock.get(), &m_sound}));
    QVERIFY(exitDriver.Handled());
}

void TestTesting::theDemonstrationSensorIsNamedOnTheDialog() {
    QVERIFY(OpenDialog().DemoBanner().isEmpty()); // a sensor of this test, not the demonstration's
    m_dialog.reset();
    hv::UseDemoSensor();
    CTesting& dialog = OpenDialog();
    QVERIFY2(dialog.DemoBanner().contains(QStringLiteral("the sensor is simulated")),
             qPrintable(dialog.DemoBanner()));
    auto* banner = dialog.findChild<QLabel*>(QStringLiteral("demoBanner"));
    QVERIFY(banner && banner->isVisible());
    QVERIFY(dialog.rect().contains(banner->geometry()));
    SaveScreenshot("test-demo");
}

QTEST_MAIN(TestTesting)

#include "tst_testing.moc"
