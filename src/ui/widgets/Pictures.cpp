#include "ui/widgets/Pictures.h"

#include <QPixmapCache>
#include <QString>

namespace {

QPixmap CachedPicture(const QString& path) {
    QPixmap picture;
    if (QPixmapCache::find(path, &picture))
        return picture;
    if (picture.load(path))
        QPixmapCache::insert(path, picture);
    return picture;
}

} // namespace

QPixmap BitmapPicture(int id) {
    if (id == 0)
        return {};
    return CachedPicture(QStringLiteral(":/bitmaps/%1.png").arg(id));
}

QPixmap IconPicture(int id) {
    if (id == 0)
        return {};
    return CachedPicture(QStringLiteral(":/icons/%1.png").arg(id));
}

QIcon ProgramIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/128.png"));
    icon.addFile(QStringLiteral(":/icons/128-32.png"));
    return icon;
}
