#include "ui/persons/PersonPictures.h"

#include "ui/widgets/Pictures.h"

namespace {

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
    return QIcon(IconPicture(IconResource(image)));
}

QIcon TreeIcon(bool male) {
    return TreeIcon(male ? TreeImage::Male : TreeImage::Female);
}

QPixmap PersonPicture(int bitmapId) {
    return BitmapPicture(bitmapId);
}
