#pragma once

#include <QFont>

// The bold captions of the report and comparison views.

// A bold face of the given pixel height, as the views' buttons and labels use it.
QFont BoldFont(const QFont& base, int pixelHeight);
