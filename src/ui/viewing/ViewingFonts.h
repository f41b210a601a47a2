#pragma once

#include <QFont>
#include <QPixmap>
#include <QSize>
#include <QString>

// The pictures and the bold captions of the report and comparison views. Until a picture is part of
// the program a plain stand-in of its size takes its place, so the views stay readable.

// Bitmap id, or a dark plate with the caption.
QPixmap ViewingBitmap(int id, QSize size, const QString& caption);

// Icon id, or a small page symbol.
QPixmap ViewingIcon(int id, QSize size);

// A bold face of the given pixel height, as the views' buttons and labels use it.
QFont BoldFont(const QFont& base, int pixelHeight);
