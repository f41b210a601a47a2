#pragma once

#include "testing/TestRun.h"
#include "testing/TraceModel.h"
#include "ui/testing/CTestingOptions.h"

#include <QDialog>
#include <QMetaType>
#include <QTimer>
#include <array>
#include <atomic>
#include <memory>

class CAnimateClip;
class CBtnIcon;
class CMainWave;
class CMeter;
class CPictureEx;
class QLabel;
class SoundEffectPlayer;

Q_DECLARE_METATYPE(hv::ContactTickReport)

// The test dialog: a captionless 1064 x 627 window in which one test of one person runs.
// Start asks the prompt and starts the test; the sensor's contact drives the displays
// until 563 ticks of contact complete it; Save stores it. What the test's workers report
// reaches the displays through queued signals, so only the user-interface thread draws.
class CTesting : public QDialog {
    Q_OBJECT

public:
    // Control ids of the dialog.
    enum Control {
        IdStart = 1,
        IdExit = 2,
        IdCancel = 1075,
        IdSave = 1076,
        IdStagePicture = 1078,
        IdMeterLeft = 1143,
        IdMeterRight = 1144,
        IdClip = 1146,
        IdWave = 1147,
    };

    using Options = CTestingOptions;

    // Constructing the dialog sets the sensor's report to its starting values.
    explicit CTesting(QWidget* parent = nullptr, Options options = {});
    ~CTesting() override;

    // The toolbar's Testing command for a selected person: checks that the sensor is
    // there (showing the hardware message when it is not) and runs the dialog. True when a
    // test was saved.
    static bool RunForPerson(QWidget* parent, int examerId, Options options = {});

    void SetExamerID(int examerId);
    int ExamerID() const;

    // Reads the person, shows the first clip frame and stage picture and starts polling
    // the sensor. False when the person cannot be read: the dialog then ends at once.
    bool InitDialog();
    int exec() override;

    // For tests and the screenshots.
    CBtnIcon* Button(Control id) const;
    CMeter* Meter(Control id) const;
    CMainWave* Wave() const { return m_pWave; }
    CPictureEx* StagePictureControl() const { return m_pStagePicture; }
    CAnimateClip* Clip() const { return m_pClip; }
    const hv::TestRun& Run() const { return *m_pRun; }
    int ItemCounter() const { return m_nItemCounter; }
    const std::array<int, 4>& LevelBars() const { return m_levelBars; }
    const std::array<int, 4>& FieldDigits() const { return m_fieldDigits; }
    const hv::TraceModel& Trace() const { return m_trace; }
    int ShownStagePicture() const { return m_nStagePicture; }
    bool IsDisplayTimerActive() const { return m_displayTimer.isActive(); }
    // The notice shown while the demonstration's simulated sensor serves; empty otherwise.
    QString DemoBanner() const;

public slots:
    // Timer 1: new numbers for the red digits, the gauges and the trace while there is
    // contact.
    void OnDisplayTick();
    void reject() override;

signals:
    void ContactTicked(const hv::ContactTickReport& report, int generation);
    void TestFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Bridge;

    void CreateControls();
    void CreateDemoBanner();
    void OnStart();
    void OnCancel();
    void OnSave();
    void OnExit();
    void OnContactTick(const hv::ContactTickReport& report, int generation);
    void OnTestFinished();
    void ShowStageImage(int picture);
    void ResetDisplays();
    void SetButtons(bool start, bool cancel, bool save, bool exit);
    void DrawLevelBars(QPainter& painter) const;
    void DrawItemCounter(QPainter& painter) const;
    void DrawFieldIndicator(QPainter& painter) const;
    void DrawTrace(QPainter& painter) const;

    std::unique_ptr<SoundEffectPlayer> m_pOwnSound;
    std::unique_ptr<Bridge> m_pBridge;
    std::unique_ptr<hv::TestRun> m_pRun;
    std::atomic<int> m_nGeneration{0}; // ticks of a cancelled test are not shown
    bool m_bInitialised = false;

    CBtnIcon* m_pStart = nullptr;
    CBtnIcon* m_pCancel = nullptr;
    CBtnIcon* m_pSave = nullptr;
    CBtnIcon* m_pExit = nullptr;
    CPictureEx* m_pStagePicture = nullptr;
    CMeter* m_pMeterLeft = nullptr;
    CMeter* m_pMeterRight = nullptr;
    CAnimateClip* m_pClip = nullptr;
    CMainWave* m_pWave = nullptr;
    QLabel* m_pDemoBanner = nullptr;
    QTimer m_displayTimer;

    int m_nStagePicture = -1;
    int m_nItemCounter = 0;
    std::array<int, 4> m_levelBars{};
    std::array<int, 4> m_fieldDigits{};
    hv::TraceModel m_trace;
};
