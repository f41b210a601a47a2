#include "ui/widgets/CPictureEx.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QMetaObject>
#include <QPainter>
#include <span>

namespace {

constexpr int kRestoreBackground = 2;
constexpr int kRestorePrevious = 3;

// Real time: a condition variable that Interrupt() wakes.
class RealFramePacer final : public CPictureEx::FramePacer {
public:
    bool Wait(int ms) override {
        std::unique_lock lock(m_mutex);
        return !m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop; });
    }
    void Interrupt() override {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
    }
    void Rearm() override {
        std::lock_guard lock(m_mutex);
        m_stop = false;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
};

QImage DecodePicture(const QByteArray& data, const char* format = nullptr) {
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace

CPictureEx::CPictureEx(QWidget* parent)
    : QWidget(parent), m_pacer(std::make_shared<RealFramePacer>()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CPictureEx::~CPictureEx() {
    UnLoad();
}

void CPictureEx::SetFramePacer(std::shared_ptr<FramePacer> pacer) {
    Stop();
    m_pacer = std::move(pacer);
}

bool CPictureEx::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    return LoadFromMemory(data);
}

// Splits a GIF into stand-alone frames decoded one by one, or decodes a single picture.
bool CPictureEx::Decode(const QByteArray& data, Decoded& out) {
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                 static_cast<std::size_t>(data.size()));
    const hv::GifLayout layout = hv::ParseGif(bytes);
    out.isGif = layout.isGif;
    if (layout.isGif) {
        if (layout.frames.empty())
            return false;
        out.size = QSize(layout.width, layout.height);
        if (layout.frames.size() > 1) {
            for (const hv::GifFrameBlocks& blocks : layout.frames) {
                const std::vector<std::uint8_t> single = hv::BuildFrameGif(bytes, layout, blocks);
                QImage image =
                    DecodePicture(QByteArray(reinterpret_cast<const char*>(single.data()),
                                             static_cast<qsizetype>(single.size())),
                                  "gif");
                if (image.isNull())
                    continue; // a frame that cannot be decoded is left out
                out.frames.push_back({image.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                                      QRect(blocks.left, blocks.top, blocks.width, blocks.height),
                                      blocks.disposal, blocks.delay});
            }
            return !out.frames.empty();
        }
    }
    out.still = DecodePicture(data);
    if (out.still.isNull())
        return false;
    if (!layout.isGif)
        out.size = out.still.size();
    return true;
}

bool CPictureEx::LoadFromMemory(const QByteArray& data) {
    Decoded decoded;
    if (!Decode(data, decoded))
        return false; // what was shown stays
    UnLoad();
    m_bIsGif = decoded.isGif;
    m_single = std::move(decoded.still);
    m_frames = std::move(decoded.frames);
    Prepare(decoded.size);
    return true;
}

void CPictureEx::Prepare(const QSize& size) {
    m_nWidth = size.width();
    m_nHeight = size.height();
    resize(size);
    m_background = palette().color(QPalette::Button);
    {
        std::lock_guard lock(m_surfaceMutex);
        m_surface = QImage(size, QImage::Format_ARGB32_Premultiplied);
        m_surface.fill(palette().color(QPalette::Window));
    }
    m_bPrepared = true;
    update();
}

bool CPictureEx::Draw() {
    if (!m_bPrepared)
        return false;
    if (m_frames.size() > 1) {
        if (!m_thread.joinable())
            m_thread = std::thread([this] { Animate(); });
        return true;
    }
    if (m_single.isNull())
        return false;
    {
        std::lock_guard lock(m_surfaceMutex);
        QPainter painter(&m_surface);
        painter.drawImage(0, 0, m_single);
    }
    update();
    return true;
}

void CPictureEx::Animate() {
    for (;;) {
        const Frame& frame = m_frames[static_cast<std::size_t>(m_nCurrentFrame.load())];
        RenderFrame(frame);
        RequestRepaint();
        if (!m_pacer->Wait(hv::FrameDelayMs(frame.delay)))
            return;
        DisposeFrame(frame);
        int next = m_nCurrentFrame.load() + 1;
        if (next >= FrameCount()) {
            next = 0;
            std::lock_guard lock(m_surfaceMutex);
            m_surface.fill(m_background);
        }
        m_nCurrentFrame = next;
    }
}

void CPictureEx::RenderFrame(const Frame& frame) {
    std::lock_guard lock(m_surfaceMutex);
    if (frame.disposal == kRestorePrevious)
        m_savedArea = m_surface.copy(frame.area);
    QPainter painter(&m_surface);
    painter.drawImage(frame.area, frame.image);
}

void CPictureEx::DisposeFrame(const Frame& frame) {
    std::lock_guard lock(m_surfaceMutex);
    if (frame.disposal == kRestoreBackground) {
        QPainter painter(&m_surface);
        painter.fillRect(frame.area, m_background);
    } else if (frame.disposal == kRestorePrevious && !m_savedArea.isNull()) {
        QPainter painter(&m_surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(frame.area.topLeft(), m_savedArea);
        m_savedArea = QImage();
    }
}

void CPictureEx::RequestRepaint() {
    // Widgets are repainted on their own thread only.
    QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

void CPictureEx::Stop() {
    if (!m_thread.joinable())
        return;
    m_pacer->Interrupt();
    m_thread.join();
    m_pacer->Rearm();
}

void CPictureEx::UnLoad() {
    Stop();
    {
        std::lock_guard lock(m_surfaceMutex);
        m_surface = QImage();
        m_savedArea = QImage();
    }
    m_single = QImage();
    m_frames.clear();
    m_nCurrentFrame = 0;
    m_nWidth = m_nHeight = 0;
    m_background = Qt::white;
    m_bIsGif = false;
    m_bPrepared = false;
    update();
}

QImage CPictureEx::Surface() const {
    std::lock_guard lock(m_surfaceMutex);
    return m_surface.copy();
}

void CPictureEx::SetPaintRect(const QRect& rect) {
    m_paintRect = rect;
    update();
}

void CPictureEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    std::lock_guard lock(m_surfaceMutex);
    if (m_surface.isNull()) {
        painter.fillRect(rect(), m_background);
        return;
    }
    if (m_paintRect.isEmpty())
        painter.drawImage(0, 0, m_surface);
    else
        painter.drawImage(m_paintRect.topLeft(), m_surface, m_paintRect);
}
