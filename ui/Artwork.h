// The program's own pictures, kept in the images resource: the program icon, the banner of the
// main window and the picture of the about box, each also at twice its size for screens scaled by 2
// (Qt picks the "@2x" file by itself). The resource lives in a static library, so it is
// registered here, on first use, rather than by a static initialiser the linker may drop.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace Artwork {
// The sizes the icon is drawn at, as the desktop's icon theme installs them too.
inline constexpr int IconSides[] = {16, 22, 24, 32, 48, 64, 128, 256};

QIcon ProgramIcon();
QPixmap Banner();       // 468 x 90
QPixmap AboutPicture(); // 215 x 165
} // namespace Artwork
