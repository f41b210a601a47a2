#pragma once

#include "testing/MeterGeometry.h"

#include <QColor>
#include <QPixmap>
#include <QPolygon>
#include <QWidget>
#include <array>

// An analogue gauge: a black face with a yellow scale arc and, when switched on, four
// coloured bands; a needle, a shaded hub and five fixed labels. The face is drawn once
// into a cache and reused by every paint until a setting or the size changes.
class CMeter : public QWidget {
    Q_OBJECT

public:
    explicit CMeter(QWidget* parent = nullptr);

    // Moves the needle; keeps the face.
    void SetValue(double value);
    double Value() const { return m_dValue; }

    // Settings: each one discards the face and repaints.
    void SetScaleColours(bool bandsOn);
    void SetNeedleColour(const QColor& colour);
    void SetScaleDecimals(int decimals);
    void SetRange(double minimum, double maximum);
    void SetAngleRange(int startAngle, int endAngle);
    void SetTicks(int major, int minorPerMajor);
    void SetUnits(const QString& units);

    bool BandsOn() const { return m_bBandsOn; }
    bool HasFaceCache() const { return !m_face.isNull(); }
    // How often the face has been drawn (the cache makes this rare).
    int FaceDrawCount() const { return m_nFaceDraws; }
    hv::MeterGeometry Geometry() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DiscardFace();
    void DrawFace(const hv::MeterGeometry& geometry);
    void DrawNeedle(QPainter& painter, const hv::MeterGeometry& geometry) const;
    void DrawHub(QPainter& painter, const hv::MeterGeometry& geometry) const;
    void DrawLabels(QPainter& painter, const hv::MeterGeometry& geometry) const;

    bool m_bBandsOn = false;
    std::array<QColor, 4> m_bandColours{QColor(255, 255, 0), QColor(0, 255, 0), QColor(255, 0, 0),
                                        QColor(255, 183, 34)};
    QColor m_spareColour{255, 92, 93};
    QString m_units = QStringLiteral("Gs");
    int m_nSpareOption = 1;
    QColor m_needleColour{0, 0, 0};
    int m_nScaleDecimals = 0;
    double m_dValue = 0.0;
    hv::MeterScale m_scale;
    QPixmap m_face;
    QPolygon m_faceRegion;
    int m_nFaceDraws = 0;
};
