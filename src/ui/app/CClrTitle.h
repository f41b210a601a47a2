#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A line of text painted with its own pixel height, colour and weight, centred over a
// transparent background.
class CClrTitle : public QWidget {
    Q_OBJECT

public:
    explicit CClrTitle(QWidget* parent = nullptr);

    void SetText(const QString& text);
    void SetTextHeight(int pixels);
    void SetTextColor(const QColor& color);
    // Font weight on the 1..1000 scale (100 thin, 400 normal, 700 bold).
    void SetTextWeight(int weight);

    QString Text() const { return m_strText; }
    int TextHeight() const { return m_nHeight; }
    QColor TextColor() const { return m_clrText; }
    int TextWeight() const { return m_nWeight; }
    // The font the text is painted with.
    QFont TextFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_strText;
    int m_nHeight = 20;
    QColor m_clrText = Qt::black;
    int m_nWeight = 1;
};
