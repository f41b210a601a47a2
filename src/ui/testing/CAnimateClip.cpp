#include "ui/testing/CAnimateClip.h"

#include <QPainter>

CAnimateClip::CAnimateClip(QWidget* parent) : QWidget(parent) {
    m_timer.setInterval(kFrameMs);
    connect(&m_timer, &QTimer::timeout, this, &CAnimateClip::Advance);
}

bool CAnimateClip::Open(const QPixmap& strip, int frameWidth) {
    m_timer.stop();
    if (strip.isNull() || frameWidth <= 0 || strip.width() < frameWidth) {
        m_strip = QPixmap();
        m_nFrameWidth = 0;
        update();
        return false;
    }
    m_strip = strip;
    m_nFrameWidth = frameWidth;
    m_nFrame = 0;
    update();
    return true;
}

int CAnimateClip::FrameCount() const {
    return m_nFrameWidth > 0 ? m_strip.width() / m_nFrameWidth : 0;
}

void CAnimateClip::Play() {
    if (FrameCount() > 1)
        m_timer.start();
}

void CAnimateClip::Stop() {
    m_timer.stop();
    m_nFrame = 0;
    update();
}

void CAnimateClip::Advance() {
    if (FrameCount() == 0)
        return;
    m_nFrame = (m_nFrame + 1) % FrameCount();
    update();
}

void CAnimateClip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_strip.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.drawPixmap(rect(), m_strip,
                       QRect(m_nFrame * m_nFrameWidth, 0, m_nFrameWidth, m_strip.height()));
}
