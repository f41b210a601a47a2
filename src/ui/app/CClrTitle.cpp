#include "ui/app/CClrTitle.h"

#include <QPainter>
#include <algorithm>

CClrTitle::CClrTitle(QWidget* parent) : QWidget(parent) {}

void CClrTitle::SetText(const QString& text) {
    m_strText = text;
    setAccessibleName(text);
    update();
}

void CClrTitle::SetTextHeight(int pixels) {
    m_nHeight = std::max(1, pixels);
    update();
}

void CClrTitle::SetTextColor(const QColor& color) {
    m_clrText = color;
    update();
}

void CClrTitle::SetTextWeight(int weight) {
    m_nWeight = std::clamp(weight, 1, 1000);
    update();
}

QFont CClrTitle::TextFont() const {
    QFont textFont = font();
    textFont.setPixelSize(m_nHeight);
    textFont.setWeight(static_cast<QFont::Weight>(m_nWeight));
    return textFont;
}

void CClrTitle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(TextFont());
    painter.setPen(m_clrText);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, m_strText);
}
