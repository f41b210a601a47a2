#include "ui/testing/CMainWave.h"

#include <QPainter>

namespace {

const QColor kGrid(0, 130, 0);
const QColor kLineColours[hv::WaveModel::kLines] = {QColor(255, 0, 0), QColor(255, 255, 0),
                                                    QColor(0, 0, 255), QColor(255, 0, 255)};
constexpr int kGridStep = 20;
constexpr int kGridLimit = 240;

} // namespace

CMainWave::CMainWave(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CMainWave::Reset() {
    m_bLinesShown = false;
    update();
}

void CMainWave::AddStep(const hv::WaveStep& step) {
    m_model.AddStep(step);
    m_bLinesShown = true;
    update();
}

void CMainWave::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setPen(QPen(kGrid, 1));
    for (int y = 0; y < kGridLimit; y += kGridStep)
        painter.drawLine(0, y, width() - 1, y);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    if (!m_bLinesShown)
        return;
    for (int line = 0; line < hv::WaveModel::kLines; ++line) {
        painter.setPen(QPen(kLineColours[line], 1));
        for (const auto& segment : m_model.VisibleSegments(line, width()))
            painter.drawLine(segment.from.x, segment.from.y, segment.to.x, segment.to.y);
    }
}
