#include "ui/viewing/ViewingFonts.h"

QFont BoldFont(const QFont& base, int pixelHeight) {
    QFont font = base;
    font.setPixelSize(pixelHeight);
    font.setBold(true);
    return font;
}
