#include "ui/testing/CMeter.h"

#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <algorithm>

namespace {

const QColor kArc(255, 255, 0);

QPoint ToQt(const hv::MeterPoint& p) {
    return {p.x, p.y};
}

} // namespace

CMeter::CMeter(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

hv::MeterGeometry CMeter::Geometry() const {
    return {width(), height(), m_scale};
}

void CMeter::SetValue(double value) {
    m_dValue = value;
    update();
}

void CMeter::DiscardFace() {
    m_face = QPixmap();
    update();
}

void CMeter::SetScaleColours(bool bandsOn) {
    m_bBandsOn = bandsOn;
    DiscardFace();
}

void CMeter::SetNeedleColour(const QColor& colour) {
    m_needleColour = colour;
    DiscardFace();
}

void CMeter::SetScaleDecimals(int decimals) {
    m_nScaleDecimals = decimals;
    DiscardFace();
}

void CMeter::SetRange(double minimum, double maximum) {
    m_scale.minimum = minimum;
    m_scale.maximum = maximum;
    DiscardFace();
}

void CMeter::SetAngleRange(int startAngle, int endAngle) {
    m_scale.startAngle = startAngle;
    m_scale.endAngle = endAngle;
    DiscardFace();
}

void CMeter::SetTicks(int major, int minorPerMajor) {
    m_scale.majorTicks = major;
    m_scale.minorTicksPerMajor = minorPerMajor;
    DiscardFace();
}

void CMeter::SetUnits(const QString& units) {
    m_units = units;
    DiscardFace();
}

void CMeter::resizeEvent(QResizeEvent* event) {
    // Only a real change of size: a hidden widget is told its size again at every grab.
    if (m_face.size() != event->size())
        m_face = QPixmap();
    QWidget::resizeEvent(event);
}

void CMeter::DrawFace(const hv::MeterGeometry& g) {
    m_face = QPixmap(size());
    m_face.fill(Qt::black);
    QPainter painter(&m_face);
    painter.setRenderHint(QPainter::Antialiasing);
    const hv::MeterPoint c = g.Centre();
    const int arc = g.ArcRadius();
    painter.setPen(QPen(kArc, 1));
    painter.drawArc(QRect(c.x - arc, c.y - arc, 2 * arc, 2 * arc), m_scale.endAngle * 16,
                    (m_scale.startAngle - m_scale.endAngle) * 16);
    if (m_bBandsOn) {
        for (int band = 0; band < hv::MeterGeometry::kBands; ++band) {
            QPolygonF polygon;
            for (const hv::MeterPointF& p : g.BandPolygon(band))
                polygon << QPointF(p.x, p.y);
            painter.setPen(QPen(m_bandColours[band], 1));
            painter.setBrush(m_bandColours[band]);
            painter.drawPolygon(polygon);
        }
    }
    m_faceRegion.clear();
    for (const hv::MeterPoint& p : g.FaceRegion())
        m_faceRegion << ToQt(p);
    ++m_nFaceDraws;
}

void CMeter::DrawNeedle(QPainter& painter, const hv::MeterGeometry& g) const {
    const auto corners = g.Needle(m_dValue);
    const QPoint a = ToQt(corners[0]), tip = ToQt(corners[1]), b = ToQt(corners[2]),
                 tail = ToQt(corners[3]);
    painter.save();
    QPainterPath clip;
    clip.addPolygon(m_faceRegion);
    clip.setFillRule(Qt::OddEvenFill);
    painter.setClipPath(clip);
    painter.setPen(QPen(m_needleColour, 1));
    painter.setBrush(m_needleColour);
    painter.drawPolygon(QPolygon({a, tip, b, tail}));
    painter.restore();

    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    const bool shadowOnA = hv::MeterGeometry::ShadowOnSideA(g.NeedleAngle(m_dValue));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(shadow, 2));
    painter.drawPolyline(QPolygon({tip, shadowOnA ? a : b, tail}));
    painter.setPen(QPen(highlight, 1));
    painter.drawPolyline(QPolygon({tip, shadowOnA ? b : a, tail}));
}

void CMeter::DrawHub(QPainter& painter, const hv::MeterGeometry& g) const {
    const hv::MeterPoint c = g.Centre();
    painter.setBrush(Qt::NoBrush);
    for (int r = g.HubRadius(); r >= 0; --r) {
        const int grey = g.HubGrey(r);
        painter.setPen(QPen(QColor(grey, grey, grey), 1));
        painter.drawEllipse(QPoint(c.x, c.y), r, r);
    }
}

void CMeter::DrawLabels(QPainter& painter, const hv::MeterGeometry& g) const {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(g.LabelFontHeight(), 1));
    font.setWeight(QFont::Normal);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QFontMetrics metrics(font);
    for (const hv::MeterLabel& label : g.Labels()) {
        const QString text = QString::fromStdString(label.text);
        const int w = metrics.horizontalAdvance(text);
        // The outer labels stand beside the rim; "100" would reach past the control's edge.
        const int left = std::clamp(label.anchor.x - w / 2, 0, std::max(0, width() - w));
        painter.drawText(QRect(left, label.anchor.y, w, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
    }
}

void CMeter::paintEvent(QPaintEvent*) {
    const hv::MeterGeometry g = Geometry();
    if (m_face.isNull() || m_face.size() != size())
        DrawFace(g);
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_face);
    DrawNeedle(painter, g);
    DrawHub(painter, g);
    DrawLabels(painter, g);
}
