#include "GifBuilder.h"
#include "TempDir.h"
#include "testing/Readouts.h"
#include "ui/testing/CAnimateClip.h"
#include "ui/testing/CMainWave.h"
#include "ui/testing/CMeter.h"
#include "ui/widgets/CPictureEx.h"

#include <QPainter>
#include <QtTest>
#include <cmath>
#include <condition_variable>
#include <mutex>

namespace {

using hv::test::GifBuilder;
using hv::test::GifImage;

// Frames advance only when the test says so; the delays asked for are recorded.
class StepPacer final : public CPictureEx::FramePacer {
public:
    bool Wait(int ms) override {
        std::unique_lock lock(m_mutex);
        m_waits.push_back(ms);
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_released > 0 || m_interrupted; });
        if (m_interrupted)
            return false;
        --m_released;
        return true;
    }
    void Interrupt() override {
        std::lock_guard lock(m_mutex);
        m_interrupted = true;
        ++m_interrupts;
        m_changed.notify_all();
    }
    void Rearm() override {
        std::lock_guard lock(m_mutex);
        m_interrupted = false;
    }
    // Waits until the animation has asked for its n-th wait.
    void AwaitWaits(std::size_t n) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_waits.size() >= n; });
    }
    // Ends one wait and waits until the next one begins.
    void Step() {
        std::size_t next = 0;
        {
            std::lock_guard lock(m_mutex);
            ++m_released;
            next = m_waits.size() + 1;
            m_changed.notify_all();
        }
        AwaitWaits(next);
    }
    std::vector<int> Waits() {
        std::lock_guard lock(m_mutex);
        return m_waits;
    }
    int Interrupts() {
        std::lock_guard lock(m_mutex);
        return m_interrupts;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<int> m_waits;
    int m_released = 0;
    bool m_interrupted = false;
    int m_interrupts = 0;
};

const std::vector<hv::test::Rgb> kPalette{{255, 255, 255}, {255, 0, 0}, {0, 160, 0}, {0, 0, 255}};
const QColor kRed(255, 0, 0), kGreen(0, 160, 0), kBlue(0, 0, 255);

QByteArray Bytes(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

// Frames of solid colours 1, 2, 3, ... with the given delays.
QByteArray Animation(const std::vector<int>& delays) {
    GifBuilder gif(8, 6, kPalette);
    for (std::size_t i = 0; i < delays.size(); ++i)
        gif.Image(GifImage::Solid(8, 6, static_cast<std::uint8_t>(1 + i % 3), delays[i]));
    return Bytes(gif.Bytes());
}

QColor PixelOf(const QImage& image, int x, int y) {
    return image.pixelColor(x, y).toRgb();
}

bool HasColour(const QImage& image, const QColor& colour) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (rgb.pixelColor(x, y) == colour)
                return true;
    return false;
}

} // namespace

class TestTestingWidgets : public QObject {
    Q_OBJECT

private slots:
    void pictureOneFrameGifIsStillWithoutThread();
    void pictureShortDelaysShowForATenthOfASecond();
    void pictureDisposalRestoresBackgroundOrPrevious();
    void pictureRestartsWithBackgroundAfterLastFrame();
    void pictureReloadStopsTheOldAnimationFirst();
    void pictureDetectsTheFormatFromTheContents();
    void pictureBadDataLeavesTheShownPicture();
    void meterFaceIsDrawnOnceAndCached();
    void meterShowsItsBandsAndMovesTheNeedle();
    void waveShowsGridThenLinesUntilReset();
    void clipShowsFirstFrameAndPlaysInTurn();
};

void TestTestingWidgets::pictureOneFrameGifIsStillWithoutThread() {
    CPictureEx picture;
    QVERIFY(picture.LoadFromMemory(
        Bytes(GifBuilder(5, 4, kPalette).Image(GifImage::Solid(5, 4, 3, 50)).Bytes())));
    QCOMPARE(picture.size(), QSize(5, 4)); // the control takes the picture's size
    QCOMPARE(picture.FrameCount(), 0);     // a single picture, not a frame list
    QVERIFY(picture.Draw());
    QVERIFY(!picture.IsPlaying());
    QCOMPARE(PixelOf(picture.Surface(), 2, 2), kBlue);
}

void TestTestingWidgets::pictureShortDelaysShowForATenthOfASecond() {
    auto pacer = std::make_shared<StepPacer>();
    CPictureEx picture;
    picture.SetFramePacer(pacer);
    QVERIFY(picture.LoadFromMemory(Animation({0, 1, 4, 5, 50, 200})));
    QCOMPARE(picture.FrameCount(), 6);
    QVERIFY(picture.Draw());
    QVERIFY(picture.IsPlaying());
    pacer->AwaitWaits(1);
    for (int i = 0; i < 5; ++i)
        pacer->Step();
    QCOMPARE(pacer->Waits(), (std::vector<int>{100, 100, 100, 50, 500, 2000}));
    QCOMPARE(picture.CurrentFrame(), 5);
    picture.Stop();
    QVERIFY(!picture.IsPlaying());
}

void TestTestingWidgets::pictureDisposalRestoresBackgroundOrPrevious() {
    // A red full frame, then a green patch that restores the background, then a blue
    // patch that restores what was there before it.
    GifImage patch = GifImage::Solid(2, 2, 2, 10, 2);
    patch.left = 1;
    patch.top = 1;
    GifImage previous = GifImage::Solid(2, 2, 3, 10, 3);
    previous.left = 4;
    previous.top = 2;
    const QByteArray gif = Bytes(GifBuilder(8, 6, kPalette)
                                     .Image(GifImage::Solid(8, 6, 1, 10))
                                     .Image(patch)
                                     .Image(previous)
                                     .Image(GifImage::Solid(1, 1, 1, 10))
                                     .Bytes());
    auto pacer = std::make_shared<StepPacer>();
    CPictureEx picture;
    picture.SetFramePacer(pacer);
    QVERIFY(picture.LoadFromMemory(gif));
    QVERIFY(picture.Draw());
    pacer->AwaitWaits(1);
    pacer->Step(); // frame 1 shown
    QCOMPARE(PixelOf(picture.Surface(), 1, 1), kGreen);
    QCOMPARE(PixelOf(picture.Surface(), 5, 3), kRed);
    pacer->Step(); // frame 1 disposed to the background, frame 2 shown
    QCOMPARE(PixelOf(picture.Surface(), 1, 1), picture.BackgroundColour().toRgb());
    QCOMPARE(PixelOf(picture.Surface(), 5, 3), kBlue);
    pacer->Step(); // frame 2 disposed: the red under it is back
    QCOMPARE(PixelOf(picture.Surface(), 5, 3), kRed);
}

void TestTestingWidgets::pictureRestartsWithBackgroundAfterLastFrame() {
    // A red corner, then a blue frame over everything; the next round starts afresh.
    const QByteArray gif = Bytes(GifBuilder(8, 6, kPalette)
                                     .Image(GifImage::Solid(2, 2, 1, 10))
                                     .Image(GifImage::Solid(8, 6, 3, 10))
                                     .Bytes());
    auto pacer = std::make_shared<StepPacer>();
    CPictureEx picture;
    picture.SetFramePacer(pacer);
    QVERIFY(picture.LoadFromMemory(gif));
    QVERIFY(picture.Draw());
    pacer->AwaitWaits(1);
    pacer->Step();
    QCOMPARE(PixelOf(picture.Surface(), 5, 3), kBlue);
    pacer->Step(); // back to frame 0 on a surface cleared to the background
    QCOMPARE(picture.CurrentFrame(), 0);
    QCOMPARE(PixelOf(picture.Surface(), 0, 0), kRed);
    QCOMPARE(PixelOf(picture.Surface(), 5, 3), picture.BackgroundColour().toRgb());
}

void TestTestingWidgets::pictureReloadStopsTheOldAnimationFirst() {
    auto pacer = std::make_shared<StepPacer>();
    CPictureEx picture;
    picture.SetFramePacer(pacer);
    QVERIFY(picture.LoadFromMemory(Animation({10, 10, 10})));
    QVERIFY(picture.Draw());
    pacer->AwaitWaits(1);
    QVERIFY(picture.LoadFromMemory(Animation({20, 20})));
    QCOMPARE(pacer->Interrupts(), 1); // the old thread was told to stop and has ended
    QVERIFY(!picture.IsPlaying());
    QCOMPARE(picture.FrameCount(), 2);
    QCOMPARE(picture.CurrentFrame(), 0);
    QVERIFY(picture.Draw());
    pacer->AwaitWaits(2);
    QCOMPARE(pacer->Waits().back(), 200);
}

void TestTestingWidgets::pictureDetectsTheFormatFromTheContents() {
    hv::test::TempDir dir;
    const QString path = QString::fromStdString(dir.file("05-2.000"));
    QImage jpeg(40, 30, QImage::Format_RGB32);
    jpeg.fill(QColor(20, 90, 200));
    QVERIFY(jpeg.save(path, "JPG"));
    CPictureEx picture;
    QVERIFY(picture.Load(path));
    QVERIFY(!picture.IsGif());
    QCOMPARE(picture.PictureSize(), QSize(40, 30));
    QVERIFY(picture.Draw());
    const QColor shown = PixelOf(picture.Surface(), 20, 15);
    QVERIFY(std::abs(shown.red() - 20) < 8 && std::abs(shown.blue() - 200) < 8);
}

void TestTestingWidgets::pictureBadDataLeavesTheShownPicture() {
    CPictureEx picture;
    QVERIFY(!picture.Draw()); // nothing loaded yet
    QVERIFY(picture.LoadFromMemory(
        Bytes(GifBuilder(4, 4, kPalette).Image(GifImage::Solid(4, 4, 2)).Bytes())));
    QVERIFY(picture.Draw());
    const QImage before = picture.Surface();

    const auto gif = GifBuilder(4, 4, kPalette).Image(GifImage::Solid(4, 4, 1)).Bytes();
    const QByteArray bad[] = {
        QByteArray("not a picture at all"),
        Bytes(std::vector<std::uint8_t>(gif.begin(), gif.begin() + 20)), // no frame left
        QByteArray("GIF89a"),
        QByteArray(),
    };
    for (const QByteArray& data : bad) {
        QVERIFY(!picture.LoadFromMemory(data));
        QVERIFY(picture.IsLoaded());
        QCOMPARE(picture.Surface(), before);
    }
    QVERIFY(!picture.Load(QStringLiteral("/nonexistent/Image/07-2.000")));
    QCOMPARE(picture.Surface(), before);
}

void TestTestingWidgets::meterFaceIsDrawnOnceAndCached() {
    CMeter meter;
    meter.resize(150, 95);
    meter.SetScaleColours(true);
    for (double value : {0.0, 7.5, 14.0, 28.0}) {
        meter.SetValue(value);
        meter.grab();
    }
    QCOMPARE(meter.FaceDrawCount(), 1);
    QVERIFY(meter.HasFaceCache());
    meter.SetNeedleColour(Qt::darkRed); // a setting discards the face
    QVERIFY(!meter.HasFaceCache());
    meter.grab();
    QCOMPARE(meter.FaceDrawCount(), 2);
    meter.resize(160, 100); // so does a new size
    meter.grab();
    QCOMPARE(meter.FaceDrawCount(), 3);
}

void TestTestingWidgets::meterShowsItsBandsAndMovesTheNeedle() {
    CMeter meter;
    meter.resize(150, 95);
    meter.SetScaleColours(true);
    meter.SetValue(0.0);
    const QImage atZero = meter.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor bands[] = {QColor(255, 255, 0), QColor(0, 255, 0), QColor(255, 0, 0),
                            QColor(255, 183, 34)};
    const hv::MeterGeometry g = meter.Geometry();
    for (int band = 0; band < 4; ++band) {
        const double angle = (160.0 - 17.5 - 35.0 * band) * M_PI / 180.0;
        const int x = static_cast<int>(std::lround(g.Centre().x + 57 * std::cos(angle)));
        const int y = static_cast<int>(std::lround(g.Centre().y - 57 * std::sin(angle)));
        QCOMPARE(atZero.pixelColor(x, y), bands[band]);
    }
    meter.SetValue(28.0);
    const QImage atEnd = meter.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The needle swings from the left end of the scale to the right end.
    const auto differs = [&](int x0, int x1) {
        for (int y = 0; y < 95; ++y)
            for (int x = x0; x < x1; ++x)
                if (atZero.pixel(x, y) != atEnd.pixel(x, y))
                    return true;
        return false;
    };
    QVERIFY(differs(20, 60));
    QVERIFY(differs(90, 130));
    QVERIFY(HasColour(atEnd, QColor(Qt::white))); // labels and the hub's centre
}

void TestTestingWidgets::waveShowsGridThenLinesUntilReset() {
    CMainWave wave;
    wave.resize(421, 221);
    QImage image = wave.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.pixelColor(100, 20), QColor(0, 130, 0));
    QCOMPARE(image.pixelColor(100, 30), QColor(Qt::black));
    QCOMPARE(image.pixelColor(0, 100), QColor(0, 130, 0));
    QCOMPARE(image.pixelColor(420, 100), QColor(0, 130, 0));

    hv::WaveStep step;
    for (int i = 0; i < 80; ++i) {
        for (int line = 0; line < 4; ++line) {
            step.dx[line] = (7 * i + 13 * line) % 60;
            step.dy[line] = 1 + (11 * i + 5 * line) % 60;
        }
        wave.AddStep(step);
    }
    image = wave.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(HasColour(image, QColor(255, 0, 0)));
    QVERIFY(HasColour(image, QColor(255, 0, 255)));
    wave.Reset();
    image = wave.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(!HasColour(image, QColor(255, 0, 0)));
    QCOMPARE(wave.Model().Count(0), 80); // the points stay for the next step
}

void TestTestingWidgets::clipShowsFirstFrameAndPlaysInTurn() {
    QPixmap strip(30, 10);
    QPainter painter(&strip);
    painter.fillRect(0, 0, 10, 10, Qt::red);
    painter.fillRect(10, 0, 10, 10, Qt::green);
    painter.fillRect(20, 0, 10, 10, Qt::blue);
    painter.end();
    CAnimateClip clip;
    clip.resize(10, 10);
    QVERIFY(clip.Open(strip, 10));
    QCOMPARE(clip.FrameCount(), 3);
    QCOMPARE(clip.grab().toImage().pixelColor(5, 5), QColor(Qt::red));
    clip.Play();
    QVERIFY(clip.IsPlaying());
    clip.Advance();
    clip.Advance();
    QCOMPARE(clip.grab().toImage().pixelColor(5, 5), QColor(Qt::blue));
    clip.Advance();
    QCOMPARE(clip.CurrentFrame(), 0);
    clip.Advance();
    clip.Stop();
    QVERIFY(!clip.IsPlaying());
    QCOMPARE(clip.grab().toImage().pixelColor(5, 5), QColor(Qt::red));
    QVERIFY(!clip.Open(QPixmap(), 10));
}

QTEST_MAIN(TestTestingWidgets)
#include "tst_testing_widgets.moc"
