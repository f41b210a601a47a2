#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

// The short clip beside the test's displays: equal frames side by side in one picture.
// Shows its first frame until played; plays all frames repeating until stopped.
class CAnimateClip : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFrameMs = 100;

    explicit CAnimateClip(QWidget* parent = nullptr);

    // Opens a clip whose frames are `frameWidth` pixels wide, and shows its first frame.
    bool Open(const QPixmap& strip, int frameWidth);
    void Play();
    // Stops and shows the first frame again.
    void Stop();

    bool IsPlaying() const { return m_timer.isActive(); }
    int FrameCount() const;
    int CurrentFrame() const { return m_nFrame; }
    // Shows the next frame, as the clip's timer does.
    void Advance();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_strip;
    int m_nFrameWidth = 0;
    int m_nFrame = 0;
    QTimer m_timer;
};
