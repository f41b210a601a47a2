#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The pictures of the report and comparison views. Until a picture is part of the program a
// plain stand-in of its size takes its place, so the views stay readable.

// Bitmap id, or a dark plate with the caption.
QPixmap ViewingBitmap(int id, QSize size, const QString& caption);

// Icon id, or a small page symbol.
QPixmap ViewingIcon(int id, QSize size);
