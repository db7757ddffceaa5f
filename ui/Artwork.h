// The program's own pictures, kept in the images resource: the program icon, the banner of the
// main window and the picture of the about box. The resource lives in a static library, so it is
// registered here, on first use, rather than by a static initialiser the linker may drop.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace Artwork {
QIcon ProgramIcon();
QPixmap Banner();       // 468 x 90
QPixmap AboutPicture(); // 215 x 165
} // namespace Artwork
