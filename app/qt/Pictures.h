#pragma once
// The program's pictures by id, built into the program from resources/images:
// the numbered bitmaps of pictures.csv and the toolbar icons of toolbar/index.csv.
#include <QImage>
#include <QPalette>
#include <QPixmap>

// The bitmap of that resource id; a null pixmap when the program has none.
QPixmap LoadBitmapResource(int resourceId);
QImage LoadBitmapImage(int resourceId);
// The toolbar icon of a command id; a null pixmap when the program has none.
QPixmap LoadToolbarBitmap(int commandId);
// The application icon (256 x 256).
QPixmap LoadApplicationIcon();

// The colour mapping of a bitmap loaded "transparent" onto a dialog: every pixel of the
// colour of the top-left pixel takes the window colour, and the three greys of 3D
// pictures, RGB(128, 128, 128), (192, 192, 192) and (223, 223, 223), take the shadow,
// face and light colours of the palette.
QImage MapToDialogColours(const QImage& image, const QPalette& palette);
