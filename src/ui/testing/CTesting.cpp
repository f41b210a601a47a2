#include "ui/testing/CTesting.h"

#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "data/StringTable.h"
#include "testing/Readouts.h"
#include "testing/SensorShared.h"
#include "testing/SimulatedHid.h"
#include "ui/testing/CAnimateClip.h"
#include "ui/testing/CMainWave.h"
#include "ui/testing/CMeter.h"
#include "ui/testing/CTestTip.h"
#include "ui/testing/SoundEffectPlayer.h"
#include "ui/widgets/CBtnIcon.h"
#include "ui/widgets/CPictureEx.h"
#include "ui/widgets/Pictures.h"
#include "ui/widgets/UiText.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace {

constexpr QSize kDialogSize(1064, 627);
constexpr int kBackground = 142;
constexpr int kFaceNormal = 194;
constexpr int kFacePressed = 227;
constexpr int kFaceDisabled = 228;
constexpr int kFirstIcon = 186;
constexpr int kFirstDisabledIcon = 190;
constexpr int kDisplayTickMs = 100;
constexpr int kButtonFontPixels = 20;
constexpr int kClipFrameWidth = 305;
const char* const kClipPicture = ":/bitmaps/clip185.png";

// Level bars: four rows of a 280-pixel bar with its caps, colour sets from bitmap 195 on.
constexpr int kBarsLeft = 24;
constexpr int kBarsTop = 520;
constexpr int kBarsPitch = 24;
constexpr int kBarWidth = 280;
constexpr int kFirstBarBitmap = 195;

// Seven-segment readouts.
constexpr QPoint kCounterDigits[] = {{393, 338}, {425, 338}, {457, 338}};
constexpr int kFieldDigitsX[] = {892, 925, 958, 991};
constexpr int kFieldDigitsY = 345;
const QColor kGreenLit(0, 255, 0), kGreenUnlit(0, 85, 0);
const QColor kRedLit(255, 0, 0), kRedUnlit(85, 0, 0);

// The demonstration notice, in the title band right of the dialog's title.
constexpr QRect kDemoBanner(120, 3, 936, 24);
const QColor kDemoBannerBackground(176, 0, 0);

const QColor kTraceGrid(0, 130, 0);
const QColor kTraceLine(255, 255, 0);

void DrawSegmentDigit(QPainter& painter, int digit, int x, int y, bool red) {
    const std::uint8_t lit = hv::LitSegments(digit);
    painter.setPen(QPen(Qt::black, 1));
    for (int s = 0; s < hv::kSegments; ++s) {
        const auto segment = static_cast<hv::Segment>(s);
        const hv::SegmentShape& shape = hv::SegmentOutline(segment);
        QPolygon polygon;
        for (int i = 0; i < shape.count; ++i)
            polygon << QPoint(x + shape.points[i].x, y + shape.points[i].y);
        const bool on = hv::IsLit(lit, segment);
        painter.setBrush(red ? (on ? kRedLit : kRedUnlit) : (on ? kGreenLit : kGreenUnlit));
        painter.drawPolygon(polygon);
    }
}

} // namespace

// Hands what the test's workers report to the dialog's thread.
class CTesting::Bridge final : public hv::TestRunListener {
public:
    explicit Bridge(CTesting& dialog) : m_dialog(dialog) {}
    void OnContactTick(const hv::ContactTickReport& report) override {
        emit m_dialog.ContactTicked(report, m_dialog.m_nGeneration.load());
    }
    void OnTestFinished() override { emit m_dialog.TestFinished(); }

private:
    CTesting& m_dialog;
};

CTesting::CTesting(QWidget* parent, Options options)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    qRegisterMetaType<hv::ContactTickReport>();
    if (options.sound == nullptr) {
        m_pOwnSound = std::make_unique<SoundEffectPlayer>();
        options.sound = m_pOwnSound.get();
    }
    m_pBridge = std::make_unique<Bridge>(*this);
    m_pRun = std::make_unique<hv::TestRun>(*m_pBridge, *options.sound, options.scheduler);

    setFixedSize(kDialogSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - kDialogSize.width()) / 2,
             area.y() + (area.height() - kDialogSize.height()) / 2);
    }
    CreateControls();

    connect(this, &CTesting::ContactTicked, this, &CTesting::OnContactTick, Qt::QueuedConnection);
    connect(this, &CTesting::TestFinished, this, &CTesting::OnTestFinished, Qt::QueuedConnection);
    m_displayTimer.setInterval(kDisplayTickMs);
    connect(&m_displayTimer, &QTimer::timeout, this, &CTesting::OnDisplayTick);
}

CTesting::~CTesting() {
    // The workers end first: nothing may report to a dialog that is going.
    m_pRun.reset();
}

void CTesting::CreateControls() {
    m_pClip = new CAnimateClip(this);
    m_pClip->setGeometry(16, 40, 305, 469);
    m_pWave = new CMainWave(this);
    m_pWave->setGeometry(383, 52, 421, 221);
    m_pMeterLeft = new CMeter(this);
    m_pMeterLeft->setGeometry(345, 400, 150, 95);
    m_pMeterRight = new CMeter(this);
    m_pMeterRight->setGeometry(873, 400, 150, 95);
    m_pStagePicture = new CPictureEx(this);
    m_pStagePicture->setGeometry(841, 55, 207, 221);

    struct ButtonSpec {
        CBtnIcon** button;
        const char* text;
        int x;
    };
    const ButtonSpec buttons[] = {{&m_pStart, "Start(&R)", 350},
                                  {&m_pCancel, "Cancel(&C)", 525},
                                  {&m_pSave, "Save(&S)", 700},
                                  {&m_pExit, "Exit(&E)", 875}};
    for (int i = 0; i < 4; ++i) {
        auto* button = new CBtnIcon(this);
        button->setGeometry(buttons[i].x, 542, 145, 45);
        button->setText(QString::fromLatin1(buttons[i].text));
        button->SetBitmaps(kFaceNormal, 0, kFacePressed, kFaceDisabled);
        button->SetIcons(kFirstIcon + i, kFirstDisabledIcon + i);
        button->SetPlacement(CBtnIcon::IconLeft);
        *buttons[i].button = button;
    }
    QFont font = m_pStart->font();
    font.setPixelSize(kButtonFontPixels);
    font.setWeight(QFont::Black);
    for (CBtnIcon* button : {m_pStart, m_pCancel, m_pSave, m_pExit})
        button->setFont(font);
    setTabOrder(m_pStart, m_pCancel);
    setTabOrder(m_pCancel, m_pSave);
    setTabOrder(m_pSave, m_pExit);

    connect(m_pStart, &CBtnIcon::clicked, this, &CTesting::OnStart);
    connect(m_pCancel, &CBtnIcon::clicked, this, &CTesting::OnCancel);
    connect(m_pSave, &CBtnIcon::clicked, this, &CTesting::OnSave);
    connect(m_pExit, &CBtnIcon::clicked, this, &CTesting::OnExit);

    if (hv::DemoSensorInUse())
        CreateDemoBanner();

    SetButtons(true, false, false, true);
    m_pMeterLeft->SetScaleColours(true);
    m_pMeterRight->SetScaleColours(true);
}

// In the title band, white on red: a demonstration must never pass for a test.
void CTesting::CreateDemoBanner() {
    m_pDemoBanner = new QLabel(UiText(hv::texts::kDemoSensorBanner), this);
    m_pDemoBanner->setObjectName(QStringLiteral("demoBanner"));
    m_pDemoBanner->setGeometry(kDemoBanner);
    m_pDemoBanner->setAlignment(Qt::AlignCenter);
    m_pDemoBanner->setAutoFillBackground(true);
    QPalette palette = m_pDemoBanner->palette();
    palette.setColor(QPalette::Window, kDemoBannerBackground);
    palette.setColor(QPalette::WindowText, Qt::white);
    m_pDemoBanner->setPalette(palette);
    QFont bold = m_pDemoBanner->font();
    bold.setBold(true);
    m_pDemoBanner->setFont(bold);
}

QString CTesting::DemoBanner() const {
    return m_pDemoBanner ? m_pDemoBanner->text() : QString();
}

bool CTesting::RunForPerson(QWidget* parent, int examerId, Options options) {
    CTesting dialog(parent, options);
    if (!hv::IsSensorPresent()) {
        hv::ShowMessage(hv::ids::HardwareNotFound);
        return false;
    }
    dialog.SetExamerID(examerId);
    return dialog.exec() == QDialog::Accepted;
}

void CTesting::SetExamerID(int examerId) {
    m_pRun->SetExamerID(examerId);
}

int CTesting::ExamerID() const {
    return m_pRun->ExamerID();
}

bool CTesting::InitDialog() {
    if (m_bInitialised)
        return true;
    if (!m_pRun->LoadPerson())
        return false;
    m_pClip->Open(QPixmap(QString::fromLatin1(kClipPicture)), kClipFrameWidth);
    ShowStageImage(hv::TestRun::kIdleStage);
    m_pRun->StartPolling();
    m_bInitialised = true;
    return true;
}

int CTesting::exec() {
    if (!InitDialog()) {
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

CBtnIcon* CTesting::Button(Control id) const {
    switch (id) {
    case IdStart:
        return m_pStart;
    case IdCancel:
        return m_pCancel;
    case IdSave:
        return m_pSave;
    case IdExit:
        return m_pExit;
    default:
        return nullptr;
    }
}

CMeter* CTesting::Meter(Control id) const {
    return id == IdMeterLeft ? m_pMeterLeft : id == IdMeterRight ? m_pMeterRight : nullptr;
}

void CTesting::SetButtons(bool start, bool cancel, bool save, bool exit) {
    m_pStart->setEnabled(start);
    m_pCancel->setEnabled(cancel);
    m_pSave->setEnabled(save);
    m_pExit->setEnabled(exit);
}

void CTesting::OnStart() {
    if (!m_pStart->isEnabled())
        return;
    CTestTip tip(this);
    if (tip.exec() != QDialog::Accepted)
        return;
    m_pRun->Start();
    m_displayTimer.start();
    SetButtons(false, true, false, false);
    m_pCancel->setFocus();
    m_pClip->Play();
}

void CTesting::OnCancel() {
    m_pRun->Cancel();
    ++m_nGeneration; // what the stopped test still had under way is not shown
    m_displayTimer.stop();
    ResetDisplays();
    SetButtons(true, false, false, true);
    m_pStart->setFocus();
    m_pClip->Stop();
    ShowStageImage(hv::TestRun::kIdleStage);
    m_pMeterLeft->SetValue(0.0);
    m_pMeterRight->SetValue(0.0);
}

void CTesting::OnSave() {
    const bool stored = m_pRun->Save();
    done(stored ? QDialog::Accepted : QDialog::Rejected);
}

void CTesting::OnExit() {
    m_pRun->Exit();
    done(QDialog::Rejected);
}

// Escape and the window's close request act as Exit while Exit is available.
void CTesting::reject() {
    if (m_pExit->isEnabled())
        OnExit();
}

void CTesting::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (m_pStart->isEnabled())
            m_pStart->click(); // Start is the dialog's default command
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CTesting::OnContactTick(const hv::ContactTickReport& report, int generation) {
    if (generation != m_nGeneration.load())
        return; // sent before a Cancel that has already cleared the displays
    if (report.wave)
        m_pWave->AddStep(*report.wave);
    if (report.levelBars)
        m_levelBars = *report.levelBars;
    if (report.stagePicture)
        ShowStageImage(*report.stagePicture);
    m_nItemCounter = report.tick;
    update();
}

void CTesting::OnTestFinished() {
    if (m_pRun->State() != hv::TestRunState::Finished)
        return;
    m_displayTimer.stop();
    SetButtons(false, false, true, false);
    m_pSave->setFocus();
    m_pClip->Stop();
    ShowStageImage(m_pRun->FinalStagePicture());
    m_pMeterLeft->SetValue(0.0);
    m_pMeterRight->SetValue(0.0);
    m_fieldDigits = {};
    update();
    hv::ShowMessage(hv::ids::TestingComplete);
}

void CTesting::OnDisplayTick() {
    hv::DisplayTickValues values;
    if (!m_pRun->DisplayTick(values))
        return;
    m_fieldDigits = values.fieldDigits;
    m_pMeterLeft->SetValue(values.meters[0]);
    m_pMeterRight->SetValue(values.meters[1]);
    m_trace.AddColumn(values.traceLength);
    update();
}

void CTesting::ShowStageImage(int picture) {
    const QString path = QString::fromStdString(hv::TestRun::StagePicturePath(picture));
    if (!m_pStagePicture->Load(path))
        return; // a missing or unreadable picture leaves the last one shown
    m_pStagePicture->Draw();
    m_nStagePicture = picture;
}

void CTesting::ResetDisplays() {
    m_pWave->Reset();
    m_trace.Clear();
    m_levelBars = {};
    m_nItemCounter = 0;
    m_fieldDigits = {};
    update();
}

// The displays draw from their models, so a repaint (the dialog covered and uncovered)
// shows the test as it stands instead of blanking the trace, bars and counters.
void CTesting::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap background = BitmapPicture(kBackground);
    if (background.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawPixmap(0, 0, background);
    DrawLevelBars(painter);
    DrawItemCounter(painter);
    DrawFieldIndicator(painter);
    DrawTrace(painter);
}

void CTesting::DrawLevelBars(QPainter& painter) const {
    for (int k = 0; k < 4; ++k) {
        const int y = kBarsTop + kBarsPitch * k;
        const int bitmaps = kFirstBarBitmap + 4 * k;
        painter.drawPixmap(kBarsLeft, y, BitmapPicture(bitmaps));
        const int value = m_levelBars[k];
        const hv::LevelBarLayout bar = hv::LayOutLevelBar(value);
        if (bar.filled) {
            painter.drawPixmap(kBarsLeft, y, BitmapPicture(bitmaps + 1));
            const QPixmap fill = BitmapPicture(bitmaps + 2);
            painter.drawPixmap(QRect(kBarsLeft + 2, y, bar.fillWidth, fill.height()), fill);
            if (bar.rightCap)
                painter.drawPixmap(kBarsLeft + kBarWidth - 2, y, BitmapPicture(bitmaps + 3));
        }
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(kBarsLeft, y + 1, kBarWidth, 10),
                         Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                         QStringLiteral("%1%").arg(value));
    }
}

void CTesting::DrawItemCounter(QPainter& painter) const {
    const std::array<int, 3> digits = hv::ItemCounterDigits(m_nItemCounter);
    for (int i = 0; i < 3; ++i)
        DrawSegmentDigit(painter, digits[i], kCounterDigits[i].x(), kCounterDigits[i].y(), false);
}

void CTesting::DrawFieldIndicator(QPainter& painter) const {
    for (int i = 0; i < 4; ++i)
        DrawSegmentDigit(painter, m_fieldDigits[i], kFieldDigitsX[i], kFieldDigitsY, true);
}

void CTesting::DrawTrace(QPainter& painter) const {
    using T = hv::TraceModel;
    painter.fillRect(T::kLeft, T::kTop, T::kWidth, T::kHeight, Qt::black);
    painter.setPen(QPen(kTraceGrid, 1));
    for (int y = T::kTop; y < T::kTop + 168; y += 21)
        painter.drawLine(T::kLeft, y, T::kLeft + T::kWidth, y);
    for (int x = T::kLeft; x < T::kLeft + 304; x += 19)
        painter.drawLine(x, T::kTop, x, T::kBottom);
    painter.setPen(QPen(kTraceLine, 1));
    for (const T::DrawnColumn& column : m_trace.VisibleColumns())
        painter.drawLine(column.x, column.top, column.x, column.bottom);
}
