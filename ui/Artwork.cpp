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
    return QIcon(QStringLiteral(":/images/sollentra.png"));
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
