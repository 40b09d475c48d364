#pragma once

#include <QIcon>
#include <QImage>

// The 32×32 tab picture of mode page index (0–5).
QIcon TabPicture(int index);

// "BUFFER_AXIS": an axle from above, 15×33, fuchsia where the axle colour is to show through.
QImage LoadAxlePicture();
