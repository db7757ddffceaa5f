#include "Artwork.h"

#include <QString>

static void RegisterImages()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(images);
        return true;
    }();
    (void)registered;
}

namespace Artwork {
QIcon ProgramIcon()
{
    RegisterImages();
    QIcon icon;
    for (const int side : IconSides) {
        icon.addFile(QStringLiteral(":/images/icons/sollentra-%1.png").arg(side), QSize(side, side));
    }
    return icon;
}

QPixmap Banner()
{
    RegisterImages();
    return QPixmap(QStringLiteral(":/images/banner.png"));
}

QPixmap AboutPicture()
{
    RegisterImages();
    return QPixmap(QStringLiteral(":/images/about.png"));
}
} // namespace Artwork
