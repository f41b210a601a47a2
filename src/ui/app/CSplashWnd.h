#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

// The start-up picture: a frameless window exactly the picture's size, centred on the
// screen, shown for a while and then closed.
class CSplashWnd : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDefaultDurationMs = 2000;

    explicit CSplashWnd(QWidget* parent = nullptr);

    // Shows the picture centred on the primary screen, paints it at once and closes it
    // after durationMs; Finished() follows the close.
    void ShowFor(int durationMs);
    QSize PictureSize() const { return m_picture.size(); }

signals:
    void Finished();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void End();

    QPixmap m_picture;
    QTimer m_timer;
};
