#include "ui/app/CSplashWnd.h"

#include "ui/widgets/Pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace {
constexpr int kSplashBitmap = 130;
} // namespace

CSplashWnd::CSplashWnd(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_picture(BitmapPicture(kSplashBitmap)) {
    setObjectName(QStringLiteral("splash"));
    // Closing the splash must not end the program: the main window is not shown yet.
    setAttribute(Qt::WA_QuitOnClose, false);
    setCursor(Qt::UpArrowCursor);
    setFixedSize(m_picture.size());
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CSplashWnd::End);
}

void CSplashWnd::ShowFor(int durationMs) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    show();
    repaint();
    m_timer.start(std::max(0, durationMs));
}

void CSplashWnd::End() {
    close();
    emit Finished();
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}
