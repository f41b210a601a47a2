#include "ui/viewing/ViewingPictures.h"

#include "ui/widgets/Pictures.h"

#include <QLinearGradient>
#include <QPainter>

QPixmap ViewingBitmap(int id, QSize size, const QString& caption) {
    QPixmap picture = BitmapPicture(id);
    if (!picture.isNull())
        return picture;
    picture = QPixmap(size);
    QPainter painter(&picture);
    QLinearGradient shade(0, 0, 0, size.height());
    shade.setColorAt(0, QColor(46, 88, 140));
    shade.setColorAt(1, QColor(22, 50, 90));
    painter.fillRect(picture.rect(), shade);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, caption);
    return picture;
}

QFont BoldFont(const QFont& base, int pixelHeight) {
    QFont font = base;
    font.setPixelSize(pixelHeight);
    font.setBold(true);
    return font;
}

QPixmap ViewingIcon(int id, QSize size) {
    QPixmap picture = IconPicture(id);
    if (!picture.isNull())
        return picture;
    picture = QPixmap(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QRectF page(size.width() * 0.2, size.height() * 0.1, size.width() * 0.6,
                      size.height() * 0.8);
    painter.setPen(QColor(60, 90, 130));
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    for (int line = 1; line <= 3; ++line) {
        const qreal y = page.top() + page.height() * line / 4.0;
        painter.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
    }
    return picture;
}
