#include "ui/widgets/CBtnIcon.h"

#include "ui/widgets/Pictures.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {

constexpr int kIconSize = 32;
constexpr int kIconLeftMargin = 10; // icon at the left: its x
constexpr int kTextAfterIcon = 42;  // icon at the left: where the text starts
constexpr int kTextBelowIcon = 32;  // icon on top: how far the text moves down
constexpr int kIconTopSpace = 48;   // icon on top: icon and text share this height
const QColor kEnabledText(0, 0, 0);
const QColor kDisabledText(109, 109, 109);

} // namespace

CBtnIcon::CBtnIcon(QWidget* parent) : QAbstractButton(parent) {
    // The face covers every pixel, so nothing is erased beneath it and it never flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void CBtnIcon::SetBitmaps(int normalId, int hoverId, int pressedId, int disabledId) {
    m_nNormalId = normalId;
    m_nHoverId = hoverId;
    m_nPressedId = pressedId;
    m_nDisabledId = disabledId;
    update();
}

void CBtnIcon::SetIcons(int iconId, int disabledIconId) {
    m_icon = IconPicture(iconId);
    m_disabledIcon = IconPicture(disabledIconId);
    update();
}

void CBtnIcon::SetPlacement(int placement) {
    m_nPlacement = placement == IconTop ? IconTop : IconLeft;
    update();
}

int CBtnIcon::CurrentFaceId() const {
    if (!isEnabled())
        return m_nDisabledId != 0 ? m_nDisabledId : m_nNormalId;
    if (isDown() && m_nPressedId != 0)
        return m_nPressedId;
    if (m_bHover && m_nHoverId != 0)
        return m_nHoverId;
    return m_nNormalId;
}

QSize CBtnIcon::sizeHint() const {
    const QPixmap face = BitmapPicture(m_nNormalId);
    return face.isNull() ? QSize(80, 30) : face.size();
}

void CBtnIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const QPixmap face = BitmapPicture(CurrentFaceId());
    if (face.isNull())
        painter.fillRect(rect(), palette().button());
    else
        painter.drawPixmap(rect(), face);

    const QPixmap& icon = isEnabled() ? m_icon : m_disabledIcon;
    if (!icon.isNull())
        painter.drawPixmap(IconRect(), icon);

    painter.setPen(isEnabled() ? kEnabledText : kDisabledText);
    painter.drawText(TextRect(!icon.isNull()),
                     Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextDontClip,
                     text());

    if (hasFocus() && m_bKeyboardFocus) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

QRect CBtnIcon::IconRect() const {
    if (m_nPlacement == IconTop)
        return {(width() - kIconSize) / 2, (height() - kIconTopSpace) / 2, kIconSize, kIconSize};
    return {kIconLeftMargin, (height() - kIconSize) / 2, kIconSize, kIconSize};
}

QRect CBtnIcon::TextRect(bool hasIcon) const {
    QRect area = rect();
    if (hasIcon) {
        if (m_nPlacement == IconTop)
            area.setTop(area.top() + kTextBelowIcon);
        else
            area.setLeft(area.left() + kTextAfterIcon);
    }
    return area;
}

void CBtnIcon::enterEvent(QEnterEvent* event) {
    TrackCursor(true, QGuiApplication::mouseButtons());
    QAbstractButton::enterEvent(event);
}

void CBtnIcon::leaveEvent(QEvent* event) {
    SetHover(false);
    QAbstractButton::leaveEvent(event);
}

void CBtnIcon::mouseMoveEvent(QMouseEvent* event) {
    TrackCursor(rect().contains(event->position().toPoint()), event->buttons());
    QAbstractButton::mouseMoveEvent(event);
}

// A button lights up when the cursor comes over it, but not when the left button was
// pressed elsewhere and dragged in: that drag belongs to another control.
void CBtnIcon::TrackCursor(bool cursorOver, Qt::MouseButtons buttons) {
    if ((buttons & Qt::LeftButton) && !m_bHover)
        return;
    SetHover(cursorOver);
}

void CBtnIcon::SetHover(bool hover) {
    if (m_bHover == hover)
        return;
    m_bHover = hover;
    update();
}

void CBtnIcon::keyPressEvent(QKeyEvent* event) {
    // Enter pushes the focused button, as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CBtnIcon::focusInEvent(QFocusEvent* event) {
    // Show where the keyboard is, but do not mark a button that was merely clicked.
    m_bKeyboardFocus = event->reason() == Qt::TabFocusReason ||
                       event->reason() == Qt::BacktabFocusReason ||
                       event->reason() == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(event);
}
