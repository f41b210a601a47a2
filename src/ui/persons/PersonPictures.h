#pragma once

#include <QIcon>
#include <QPixmap>

// Pictures of the person windows.

// The tree's 24 x 24 icons, by image index: 0 group, 1 man, 2 woman (icon resources 157,
// 158 and 156). A window that shows many items makes each icon once and shares it.
enum class TreeImage { Group = 0, Male = 1, Female = 2 };
QIcon TreeIcon(TreeImage image);
QIcon TreeIcon(bool male);

// A bitmap of the person windows (133, 136, 138); a null pixmap while it is missing.
QPixmap PersonPicture(int bitmapId);
