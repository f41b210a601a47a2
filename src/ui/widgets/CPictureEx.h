#pragma once

#include "picture/GifFrames.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A picture control: shows a picture file still, or plays it on a thread of its own when
// it is a GIF with several frames, with the frames' delays and disposal methods. The
// format is told from the contents, whatever the file is called. The control takes the
// picture's size when a picture is loaded.
class CPictureEx : public QWidget {
    Q_OBJECT

public:
    // Times the animation's frames. The program waits in real time; tests step frames
    // by hand.
    class FramePacer {
    public:
        virtual ~FramePacer() = default;
        // Waits `ms` milliseconds; false when Interrupt() ended the wait early.
        virtual bool Wait(int ms) = 0;
        // Ends the current and every later wait until Rearm().
        virtual void Interrupt() = 0;
        virtual void Rearm() = 0;
    };

    explicit CPictureEx(QWidget* parent = nullptr);
    ~CPictureEx() override;

    // Reads a whole file and loads it. A file that cannot be read, or data that is neither
    // a picture nor a GIF with a frame, fails and leaves the control as it was.
    bool Load(const QString& path);
    bool LoadFromMemory(const QByteArray& data);
    // Starts the animation, or renders the still picture. False before a successful load.
    bool Draw();
    // Stops the animation thread; the frame shown stays.
    void Stop();
    // Stops and forgets the picture.
    void UnLoad();

    // Replaces the frame pacer (only while nothing plays).
    void SetFramePacer(std::shared_ptr<FramePacer> pacer);

    bool IsLoaded() const { return m_bPrepared; }
    bool IsGif() const { return m_bIsGif; }
    bool IsPlaying() const { return m_thread.joinable(); }
    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    int CurrentFrame() const { return m_nCurrentFrame.load(); }
    QSize PictureSize() const { return {m_nWidth, m_nHeight}; }
    QColor BackgroundColour() const { return m_background; }
    // A copy of what the control shows.
    QImage Surface() const;
    // Part of the picture to show; an empty rectangle shows all of it.
    void SetPaintRect(const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Frame {
        QImage image;
        QRect area; // offset and size within the logical screen
        int disposal = 0;
        int delay = 0; // hundredths of a second
    };
    struct Decoded {
        bool isGif = false;
        QSize size;
        QImage still;
        std::vector<Frame> frames;
    };

    static bool Decode(const QByteArray& data, Decoded& out);
    void Prepare(const QSize& size);
    void Animate();
    void RenderFrame(const Frame& frame);
    void DisposeFrame(const Frame& frame);
    void RequestRepaint();

    QRect m_paintRect;
    int m_nWidth = 0;
    int m_nHeight = 0;
    QColor m_background = Qt::white;
    std::atomic<int> m_nCurrentFrame{0};
    bool m_bIsGif = false;
    bool m_bPrepared = false;

    mutable std::mutex m_surfaceMutex; // the surface is drawn by the thread, shown by paint
    QImage m_surface;
    QImage m_savedArea; // under a frame that restores the previous picture
    QImage m_single;
    std::vector<Frame> m_frames;

    std::shared_ptr<FramePacer> m_pacer;
    std::thread m_thread;
};
