#include "ui/persons/PersonPictures.h"

#include "ui/widgets/Pictures.h"

#include <QPainter>

namespace {

constexpr int kIconSide = 24;

// One standing figure: a head and shoulders.
void DrawFigure(QPainter& painter, QRectF box, const QColor& colour) {
    painter.setPen(colour.darker(140));
    painter.setBrush(colour);
    const qreal head = box.width() * 0.42;
    painter.drawEllipse(QRectF(box.center().x() - head / 2, box.top(), head, head));
    const QRectF body(box.left(), box.top() + head * 1.05, box.width(), box.height() - head);
    painter.drawRoundedRect(body, box.width() * 0.35, box.width() * 0.35);
}

QPixmap DrawnIcon(TreeImage image) {
    QPixmap pixmap(kIconSide, kIconSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case TreeImage::Group:
        DrawFigure(painter, QRectF(1, 4, 10, 17), QColor(90, 160, 90));
        DrawFigure(painter, QRectF(13, 4, 10, 17), QColor(200, 150, 60));
        DrawFigure(painter, QRectF(6.5, 2, 11, 21), QColor(70, 120, 200));
        break;
    case TreeImage::Male:
        DrawFigure(painter, QRectF(5, 1, 14, 22), QColor(40, 100, 220));
        break;
    case TreeImage::Female:
        DrawFigure(painter, QRectF(5, 1, 14, 22), QColor(235, 110, 170));
        break;
    }
    return pixmap;
}

int IconResource(TreeImage image) {
    switch (image) {
    case TreeImage::Group:
        return 157;
    case TreeImage::Male:
        return 158;
    case TreeImage::Female:
        return 156;
    }
    return 0;
}

} // namespace

QIcon TreeIcon(TreeImage image) {
    // Made once: the tree asks for an icon per item.
    static QIcon icons[3];
    QIcon& icon = icons[static_cast<int>(image)];
    if (icon.isNull()) {
        QPixmap picture = IconPicture(IconResource(image));
        icon = QIcon(picture.isNull() ? DrawnIcon(image) : picture);
    }
    return icon;
}

QIcon TreeIcon(bool male) {
    return TreeIcon(male ? TreeImage::Male : TreeImage::Female);
}

QPixmap PersonPicture(int bitmapId) {
    return BitmapPicture(bitmapId);
}
