#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A picture button: its face is a bitmap chosen by the button's state (normal, mouse over,
// pressed, disabled) and stretched over the whole button; an optional 32 x 32 icon and the
// button's text are drawn on top.
class CBtnIcon : public QAbstractButton {
    Q_OBJECT

public:
    // Where the icon goes relative to the text.
    enum Placement { IconLeft = 0, IconTop = 1 };

    explicit CBtnIcon(QWidget* parent = nullptr);

    // Face bitmap ids per state. A hover id of 0 keeps the normal face under the mouse, a
    // pressed id of 0 keeps the hover/normal rule while pressed, a disabled id of 0 keeps
    // the normal face while disabled.
    void SetBitmaps(int normalId, int hoverId = 0, int pressedId = 0, int disabledId = 0);
    // The icon drawn while enabled and the one drawn while disabled (icon ids, 0 for none).
    void SetIcons(int iconId, int disabledIconId);
    void SetPlacement(int placement);

    // The bitmap id the next paint draws as the face.
    int CurrentFaceId() const;
    bool IsHovering() const { return m_bHover; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void TrackCursor(bool cursorOver, Qt::MouseButtons buttons);
    void SetHover(bool hover);
    QRect IconRect() const;
    QRect TextRect(bool hasIcon) const;

    int m_nPlacement = IconLeft;
    bool m_bHover = false;
    bool m_bKeyboardFocus = false;
    QPixmap m_icon;
    QPixmap m_disabledIcon;
    int m_nNormalId = 0;
    int m_nHoverId = 0;
    int m_nPressedId = 0;
    int m_nDisabledId = 0;
};
