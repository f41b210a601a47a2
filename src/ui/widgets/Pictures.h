#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, compiled into it and addressed by their resource ids.

// Bitmap <id> (:/bitmaps/<id>.png); a null pixmap for id 0 or an unknown id.
QPixmap BitmapPicture(int id);

// Icon picture <id> (:/icons/<id>.png); a null pixmap for id 0 or an unknown id.
QPixmap IconPicture(int id);

// The program's own icon (icon 128) in every size it is drawn in.
QIcon ProgramIcon();
